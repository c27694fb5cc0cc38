// The annotation editor's tools, cursors, thickness menu and buttons, and the drag-out glass.

#include "Drawing.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace DrawImages {

// The annotation editor's tools. Each glyph is drawn in a 24 by 24 space in the colour it is given, with a
// dark edge so it stands out on any picture; the cursors draw it in pure blue where the editor tints them
// with the drawing colour, the side-bar buttons in a light accent.

const QColor s_toolEdge(30, 30, 30);
const QColor s_toolAccent(250, 200, 40);
const QColor s_cursorTint(0, 0, 255);

namespace {

void strokeWithEdge(QPainter &p, const QPainterPath &path, const QColor &colour, qreal width,
                    Qt::PenCapStyle cap = Qt::RoundCap)
{
    p.setBrush(Qt::NoBrush);
    p.strokePath(path, QPen(s_toolEdge, width + 2, Qt::SolidLine, cap, Qt::RoundJoin));
    p.strokePath(path, QPen(colour, width, Qt::SolidLine, cap, Qt::RoundJoin));
}

void fillWithEdge(QPainter &p, const QPainterPath &path, const QColor &colour)
{
    p.setPen(QPen(s_toolEdge, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(path);
}

QPainterPath linePath(const QPointF &from, const QPointF &to)
{
    QPainterPath path;
    path.moveTo(from);
    path.lineTo(to);
    return path;
}

QPainterPath trianglePath(const QPointF &a, const QPointF &b, const QPointF &c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

} // namespace

void toolPen(QPainter &p, const QColor &colour)
{
    strokeWithEdge(p, linePath(QPointF(8, 16), QPointF(19, 5)), colour, 5);
    fillWithEdge(p, trianglePath(QPointF(3, 21), QPointF(5, 14), QPointF(10, 19)), s_toolEdge);
}

void toolEraser(QPainter &p, const QColor &)
{
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    QPainterPath rubber;
    rubber.addRoundedRect(QRectF(-10, -5, 10, 10), 2, 2);
    fillWithEdge(p, rubber, QColor(245, 245, 245));
    QPainterPath sleeve;
    sleeve.addRoundedRect(QRectF(0, -5, 10, 10), 2, 2);
    fillWithEdge(p, sleeve, QColor(235, 120, 140));
    p.restore();
}

void toolHighlighter(QPainter &p, const QColor &colour)
{
    strokeWithEdge(p, linePath(QPointF(2, 22), QPointF(14, 22)), colour, 3, Qt::FlatCap);
    strokeWithEdge(p, linePath(QPointF(9, 15), QPointF(19, 5)), colour, 7, Qt::FlatCap);
    fillWithEdge(p, trianglePath(QPointF(4, 19), QPointF(5, 14), QPointF(10, 19)), colour);
}

void toolRectangle(QPainter &p, const QColor &colour)
{
    QPainterPath frame;
    frame.addRect(QRectF(4, 6, 16, 12));
    strokeWithEdge(p, frame, colour, 3, Qt::SquareCap);
}

void toolFilledRectangle(QPainter &p, const QColor &colour)
{
    QPainterPath block;
    block.addRect(QRectF(4, 6, 16, 12));
    fillWithEdge(p, block, colour);
}

void toolBlur(QPainter &p, const QColor &)
{
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            QRadialGradient spot(QPointF(6 + column * 6, 6 + row * 6), 4.5);
            spot.setColorAt(0, QColor(90, 90, 90, 255 - (row + column) * 40));
            spot.setColorAt(1, QColor(90, 90, 90, 0));
            p.setBrush(spot);
            p.drawEllipse(QPointF(6 + column * 6, 6 + row * 6), 4.5, 4.5);
        }
    }
    QPainterPath frame;
    frame.addRoundedRect(QRectF(1.5, 1.5, 21, 21), 3, 3);
    p.setPen(QPen(QColor(200, 200, 200), 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
}

void toolOval(QPainter &p, const QColor &colour)
{
    QPainterPath ring;
    ring.addEllipse(QRectF(3, 6, 18, 12));
    strokeWithEdge(p, ring, colour, 3);
}

void toolFilledOval(QPainter &p, const QColor &colour)
{
    QPainterPath disc;
    disc.addEllipse(QRectF(3, 6, 18, 12));
    fillWithEdge(p, disc, colour);
}

void toolLine(QPainter &p, const QColor &colour)
{
    strokeWithEdge(p, linePath(QPointF(4, 20), QPointF(20, 4)), colour, 3);
}

void toolArrow(QPainter &p, const QColor &colour)
{
    QPainterPath arrow = linePath(QPointF(4, 20), QPointF(20, 4));
    arrow.moveTo(11, 4);
    arrow.lineTo(20, 4);
    arrow.lineTo(20, 13);
    strokeWithEdge(p, arrow, colour, 3);
}

void toolText(QPainter &p, const QColor &colour)
{
    QPainterPath letter;
    letter.addRect(QRectF(5, 4, 14, 4));
    letter.addRect(QRectF(10, 8, 4, 12));
    letter.setFillRule(Qt::WindingFill);
    fillWithEdge(p, letter.simplified(), colour);
}

// The thickness menu: level strokes of the width offered, light with a dark edge so that they show on a
// light menu and on a dark one.
void paintWidthStroke(QPainter &p, qreal from, qreal to, qreal y, qreal width)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(from - 1, y - width / 2 - 1, to - from + 2, width + 2));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(from, y - width / 2, to - from, width));
}

