// Helpers shared by the painters, and the glyphs of the promotion bar.

#include "Drawing.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace DrawImages {

const QColor s_light(211, 211, 211);
const QColor s_bright(255, 255, 255);

QColor glyphColour(bool hover)
{
    return hover ? s_bright : s_light;
}

QPen roundPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void greyOut(QImage &image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
        }
    }
}

// Glyphs are drawn in a 48 by 48 space; the image painters place and scale it.

void glyphGrid(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            p.drawRoundedRect(QRectF(6 + column * 13, 6 + row * 13, 10, 10), 2, 2);
    }
}

void glyphMoreApps(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(6, 6, 16, 16), 3, 3);
    p.drawRoundedRect(QRectF(26, 6, 16, 16), 3, 3);
    p.drawRoundedRect(QRectF(6, 26, 16, 16), 3, 3);
    p.setPen(roundPen(colour, 4));
    p.drawLine(QPointF(34, 27), QPointF(34, 41));
    p.drawLine(QPointF(27, 34), QPointF(41, 34));
}

void glyphHelp(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(24, 24), 20, 20);
    QPainterPath mark;
    mark.moveTo(17, 18);
    mark.cubicTo(17, 10, 31, 10, 31, 18);
    mark.cubicTo(31, 23, 24, 23, 24, 29);
    p.setPen(roundPen(colour, 4.5));
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(24, 36), 3, 3);
}

void glyphMore(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(10 + i * 14, 24), 5, 5);
}

namespace {

QPainterPath starPath(const QPointF &centre, qreal outer, qreal inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    return star;
}

} // namespace

void glyphRate(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 3));
    p.setBrush(QColor(240, 190, 40));
    p.drawPath(starPath(QPointF(24, 26), 21, 9));
}

void glyphShare(QPainter &p, const QColor &colour)
{
    const QPointF left(11, 24), top(36, 10), bottom(36, 38);
    p.setPen(roundPen(colour, 3.5));
    p.drawLine(left, top);
    p.drawLine(left, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (const QPointF &node : {left, top, bottom})
        p.drawEllipse(node, 7, 7);
}

void glyphJoin(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(19, 15), 8, 8);
    QPainterPath body;
    body.moveTo(3, 42);
    body.cubicTo(3, 24, 35, 24, 35, 42);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(roundPen(colour, 4));
    p.drawLine(QPointF(40, 14), QPointF(40, 28));
    p.drawLine(QPointF(33, 21), QPointF(47, 21));
}

// The menu shows the promotion bar's glyphs filling its pictures' square, in the light blue of its other
// entries: inside the bar's 50 by 32 pictures they came out 8 pixels high and grey.
const QColor s_menuGlyph(120, 190, 240);

void iconIntroMenu(QPainter &p)
{
    glyphHelp(p, s_menuGlyph);
}

void iconShareMenu(QPainter &p)
{
    glyphShare(p, s_menuGlyph);
}

void iconJoinMenu(QPainter &p)
{
    glyphJoin(p, s_menuGlyph);
}

// The buttons of the promotion bar are 50 by 32: the glyph sits in the middle 24 by 24 on a dark plate of
// its own, so that it reads on the bar and on the toolkit's light grey alike; the hover picture adds a soft
// light behind a brighter glyph.
void paintBarButton(QPainter &p, const QSize &size, bool hover, void (*glyph)(QPainter &, const QColor &))
{
    p.setPen(QPen(QColor(90, 90, 94), 1));
    p.setBrush(QColor(40, 40, 42));
    p.drawRoundedRect(QRectF(QPointF(0.5, 0.5), QSizeF(size) - QSizeF(1, 1)), 6, 6);
    if (hover) {
        QRadialGradient light(QPointF(size.width() / 2.0, size.height() / 2.0), size.height() * 0.7);
        light.setColorAt(0, QColor(255, 255, 255, 70));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawRoundedRect(QRectF(QPointF(0, 0), size), 6, 6);
    }
    p.translate((size.width() - 24) / 2.0, (size.height() - 24) / 2.0);
    p.scale(0.5, 0.5);
    glyph(p, glyphColour(hover));
}

} // namespace DrawImages
