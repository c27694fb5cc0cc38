// The kit's pictures: backgrounds, arrows, badges, logos, social buttons, application tiles, drop area.

#include "Drawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace DrawImages {

// Pictures whose size is set by their use rather than by a 48 by 48 icon.

void paintBackgroundBar(QPainter &p, const QSize &size)
{
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(75, 75, 78));
    fill.setColorAt(0.5, QColor(40, 40, 42));
    fill.setColorAt(1, QColor(18, 18, 20));
    p.fillRect(QRect(QPoint(0, 0), size), fill);
    p.fillRect(QRect(0, 0, size.width(), 1), QColor(110, 110, 112));
    p.fillRect(QRect(0, size.height() - 1, size.width(), 1), QColor(0, 0, 0));
}

void paintDownArrow(QPainter &p, const QSize &size)
{
    QPainterPath arrow;
    arrow.moveTo(2, size.height() * 0.3);
    arrow.lineTo(size.width() - 2, size.height() * 0.3);
    arrow.lineTo(size.width() / 2.0, size.height() * 0.8);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(s_light);
    p.drawPath(arrow);
}

// The mark of a button that opens a menu: a light arrow outlined in black reads on dark buttons and on the
// toolkit's light ones.
void paintMenuMark(QPainter &p, const QSize &size)
{
    QPainterPath arrow;
    arrow.moveTo(1.5, size.height() * 0.25);
    arrow.lineTo(size.width() - 1.5, size.height() * 0.25);
    arrow.lineTo(size.width() / 2.0, size.height() * 0.85);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 20, 20), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(s_light);
    p.drawPath(arrow);
}

// The dark family of the kit's controls inside dialogs: the spin box's other arrow and the check box's tick.
void paintUpArrow(QPainter &p, const QSize &size)
{
    p.translate(0, size.height());
    p.scale(1, -1);
    paintDownArrow(p, size);
}