void paintDash(QPainter &p, const QSize &size)
{
    for (qreal x = 3; x + 5 <= size.width() - 3; x += 9)
        paintWidthStroke(p, x, x + 5, size.height() / 2.0, 3);
}

void iconThickness(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(s_light);
    const qreal widths[] = {2, 5, 9};
    qreal top = 7;
    for (qreal width : widths) {
        p.drawRect(QRectF(6, top, 36, width));
        top += width + 7;
    }
}

void iconQuit(QPainter &p)
{
    p.setPen(roundPen(QColor(240, 110, 100), 5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 9, 32, 32), 120 * 16, -240 * 16);
    p.drawLine(QPointF(24, 5), QPointF(24, 24));
}

void iconAccept(QPainter &p)
{
    p.setPen(roundPen(QColor(80, 200, 90), 7));
    p.drawPolyline(QPolygonF({QPointF(8, 25), QPointF(19, 36), QPointF(40, 12)}));
}

void iconReject(QPainter &p)
{
    p.setPen(roundPen(QColor(230, 80, 70), 7));
    p.drawLine(QPointF(11, 11), QPointF(37, 37));
    p.drawLine(QPointF(37, 11), QPointF(11, 37));
}

namespace {

void drawLetterA(QPainter &p)
{
    p.setPen(roundPen(s_light, 5));
    p.drawPolyline(QPolygonF({QPointF(5, 42), QPointF(17, 10), QPointF(29, 42)}));
    p.drawLine(QPointF(10, 31), QPointF(24, 31));
}

} // namespace

void iconTextLarger(QPainter &p)
{
    drawLetterA(p);
    p.setPen(roundPen(s_toolAccent, 4));
    p.drawLine(QPointF(38, 8), QPointF(38, 22));
    p.drawLine(QPointF(31, 15), QPointF(45, 15));
}

void iconTextSmaller(QPainter &p)
{
    drawLetterA(p);
    p.setPen(roundPen(s_toolAccent, 4));
    p.drawLine(QPointF(31, 15), QPointF(45, 15));
}

// The glass over the drag-out thumbnail: a sheen across its upper half and a bright rim, mostly clear so
// the picture shows through.
void paintGlass(QPainter &p, const QSize &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0, QColor(255, 255, 255, 60));
    body.setColorAt(0.5, QColor(255, 255, 255, 10));
    body.setColorAt(1, QColor(0, 0, 0, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(0, 0, w, h), 6, 6);
    QPainterPath sheen;
    sheen.moveTo(3, 3);
    sheen.lineTo(w - 3, 3);
    sheen.lineTo(w - 3, h * 0.3);
    sheen.cubicTo(w * 0.6, h * 0.45, w * 0.3, h * 0.5, 3, h * 0.55);
    sheen.closeSubpath();
    QLinearGradient shine(0, 0, w * 0.4, h * 0.6);
    shine.setColorAt(0, QColor(255, 255, 255, 110));
    shine.setColorAt(1, QColor(255, 255, 255, 15));
    p.setBrush(shine);
    p.drawPath(sheen);
    p.setPen(QPen(QColor(255, 255, 255, 150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 5, 5);
}

} // namespace DrawImages
