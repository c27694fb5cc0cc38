#include "QMWidgets/widgets/ColorWidget.h"

#include "QMWidgets/widgets/ColorWidgetPopup.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

namespace QMWidgets {

ColorWidget::ColorWidget(QWidget *parent)
    : QWidget(parent)
    , m_color(Qt::green)
{
    setAttribute(Qt::WA_MouseTracking);
    setMinimumWidth(10);
    setMinimumHeight(10);
    m_popup = new ColorWidgetPopup(this, Qt::ToolTip);
    m_popup->hide();
    m_popup->setWindowOpacity(1.0);
    connect(m_popup, SIGNAL(colorChanged(const QColor &)), this, SLOT(slotColorChanged(const QColor &)));
}

void ColorWidget::setColor(const QColor &color)
{
    m_color = color;
    repaint();
}

QColor ColorWidget::color() const
{
    return m_color;
}

void ColorWidget::setPopupOpacity(float opacity)
{
    m_popup->setWindowOpacity(double(opacity));
}

void ColorWidget::slotColorChanged(const QColor &color)
{
    m_color = color;
    repaint();
    emit colorChanged(color);
}

void ColorWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint global = mapToGlobal(QPoint(0, 0));
    m_popup->move(global.x(), global.y() + height());
    m_popup->setVisible(m_popup->isHidden());
    QWidget::mousePressEvent(event);
}

void ColorWidget::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setBrush(QBrush(m_color, Qt::SolidPattern));
    painter.drawRect(0, 0, w, h);

    QRadialGradient gloss(QPointF(5, 5), w / 2, QPointF(5, 5));
    gloss.setColorAt(0, Qt::white);
    gloss.setColorAt(1, Qt::gray);
    painter.setOpacity(0.5);
    painter.setBrush(gloss);
    painter.drawRect(0, 0, w, h);

    painter.setOpacity(1.0);
    painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter.translate(w - 10, h - 8);
    const QPoint arrow[3] = {QPoint(0, 0), QPoint(8, 0), QPoint(4, 4)};
    painter.drawPolygon(arrow, 3, Qt::OddEvenFill);
}

} // namespace QMWidgets