void paintCheckMark(QPainter &p, const QSize &size)
{
    QPainterPath tick;
    tick.moveTo(size.width() * 0.2, size.height() * 0.55);
    tick.lineTo(size.width() * 0.42, size.height() * 0.78);
    tick.lineTo(size.width() * 0.82, size.height() * 0.25);
    p.setPen(QPen(Qt::white, size.width() / 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void paintPanelBackground(QPainter &p, const QSize &size)
{
    p.fillRect(QRect(QPoint(0, 0), size), QColor(38, 38, 40));
    // Diagonals that meet across the edges, so the picture tiles without seams.
    p.setPen(QPen(QColor(48, 48, 51), 1));
    for (int offset = -size.height(); offset < size.width(); offset += 8)
        p.drawLine(QPointF(offset, size.height()), QPointF(offset + size.height(), 0));
}

void paintLogo(QPainter &p, const QSize &size)
{
    p.scale(size.width() / 96.0, size.height() / 96.0);
    QLinearGradient fill(0, 0, 96, 96);
    fill.setColorAt(0, QColor(40, 150, 170));
    fill.setColorAt(1, QColor(20, 40, 90));
    p.setPen(QPen(QColor(10, 20, 40), 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(3, 3, 90, 90), 18, 18);

    QPainterPath brace;
    brace.moveTo(30, 20);
    brace.cubicTo(20, 20, 24, 34, 22, 42);
    brace.cubicTo(21, 46, 18, 48, 14, 48);
    brace.cubicTo(18, 48, 21, 50, 22, 54);
    brace.cubicTo(24, 62, 20, 76, 30, 76);
    p.setPen(roundPen(QColor(245, 245, 245), 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(brace);
    p.save();
    p.translate(96, 0);
    p.scale(-1, 1);
    p.drawPath(brace);
    p.restore();

    QPainterPath play;
    play.moveTo(40, 34);
    play.lineTo(60, 48);
    play.lineTo(40, 62);
    play.closeSubpath();
    p.setPen(roundPen(QColor(20, 90, 30), 2));
    p.setBrush(QColor(110, 220, 110));
    p.drawPath(play);
}

namespace {

// A lit round badge in a 64 by 64 space, for the update pictures.
void paintBadge(QPainter &p, const QSize &size, const QColor &light, const QColor &dark, const QColor &rim)
{
    p.scale(size.width() / 64.0, size.height() / 64.0);
    QRadialGradient fill(QPointF(26, 22), 40);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    p.setPen(QPen(rim, 2));
    p.setBrush(fill);
    p.drawEllipse(QPointF(32, 32), 29, 29);
}

} // namespace

// A green badge with a downward arrow: a newer build waits.
void paintUpdateAvailable(QPainter &p, const QSize &size)
{
    paintBadge(p, size, QColor(120, 220, 130), QColor(30, 130, 50), QColor(20, 80, 30));
    p.setPen(roundPen(s_bright, 6));
    p.drawLine(QPointF(32, 14), QPointF(32, 42));
    p.drawLine(QPointF(20, 32), QPointF(32, 44));
    p.drawLine(QPointF(44, 32), QPointF(32, 44));
    p.drawLine(QPointF(19, 51), QPointF(45, 51));
}

// A grey badge with a tick: nothing newer.
void paintUpdateNotAvailable(QPainter &p, const QSize &size)
{
    paintBadge(p, size, QColor(200, 205, 215), QColor(110, 118, 132), QColor(70, 75, 85));
    QPainterPath tick;
    tick.moveTo(18, 33);
    tick.lineTo(28, 43);
    tick.lineTo(47, 22);
    p.setPen(roundPen(s_bright, 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

// An amber badge with a question mark: nothing could be learnt, so it must not look like the tick.
void paintUpdateUnknown(QPainter &p, const QSize &size)
{
    paintBadge(p, size, QColor(250, 215, 130), QColor(200, 130, 30), QColor(120, 75, 15));
    QPainterPath hook;
    hook.moveTo(23, 24);
    hook.arcTo(QRectF(23, 13, 18, 18), 180, -240);
    hook.quadTo(32, 31, 32, 38);
    p.setPen(roundPen(s_bright, 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(s_bright);
    p.drawEllipse(QPointF(32, 49), 3.6, 3.6);
}

// The maker's mark: three rising bars beside a ring, drawn without text so no font decides its look.
void paintMakerLogo(QPainter &p, const QSize &size)
{
    p.scale(size.width() / 80.0, size.height() / 20.0);
    p.setPen(QPen(QColor(0, 160, 224), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 160, 224));
    for (int bar = 0; bar < 3; ++bar)
        p.drawRoundedRect(QRectF(24 + bar * 9, 14 - bar * 5, 6, 4 + bar * 5), 1.5, 1.5);
    p.setBrush(QColor(0, 110, 170));
    p.drawRoundedRect(QRectF(52, 8, 26, 4), 2, 2);
}

// Glyphs of the social buttons, white on the service's colour, in the same 48 by 48 space.

void glyphFacebook(QPainter &p, const QColor &colour)
{
    QPainterPath f;
    f.moveTo(20, 44);
    f.lineTo(20, 26);
    f.lineTo(14, 26);
    f.lineTo(14, 19);
    f.lineTo(20, 19);
    f.lineTo(20, 14);
    f.cubicTo(20, 7, 24, 4, 31, 4);
    f.lineTo(35, 4);
    f.lineTo(35, 11);
    f.lineTo(31, 11);
    f.cubicTo(28, 11, 27, 12, 27, 15);
    f.lineTo(27, 19);
    f.lineTo(35, 19);
    f.lineTo(34, 26);
    f.lineTo(27, 26);
    f.lineTo(27, 44);
    f.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(f);
}

void glyphTwitter(QPainter &p, const QColor &colour)
{
    QPainterPath bird;
    bird.moveTo(4, 36);
    bird.cubicTo(18, 44, 38, 36, 38, 14);
    bird.lineTo(44, 9);
    bird.lineTo(37, 10);
    bird.cubicTo(33, 4, 22, 6, 23, 17);
    bird.cubicTo(15, 17, 9, 13, 5, 8);
    bird.cubicTo(3, 14, 6, 19, 10, 22);
    bird.cubicTo(8, 22, 7, 22, 6, 21);
    bird.cubicTo(7, 26, 10, 28, 14, 29);
    bird.cubicTo(11, 32, 8, 34, 4, 36);
    bird.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(bird);
}

void glyphVKontakte(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 4.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath v;
    v.moveTo(4, 14);
    v.lineTo(13, 34);
    v.lineTo(22, 14);
    p.drawPath(v);
    p.drawLine(QPointF(29, 14), QPointF(29, 34));
    QPainterPath k;
    k.moveTo(43, 14);
    k.lineTo(30, 25);
    k.lineTo(44, 34);
    p.drawPath(k);
}

void glyphMail(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 11, 38, 26), 3, 3);
    QPainterPath flap;
    flap.moveTo(6, 13);
    flap.lineTo(24, 27);
    flap.lineTo(42, 13);
    p.drawPath(flap);
}

void glyphYouTube(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3, 9, 42, 30), 9, 9);
    QPainterPath play;
    play.moveTo(19, 16);
    play.lineTo(32, 24);
    play.lineTo(19, 32);
    play.closeSubpath();
    p.setBrush(QColor(205, 32, 31));
    p.drawPath(play);
}

namespace {

void glyphPlus(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 5));
    p.drawLine(QPointF(24, 10), QPointF(24, 38));
    p.drawLine(QPointF(10, 24), QPointF(38, 24));
}

} // namespace

// The share and follow buttons are 190 by 35: the service's glyph on the left, on its colour, and the
// action on the right, the share nodes or a plus; the hover picture is lighter.
void paintSocialButton(QPainter &p, const QSize &size, bool hover, void (*glyph)(QPainter &, const QColor &),
                       QRgb brand, bool join)
{
    const QColor base = QColor::fromRgb(brand);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, (hover ? base.lighter(150) : base.lighter(120)));
    fill.setColorAt(1, (hover ? base.lighter(110) : base.darker(130)));
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);

    const qreal side = size.height() - 8;
    p.save();
    p.translate(10, 4);
    p.scale(side / 48.0, side / 48.0);
    glyph(p, s_bright);
    p.restore();

    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(QPointF(side + 20, 6), QPointF(side + 20, size.height() - 6));

    p.save();
    p.translate(size.width() - side - 10, 4);
    p.scale(side / 48.0, side / 48.0);
    if (join)
        glyphPlus(p, glyphColour(hover));
    else
        glyphShare(p, glyphColour(hover));
    p.restore();
}

// The tutorial prompt's background: deep water with bubbles and a fish near the edges, so that the
// question in the middle stays readable. Opaque, as it is stored as JPEG.
void paintTutorialPicture(QPainter &p, const QSize &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    // Deep water: the question stands on it in white.
    QLinearGradient sea(0, 0, 0, h);
    sea.setColorAt(0, QColor(22, 70, 110));
    sea.setColorAt(1, QColor(8, 32, 62));
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawRect(QRectF(0, 0, w, h));

    p.setBrush(QColor(30, 62, 92));
    QPainterPath ground;
    ground.moveTo(0, h);
    ground.cubicTo(w * 0.3, h * 0.86, w * 0.6, h * 0.98, w, h * 0.88);
    ground.lineTo(w, h);
    ground.closeSubpath();
    p.drawPath(ground);

    p.setPen(QPen(QColor(255, 255, 255, 120), 1.5));
    p.setBrush(QColor(255, 255, 255, 40));
    const QPointF bubbles[] = {QPointF(w * 0.9, h * 0.2), QPointF(w * 0.93, h * 0.38), QPointF(w * 0.87, h * 0.52),
                               QPointF(w * 0.1, h * 0.08), QPointF(w * 0.04, h * 0.16)};
    qreal radius = 7;
    for (const QPointF &centre : bubbles) {
        p.drawEllipse(centre, radius, radius);
        radius = radius > 3 ? radius - 1.5 : 7;
    }

    p.save();
    p.translate(w * 0.1, h * 0.78);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 130, 40));
    p.drawEllipse(QPointF(0, 0), 18, 10);
    const QPointF tail[] = {QPointF(-15, 0), QPointF(-28, -9), QPointF(-28, 9)};
    p.drawPolygon(tail, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-4, -9.5, 4, 19));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(9, -2), 2, 2);
    p.restore();
}

