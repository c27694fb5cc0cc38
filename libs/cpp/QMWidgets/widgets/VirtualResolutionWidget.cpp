#include "QMWidgets/widgets/VirtualResolutionWidget.h"

#include <QBoxLayout>
#include <QDebug>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>

namespace QMWidgets {

namespace {
const qreal InitialSceneSide = 800;
const int VisibleMargin = 50;
}

VirtualResolutionWidget::VirtualResolutionWidget(QWidget *parent)
    : QWidget(parent)
{
    m_scene = new QGraphicsScene(0, 0, InitialSceneSide, InitialSceneSide, this);
    m_view = new QGraphicsView(m_scene);
    m_view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // The view always fits the whole picture, so scroll bars could only take room from it: a fit made
    // while they showed left the picture short of the view until the next resize.
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    QPalette ground = palette();
    ground.setBrush(backgroundRole(), QBrush(Qt::green));
    setPalette(ground);

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    setLayout(layout);
}

VirtualResolutionWidget *VirtualResolutionWidget::instance()
{
    static VirtualResolutionWidget *widget = new VirtualResolutionWidget;
    return widget;
}

void VirtualResolutionWidget::setWidget(QWidget *widget)
{
    m_proxy = m_scene->addWidget(widget, Qt::WindowFlags());
    fitView();
}

void VirtualResolutionWidget::fitView()
{
    m_view->fitInView(m_proxy, Qt::IgnoreAspectRatio);
    m_proxy->setPos(0, 0);
}

// Before a widget is set there is nothing to size or fit, so the slots leave everything as it is.
void VirtualResolutionWidget::slotSetWidth(int width)
{
    if (!m_proxy)
        return;
    m_virtualSize.setWidth(width);
    applyVirtualSize("Size1:");
}

void VirtualResolutionWidget::slotSetHeight(int height)
{
    if (!m_proxy)
        return;
    m_virtualSize.setHeight(height);
    applyVirtualSize("Size2:");
}

void VirtualResolutionWidget::slotSetSize(QPoint size)
{
    if (!m_proxy)
        return;
    m_virtualSize = QSize(size.x(), size.y());
    applyVirtualSize(nullptr);
}

void VirtualResolutionWidget::applyVirtualSize(const char *debugLabel)
{
    m_proxy->widget()->setFixedSize(m_virtualSize);
    if (debugLabel)
        qDebug() << debugLabel << m_virtualSize;
    m_scene->setSceneRect(0, 0, m_virtualSize.width(), m_virtualSize.height());
    fitView();
}

void VirtualResolutionWidget::resizeEvent(QResizeEvent *event)
{
    if (m_proxy) {
        m_view->fitInView(m_proxy, Qt::IgnoreAspectRatio);
        m_view->ensureVisible(m_proxy, VisibleMargin, VisibleMargin);
    }
    QWidget::resizeEvent(event);
}

// Before the first show the viewport has not taken its size yet, so a fit made then is made again now
// that the view is laid out.
void VirtualResolutionWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_proxy)
        fitView();
}

} // namespace QMWidgets
