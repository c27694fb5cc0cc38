// The message boxes' pictures: information, warning, critical and question, drawn in a 32 by 32 space so that the
// "@2x" files hold their own detail.

#include "Drawing.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace DrawImages {

namespace {

void disc(QPainter &p, const QColor &light, const QColor &dark)
{
    QRadialGradient fill(QPointF(12, 10), 20);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
}

} // namespace

void paintMessageInformation(QPainter &p, const QSize &)
{
    disc(p, QColor(120, 180, 255), QColor(20, 90, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9), 2.3, 2.3);
    p.drawRoundedRect(QRectF(14, 13, 4, 12), 1.5, 1.5);
}

void paintMessageWarning(QPainter &p, const QSize &)
{
    QPainterPath triangle;
    triangle.moveTo(16, 2);
    triangle.lineTo(30.5, 28.5);
    triangle.lineTo(1.5, 28.5);
    triangle.closeSubpath();
    QLinearGradient fill(0, 2, 0, 29);
    fill.setColorAt(0, QColor(255, 225, 90));
    fill.setColorAt(1, QColor(235, 165, 0));
    p.setPen(QPen(QColor(150, 100, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 0));
    p.drawRoundedRect(QRectF(14.4, 10, 3.2, 10.5), 1.4, 1.4);
    p.drawEllipse(QPointF(16, 24), 1.9, 1.9);
}

void paintMessageCritical(QPainter &p, const QSize &)
{
    disc(p, QColor(255, 120, 110), QColor(190, 20, 20));
    p.setPen(roundPen(Qt::white, 3.6));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

void paintMessageQuestion(QPainter &p, const QSize &)
{
    disc(p, QColor(120, 180, 255), QColor(20, 90, 200));
    QPainterPath hook;
    hook.moveTo(11.5, 12.5);
    hook.cubicTo(11.5, 6.5, 20.5, 6.5, 20.5, 12);
    hook.cubicTo(20.5, 15.5, 16, 15.5, 16, 19.5);
    p.setPen(roundPen(Qt::white, 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 24.5), 2.1, 2.1);
}

} // namespace DrawImages
