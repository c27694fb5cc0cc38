#include "MGraphX/XaniWidget.h"

#include <QPainter>

namespace MGraphX {

XaniWidget::XaniWidget(QWidget *parent)
    : QWidget(parent)
{
    connect(&m_animation, SIGNAL(frameChanged()), this, SLOT(repaint()));
}

XaniWidget::~XaniWidget() = default;

void XaniWidget::setAnimation(const Xani &animation)
{
    m_animation = animation;
}

void XaniWidget::play()
{
    m_animation.start();
}

void XaniWidget::stop()
{
    m_animation.stop();
}

void XaniWidget::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        const QImage &current = m_animation;
        painter.drawImage(QRect(0, 0, width(), height()), current, QRect(0, 0, current.width(), current.height()));
    }
    QWidget::paintEvent(event);
}

} // namespace MGraphX
