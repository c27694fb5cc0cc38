#include "QMWidgets/dialogs/UpdateIndicationDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QTimer>

namespace QMWidgets {

UpdateIndicationDialog::UpdateIndicationDialog(QWidget *parent)
    : QDialog(parent)
    , m_movieLabel(new QLabel)
    , m_textLabel(new QLabel)
    , m_movie(new QMovie(QStringLiteral(":/pix/loading.gif")))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(10000);
    setMinimumHeight(70);
    connect(m_timer, &QTimer::timeout, this, &UpdateIndicationDialog::slotTimeOut);

    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(0.8);

    m_movie->setSpeed(300);
    m_movieLabel->setMovie(m_movie.get());

    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    layout->addWidget(m_movieLabel);
    layout->addWidget(m_textLabel);
    setLayout(layout);
}

// The labels and the timer are children of the dialog; the movie is not, so it goes with the dialog here.
UpdateIndicationDialog::~UpdateIndicationDialog() = default;

void UpdateIndicationDialog::setText(const QString &text)
{
    m_textLabel->setText(text);
}

void UpdateIndicationDialog::slotTimeOut()
{
    accept();
}

void UpdateIndicationDialog::showEvent(QShowEvent *event)
{
    m_movie->start();
    m_movieLabel->setFixedSize(m_movie->currentPixmap().size());
    QDialog::showEvent(event);
    m_timer->start();
}

void UpdateIndicationDialog::hideEvent(QHideEvent *event)
{
    m_movie->stop();
    m_timer->stop();
    QWidget::hideEvent(event);
}

} // namespace QMWidgets
