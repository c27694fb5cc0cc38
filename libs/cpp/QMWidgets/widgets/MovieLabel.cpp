#include "QMWidgets/widgets/MovieLabel.h"

#include <QMovie>
#include <QResizeEvent>

namespace QMWidgets {

MovieLabel::MovieLabel(const QString &fileName, QWidget *parent)
    : QLabel(parent)
    , m_movie(new QMovie(fileName, QByteArray()))
{
    setObjectName(QStringLiteral("MovieLabel"));
    setAlignment(Qt::AlignCenter);
    setMovie(m_movie.get());
    m_stopTimer.setSingleShot(true);
    connect(&m_stopTimer, &QTimer::timeout, m_movie.get(), &QMovie::stop);
}

MovieLabel::~MovieLabel() = default;

void MovieLabel::setSpeed(int percent)
{
    m_movie->setSpeed(percent);
}

void MovieLabel::setStopAfter(int ms)
{
    m_stopDelay = ms;
}

void MovieLabel::resizeEvent(QResizeEvent *event)
{
    const QSize size = event->size();
    m_movie->setScaledSize(QSize(qRound(size.width() / 1.1), qRound(size.height() / 1.1)));
    QWidget::resizeEvent(event);
}

void MovieLabel::showEvent(QShowEvent *event)
{
    m_movie->start();
    if (m_stopDelay > 0)
        m_stopTimer.start(m_stopDelay);
    QWidget::showEvent(event);
}

void MovieLabel::hideEvent(QHideEvent *event)
{
    m_stopTimer.stop();
    m_movie->stop();
    QWidget::hideEvent(event);
}

} // namespace QMWidgets
