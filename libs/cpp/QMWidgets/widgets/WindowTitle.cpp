#include "QMWidgets/widgets/WindowTitle.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace QMWidgets {

WindowTitle::WindowTitle(QWidget *parent)
    : QFrame(parent)
{
    m_bar = new QFrame;
    m_bar->setObjectName(QStringLiteral("WindowTitleBar"));
    m_tools = new QWidget;
    m_tools->setObjectName(QStringLiteral("WindowTitleTools"));
    m_close = new QPushButton;
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_close->setFlat(true);

    m_actions = new QPushButton(QStringLiteral("Actions"), this);
    auto *menu = new QMenu(m_actions);
    menu->addAction(tr("Save as..."));
    menu->addAction(tr("Open with default program"));
    menu->addSeparator();
    menu->addAction(tr("Forward via e-mail"));
    m_actions->setObjectName(QStringLiteral("Actions"));
    m_actions->setFlat(true);
    m_actions->setMenu(menu);
    m_actions->hide();
    connect(menu, SIGNAL(aboutToShow()), this, SLOT(slotMenuAboutToShow()));
    connect(menu, SIGNAL(aboutToHide()), this, SLOT(slotMenuAboutToHide()));

    connect(m_close, SIGNAL(clicked()), this, SIGNAL(closeWindow()));
    setCursor(Qt::ArrowCursor);

    auto *zoomIn = new QPushButton;
    auto *zoomOut = new QPushButton;
    m_optimize = new QPushButton;
    m_hundredPercent = new QPushButton;
    zoomIn->setObjectName(QStringLiteral("ZoomInButton"));
    zoomOut->setObjectName(QStringLiteral("ZoomOutButton"));
    m_optimize->setObjectName(QStringLiteral("AlwaysOptimizeButton"));
    m_hundredPercent->setObjectName(QStringLiteral("100PercentButton"));
    m_optimize->setCheckable(true);
    m_optimize->setChecked(true);
    for (QPushButton *button : {zoomIn, zoomOut, m_optimize, m_hundredPercent})
        button->setFlat(true);
    m_optimize->setFixedSize(32, 32);
    connect(zoomIn, &QPushButton::clicked, this, &WindowTitle::zoomInClicked);
    connect(zoomOut, &QPushButton::clicked, this, &WindowTitle::zoomOutClicked);
    connect(m_hundredPercent, &QPushButton::clicked, this, &WindowTitle::hundredPercentClicked);
    connect(m_optimize, &QPushButton::toggled, this, &WindowTitle::optimizeToggled);

    auto *viewRow = new QHBoxLayout;
    viewRow->setSpacing(0);
    viewRow->setContentsMargins(0, 0, 0, 0);
    viewRow->addWidget(zoomIn);
    viewRow->addWidget(zoomOut);
    viewRow->addWidget(m_hundredPercent);
    viewRow->addWidget(m_optimize);
    viewRow->addStretch(1);

    m_barLayout = new QHBoxLayout;
    m_barLayout->setContentsMargins(5, 5, 5, 5);
    m_barLayout->setSpacing(3);
    m_barLayout->addWidget(m_tools);
    m_barLayout->addLayout(viewRow);
    m_barLayout->addWidget(m_close);
    m_bar->setLayout(m_barLayout);

    auto *outer = new QVBoxLayout;
    outer->setSpacing(0);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_bar);
    setLayout(outer);
}

void WindowTitle::setToolsLayout(QLayout *layout)
{
    if (!layout)
        return;
    delete m_tools->layout(); // a second call replaces the first wrapper
    auto *wrapper = new QHBoxLayout;
    wrapper->setContentsMargins(0, 0, 0, 0);
    wrapper->setSpacing(0);
    wrapper->addLayout(layout);
    m_tools->setLayout(wrapper);
}

bool WindowTitle::isMenuOpen() const
{
    return m_menuOpen;
}

void WindowTitle::slotMenuAboutToShow()
{
    m_menuOpen = true;
}

void WindowTitle::slotMenuAboutToHide()
{
    m_menuOpen = false;
}

void WindowTitle::mousePressEvent(QMouseEvent *event)
{
    m_pressPosition = event->localPos().toPoint();
    QWidget::mousePressEvent(event);
}

void WindowTitle::mouseMoveEvent(QMouseEvent *event)
{
    const QPointer<WindowTitle> alive(this);
    emit changePosition((event->screenPos() - QPointF(m_pressPosition)).toPoint());
    if (alive)
        QWidget::mouseMoveEvent(event);
    event->accept();
}

} // namespace QMWidgets