// Glyphs of the catalogue's application tiles, one per kind of application.

void glyphNote(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(15, 36), 7, 5.5);
    p.drawEllipse(QPointF(35, 32), 7, 5.5);
    p.setPen(roundPen(colour, 3.5));
    p.drawLine(QPointF(21, 36), QPointF(21, 10));
    p.drawLine(QPointF(41, 32), QPointF(41, 6));
    p.drawLine(QPointF(21, 10), QPointF(41, 6));
}

void glyphBraces(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(17, 12), QPointF(6, 24), QPointF(17, 36)}));
    p.drawPolyline(QPolygonF({QPointF(31, 12), QPointF(42, 24), QPointF(31, 36)}));
    p.drawLine(QPointF(27, 8), QPointF(21, 40));
}

void glyphBrush(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 5));
    p.drawLine(QPointF(38, 8), QPointF(20, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPainterPath tip;
    tip.moveTo(20, 26);
    tip.cubicTo(10, 26, 14, 38, 6, 42);
    tip.cubicTo(18, 44, 26, 38, 22, 30);
    tip.closeSubpath();
    p.drawPath(tip);
}

void glyphCamera(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 14, 38, 26), 5, 5);
    p.drawEllipse(QPointF(24, 27), 8, 8);
    p.drawLine(QPointF(16, 14), QPointF(19, 8));
    p.drawLine(QPointF(19, 8), QPointF(29, 8));
    p.drawLine(QPointF(29, 8), QPointF(32, 14));
}

