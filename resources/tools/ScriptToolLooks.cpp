// The standalone script window's tool icons; Drawing.h draws them in their four looks.

#include "Drawing.h"

#include <QPainterPath>

namespace DrawImages {

// A lens and its handle: the search field's magnifier and the script window's zoom button.
void iconLens(QPainter &p)
{
    drawLens(p, QPointF(20, 20), 14);
}

// The standalone script window's tool images, in four looks: on (pressed), off (plain), disabled (grey and
// faint) and selected (on a light plate). The icon is drawn in its 48 by 48 space and scaled to the image.

void iconUndoArrow(QPainter &p)
{
    drawTurnArrow(p, true);
}

void iconRedoArrow(QPainter &p)
{
    drawTurnArrow(p, false);
}

// Two windows, the front one raised, with an arrow pointing up.
void iconOnTop(QPainter &p)
{
    p.setPen(roundPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(4, 16, 26, 26));
    p.setPen(roundPen(QColor(30, 50, 90), 2));
    p.setBrush(QColor(90, 150, 220));
    p.drawRect(QRectF(16, 6, 26, 26));
    p.setBrush(QColor(30, 50, 90));
    p.drawRect(QRectF(16, 6, 26, 6));
    p.setPen(roundPen(s_bright, 3.5));
    p.drawLine(QPointF(29, 28), QPointF(29, 16));
    p.drawLine(QPointF(24, 21), QPointF(29, 16));
    p.drawLine(QPointF(34, 21), QPointF(29, 16));
}

// A list of scripts with a run mark.
void iconBatch(QPainter &p)
{
    p.setPen(roundPen(s_light, 4));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(6, 8 + i * 10), QPointF(26, 8 + i * 10));
    QPainterPath play;
    play.moveTo(30, 16);
    play.lineTo(46, 28);
    play.lineTo(30, 40);
    play.closeSubpath();
    p.setPen(roundPen(QColor(20, 90, 30), 2));
    p.setBrush(QColor(60, 180, 70));
    p.drawPath(play);
}

// A label tag: another name for a thing.
void iconAliases(QPainter &p)
{
    QPainterPath tag;
    tag.moveTo(6, 20);
    tag.lineTo(20, 6);
    tag.lineTo(42, 6);
    tag.lineTo(42, 42);
    tag.lineTo(20, 42);
    tag.lineTo(6, 28);
    tag.closeSubpath();
    p.setPen(roundPen(QColor(120, 80, 20), 2));
    p.setBrush(QColor(240, 190, 80));
    p.drawPath(tag);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(17, 24), 3.5, 3.5);
    p.setPen(roundPen(QColor(120, 80, 20), 3));
    p.drawLine(QPointF(26, 18), QPointF(37, 18));
    p.drawLine(QPointF(26, 30), QPointF(37, 30));
}

void iconCopy(QPainter &p)
{
    p.setPen(roundPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6, 4, 24, 30));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(18, 14, 24, 30));
    p.setPen(roundPen(QColor(120, 120, 120), 2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(23, 23 + i * 7), QPointF(37, 23 + i * 7));
}

void iconPaste(QPainter &p)
{
    p.setPen(roundPen(QColor(90, 60, 30), 2));
    p.setBrush(QColor(170, 120, 60));
    p.drawRoundedRect(QRectF(6, 8, 30, 36), 3, 3);
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(14, 4, 14, 8), 2, 2);
    p.setPen(roundPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(20, 18, 22, 26));
    p.setPen(roundPen(QColor(120, 120, 120), 2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(24, 25 + i * 6), QPointF(38, 25 + i * 6));
}

} // namespace DrawImages
