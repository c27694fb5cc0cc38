#include "QMWidgets/widgets/TopWidget.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/widgets/IconLabel.h"
#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/widgets/TitleLabel.h"

#include <QAction>
#include <QBoxLayout>
#include <QBitmap>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMovie>
#include <QPointer>
#include <QPushButton>

namespace QMWidgets {

TopWidget::TopWidget(bool withContentWidget, QWidget *parent)
    : QFrame(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);

    m_closeButton = new QPushButton;
    m_maximizeButton = new QPushButton;
    m_minimizeButton = new QPushButton;
    m_titleLabel = new TitleLabel;
    m_iconLabel = new IconLabel;

    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_iconLabel->setFixedSize(24, 24);
    m_iconLabel->hide();

    const struct {
        QPushButton *button;
        const char *name;
        QString toolTip;
    } buttons[] = {
        {m_closeButton, "TopWidgetClose", tr("Close")},
        {m_maximizeButton, "TopWidgetMaximize", tr("Maximize")},
        {m_minimizeButton, "TopWidgetMinimize", tr("Minimize")},
    };
    for (const auto &b : buttons) {
        setNameAndToolTip(b.button, QLatin1String(b.name), b.toolTip);
        b.button->setFixedSize(24, 24);
        b.button->setFlat(true);
    }
    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(reject()));
    connect(m_maximizeButton, SIGNAL(clicked()), this, SLOT(showMaximized()));
    connect(m_minimizeButton, SIGNAL(clicked()), this, SLOT(showMinimized()));

    setNameAndToolTip(m_titleLabel, QStringLiteral("TopWidgetTitle"), tr("Title"));
    m_titleLabel->setFixedHeight(28);
    m_titleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *titleLayout = new QHBoxLayout(m_titleLabel);
    titleLayout->setContentsMargins(1, 1, 1, 1);
    titleLayout->setSpacing(1);
    if (App::isStoreEdition()) {
        titleLayout->addWidget(m_closeButton);
        titleLayout->addWidget(m_maximizeButton);
        titleLayout->addWidget(m_minimizeButton);
        titleLayout->addStretch(1);
        titleLayout->addWidget(m_iconLabel);
        titleLayout->addStretch(1);
    } else {
        titleLayout->addWidget(m_iconLabel);
        titleLayout->addStretch(1);
        titleLayout->addWidget(m_minimizeButton);
        titleLayout->addWidget(m_maximizeButton);
        titleLayout->addWidget(m_closeButton);
    }

    m_contentLayout = new QVBoxLayout;
    if (!withContentWidget) {
        m_contentLayout->setContentsMargins(1, 1, 1, 1);
        m_contentLayout->setSpacing(1);
        m_contentLayout->addWidget(m_titleLabel);
        setLayout(m_contentLayout);
    } else {
        auto *content = new QWidget;
        content->setObjectName(QStringLiteral("TopOverWidget"));
        m_contentLayout->setContentsMargins(0, 0, 0, 0);
        m_contentLayout->setSpacing(0);
        content->setLayout(m_contentLayout);
        auto *frameLayout = new QVBoxLayout;
        frameLayout->setContentsMargins(0, 0, 0, 0);
        frameLayout->setSpacing(0);
        frameLayout->addWidget(m_titleLabel);
        frameLayout->addWidget(content);
        setLayout(frameLayout);
    }
}

TopWidget::~TopWidget()
{
    if (m_loop)
        m_loop->exit(0);
}

QBoxLayout *TopWidget::contentLayout() const
{
    return m_contentLayout;
}

void TopWidget::setTitle(const QString &title)
{
    m_titleLabel->setText(title);
    setWindowTitle(title);
}

void TopWidget::setTitleHeight(int height)
{
    m_titleLabel->setFixedHeight(height);
}

void TopWidget::hideCloseButton() { m_closeButton->hide(); }
void TopWidget::hideMaximizeButton() { m_maximizeButton->hide(); }
void TopWidget::hideMinimizeButton() { m_minimizeButton->hide(); }
void TopWidget::showCloseButton() { m_closeButton->show(); }
void TopWidget::showMaximizeButton() { m_maximizeButton->show(); }
void TopWidget::showMinimizeButton() { m_minimizeButton->show(); }

void TopWidget::setIcon(const QPixmap &pixmap)
{
    m_iconLabel->setPixmap(pixmap.scaled(24, 24, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    m_iconLabel->show();
}

void TopWidget::setTitleOverlay(QWidget *widget, const QPoint &offset)
{
    m_titleLabel->setOverlay(widget, offset);
}

void TopWidget::setTitleOverlayMovie(QMovie *movie, const QPoint &offset)
{
    auto *label = new QLabel;
    label->setMovie(movie);
    m_titleLabel->setOverlay(label, offset);
    movie->start();
    const QPixmap frame = movie->currentPixmap();
    label->setFixedSize(frame.size());
    label->setAutoFillBackground(false);
    label->setMask(frame.mask());
}

void TopWidget::setTitleOverlayPixmap(const QPixmap &pixmap, const QPoint &offset)
{
    auto *label = new QLabel;
    label->setPixmap(pixmap);
    m_titleLabel->setOverlay(label, offset);
    label->setFixedSize(pixmap.size());
    label->setAutoFillBackground(false);
    label->setMask(pixmap.mask());
}

int TopWidget::exec()
{
    if (m_loop)
        return 0; // one run at a time: a nested one could never be ended from here
    setAttribute(Qt::WA_ShowModal, true);
    show();
    if (!m_escapeAction) {
        m_escapeAction = new QAction(this);
        m_escapeAction->setShortcut(QKeySequence(Qt::Key_Escape));
        connect(m_escapeAction, SIGNAL(triggered()), this, SLOT(reject()));
        addAction(m_escapeAction);
    }
    QEventLoop loop;
    m_loop = &loop;
    const QPointer<TopWidget> alive(this);
    const int result = loop.exec(QEventLoop::DialogExec);
    if (!alive)
        return 0; // deleted while it ran: nothing of it is left to read
    m_loop = nullptr;
    hide();
    return result;
}

void TopWidget::accept()
{
    if (m_loop)
        m_loop->exit(1);
}

void TopWidget::reject()
{
    if (m_loop)
        m_loop->exit(0);
    else
        hide();
}

void TopWidget::closeEvent(QCloseEvent *event)
{
    // A close by the window manager, Alt+F4 or close() ends a modal run as Disagree would.
    if (m_loop)
        m_loop->exit(0);
    QFrame::closeEvent(event);
}

} // namespace QMWidgets