void glyphWave(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 4));
    const int heights[] = {6, 14, 24, 32, 20, 28, 12, 6};
    for (int i = 0; i < 8; ++i) {
        const qreal x = 6 + i * 5.1;
        p.drawLine(QPointF(x, 24 - heights[i] / 2.0), QPointF(x, 24 + heights[i] / 2.0));
    }
}

// A 64 by 64 tile of the catalogue: a rounded square in the application's colour with its glyph.
void paintAppTile(QPainter &p, const QSize &size, QRgb colour, void (*glyph)(QPainter &, const QColor &))
{
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(colour).lighter(140));
    fill.setColorAt(1, QColor(colour).darker(130));
    p.setPen(QPen(QColor(colour).darker(180), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2, 2, size.width() - 4, size.height() - 4), 12, 12);
    p.translate(size.width() * 0.2, size.height() * 0.2);
    p.scale(size.width() * 0.6 / 48.0, size.height() * 0.6 / 48.0);
    glyph(p, s_bright);
}

// The drop area: a dashed tray with an arrow falling into it, in soft grey on transparent.
void paintDropArea(QPainter &p, const QSize &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    p.setPen(QPen(QColor(150, 150, 150), 4, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(150, 150, 150, 30));
    p.drawRoundedRect(QRectF(6, 6, w - 12, h - 12), 16, 16);
    p.setPen(roundPen(QColor(120, 120, 120), 10));
    // Arrow and tray keep to the middle: the widget writes its caption at the top inside the frame and puts
    // its button at the bottom.
    p.drawLine(QPointF(w / 2, h * 0.32), QPointF(w / 2, h * 0.58));
    p.drawLine(QPointF(w / 2 - h * 0.11, h * 0.47), QPointF(w / 2, h * 0.58));
    p.drawLine(QPointF(w / 2 + h * 0.11, h * 0.47), QPointF(w / 2, h * 0.58));
    p.drawLine(QPointF(w * 0.34, h * 0.66), QPointF(w * 0.66, h * 0.66));
}

// Open files: two photo frames, one overlapping the other, with a hill and a sun.
void paintOpenFiles(QPainter &p, const QSize &)
{
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(3.5, 3.5, 18, 14));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 11.5, 19, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 150, 70));
    const QPointF hill[] = {QPointF(11, 26), QPointF(17, 18), QPointF(21, 23), QPointF(24, 20), QPointF(27, 26)};
    p.drawPolygon(hill, 5);
    p.setBrush(QColor(240, 180, 40));
    p.drawEllipse(QPointF(23, 15.5), 2, 2);
}

} // namespace DrawImages
