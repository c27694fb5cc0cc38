// Paints the compiled-in images of the program into a folder: drawimages <folder>.
// The PNGs are kept in the repository; run this (target "images") after changing a picture.

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>

namespace {

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

// The buttons of the promotion bar are 50 by 32: the glyph sits in the middle 24 by 24,
// and the hover picture adds a soft light behind a brighter glyph.
void paintBarButton(QPainter &p, const QSize &size, bool hover, void (*glyph)(QPainter &, const QColor &))
{
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

// Tool-bar icons: drawn light, with a colour accent, on a transparent 48 by 48 square.

void iconMenu(QPainter &p)
{
    p.setPen(roundPen(s_light, 5));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(8, 12 + i * 12), QPointF(40, 12 + i * 12));
}

QPainterPath pagePath()
{
    QPainterPath page;
    page.moveTo(10, 4);
    page.lineTo(30, 4);
    page.lineTo(40, 14);
    page.lineTo(40, 44);
    page.lineTo(10, 44);
    page.closeSubpath();
    return page;
}

void drawPage(QPainter &p)
{
    p.setPen(roundPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(235, 235, 235));
    p.drawPath(pagePath());
    p.setBrush(QColor(200, 200, 200));
    QPainterPath fold;
    fold.moveTo(30, 4);
    fold.lineTo(30, 14);
    fold.lineTo(40, 14);
    fold.closeSubpath();
    p.drawPath(fold);
}

void iconNewFile(QPainter &p)
{
    drawPage(p);
    p.setPen(roundPen(QColor(40, 170, 60), 5));
    p.drawLine(QPointF(25, 24), QPointF(25, 38));
    p.drawLine(QPointF(18, 31), QPointF(32, 31));
}

void iconOpen(QPainter &p)
{
    p.setPen(roundPen(QColor(120, 90, 20), 2));
    p.setBrush(QColor(200, 160, 60));
    QPainterPath back;
    back.moveTo(4, 40);
    back.lineTo(4, 10);
    back.lineTo(18, 10);
    back.lineTo(22, 15);
    back.lineTo(40, 15);
    back.lineTo(40, 40);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(240, 200, 90));
    QPainterPath front;
    front.moveTo(4, 40);
    front.lineTo(11, 22);
    front.lineTo(46, 22);
    front.lineTo(40, 40);
    front.closeSubpath();
    p.drawPath(front);
}

void iconSave(QPainter &p)
{
    p.setPen(roundPen(QColor(30, 50, 90), 2));
    p.setBrush(QColor(70, 120, 200));
    QPainterPath disk;
    disk.moveTo(6, 6);
    disk.lineTo(36, 6);
    disk.lineTo(42, 12);
    disk.lineTo(42, 42);
    disk.lineTo(6, 42);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(13, 6, 20, 13));
    p.setBrush(QColor(70, 120, 200));
    p.drawRect(QRectF(26, 9, 4, 7));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(12, 26, 24, 16));
}

void drawLens(QPainter &p, const QPointF &centre, qreal radius)
{
    p.setPen(roundPen(s_light, 4));
    p.setBrush(QColor(120, 170, 230, 110));
    p.drawEllipse(centre, radius, radius);
    p.setPen(roundPen(QColor(160, 110, 60), 7));
    const qreal reach = radius * 0.72;
    p.drawLine(centre + QPointF(reach + 2, reach + 2), centre + QPointF(reach + 11, reach + 11));
}

// The tool bar pairs the zoom pictures crosswise with their commands (Zoom In shows
// Icon_zoom_out.png), so each picture carries the sign of the command that shows it.
void iconZoomOutFile(QPainter &p)
{
    drawLens(p, QPointF(20, 20), 14);
    p.setPen(roundPen(s_bright, 4));
    p.drawLine(QPointF(13, 20), QPointF(27, 20));
    p.drawLine(QPointF(20, 13), QPointF(20, 27));
}

void iconZoomInFile(QPainter &p)
{
    drawLens(p, QPointF(20, 20), 14);
    p.setPen(roundPen(s_bright, 4));
    p.drawLine(QPointF(13, 20), QPointF(27, 20));
}

void iconFind(QPainter &p)
{
    drawPage(p);
    p.setPen(roundPen(QColor(120, 120, 120), 2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(15, 18 + i * 6), QPointF(34, 18 + i * 6));
    drawLens(p, QPointF(26, 27), 10);
}

// A curved arrow turning left (back) or right (forward).
void drawTurnArrow(QPainter &p, bool back)
{
    p.save();
    if (!back) {
        p.translate(48, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(14, 18);
    curve.cubicTo(30, 8, 46, 18, 40, 34);
    curve.cubicTo(38, 39, 34, 41, 30, 42);
    p.setPen(roundPen(s_light, 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    QPainterPath head;
    head.moveTo(4, 20);
    head.lineTo(19, 8);
    head.lineTo(20, 28);
    head.closeSubpath();
    p.setPen(roundPen(s_light, 2));
    p.setBrush(s_light);
    p.drawPath(head);
    p.restore();
}

// Crosswise as well: Undo shows Icon_redo.png.
void iconRedoFile(QPainter &p)
{
    drawTurnArrow(p, true);
}

void iconUndoFile(QPainter &p)
{
    drawTurnArrow(p, false);
}

void iconRun(QPainter &p)
{
    QLinearGradient fill(0, 6, 0, 42);
    fill.setColorAt(0, QColor(110, 220, 110));
    fill.setColorAt(1, QColor(30, 140, 40));
    p.setPen(roundPen(QColor(20, 90, 30), 2));
    p.setBrush(fill);
    QPainterPath triangle;
    triangle.moveTo(12, 6);
    triangle.lineTo(42, 24);
    triangle.lineTo(12, 42);
    triangle.closeSubpath();
    p.drawPath(triangle);
}

void iconStop(QPainter &p)
{
    QLinearGradient fill(0, 8, 0, 40);
    fill.setColorAt(0, QColor(240, 100, 90));
    fill.setColorAt(1, QColor(170, 30, 30));
    p.setPen(roundPen(QColor(110, 20, 20), 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(8, 8, 32, 32), 5, 5);
}

void iconDebug(QPainter &p)
{
    p.setPen(roundPen(s_light, 3));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 22 + i * 8;
        p.drawLine(QPointF(16, y), QPointF(5, y - 4 + i * 4));
        p.drawLine(QPointF(32, y), QPointF(43, y - 4 + i * 4));
    }
    p.drawLine(QPointF(20, 10), QPointF(15, 4));
    p.drawLine(QPointF(28, 10), QPointF(33, 4));
    p.setPen(roundPen(QColor(60, 30, 20), 2));
    p.setBrush(QColor(200, 80, 50));
    p.drawEllipse(QRectF(13, 15, 22, 29));
    p.setBrush(QColor(70, 50, 40));
    p.drawEllipse(QRectF(17, 8, 14, 11));
    p.drawLine(QPointF(24, 19), QPointF(24, 43));
}

void iconCompress(QPainter &p)
{
    p.setPen(roundPen(s_light, 4));
    p.setBrush(s_light);
    p.drawLine(QPointF(24, 6), QPointF(24, 42));
    for (int side : {-1, 1}) {
        const qreal tip = 24 - side * 6;
        const qreal tail = 24 - side * 21;
        p.drawLine(QPointF(tail, 24), QPointF(tip - side * 5, 24));
        QPainterPath head;
        head.moveTo(tip, 24);
        head.lineTo(tip - side * 9, 16);
        head.lineTo(tip - side * 9, 32);
        head.closeSubpath();
        p.drawPath(head);
    }
}

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

// A grey badge with a tick: nothing newer, or nothing known.
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

void glyphPlus(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 5));
    p.drawLine(QPointF(24, 10), QPointF(24, 38));
    p.drawLine(QPointF(10, 24), QPointF(38, 24));
}

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

// Application menu icons, 48 by 48.

void iconStar(QPainter &p)
{
    glyphRate(p, s_light);
}

void iconMoreAppsMenu(QPainter &p)
{
    glyphMoreApps(p, QColor(120, 190, 240));
}

void iconFeedback(QPainter &p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(4, 6, 40, 28), 8, 8);
    QPainterPath tail;
    tail.moveTo(14, 32);
    tail.lineTo(12, 44);
    tail.lineTo(26, 32);
    tail.closeSubpath();
    p.setPen(roundPen(s_light, 2.5));
    p.setBrush(QColor(70, 140, 210));
    p.drawPath(bubble.united(tail));
    p.setPen(roundPen(s_bright, 3));
    for (int i = 0; i < 2; ++i)
        p.drawLine(QPointF(13, 15 + i * 9), QPointF(35 - i * 8, 15 + i * 9));
}

void iconWebpage(QPainter &p)
{
    p.setPen(roundPen(s_light, 2.5));
    p.setBrush(QColor(40, 120, 170));
    p.drawEllipse(QPointF(24, 24), 19, 19);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(24, 24), 8, 19);
    p.drawLine(QPointF(5, 24), QPointF(43, 24));
    p.drawLine(QPointF(9, 14), QPointF(39, 14));
    p.drawLine(QPointF(9, 34), QPointF(39, 34));
}

// Social menu icons: a glyph of ours on a rounded square of the network's colour.

void paintSocialBadge(QPainter &p, const QColor &colour, void (*glyph)(QPainter &, const QColor &))
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
    p.translate(8, 8);
    p.scale(32 / 48.0, 32 / 48.0);
    glyph(p, s_bright);
}

void glyphPlay(QPainter &p, const QColor &colour)
{
    QPainterPath play;
    play.moveTo(14, 8);
    play.lineTo(40, 24);
    play.lineTo(14, 40);
    play.closeSubpath();
    p.setPen(roundPen(colour, 3));
    p.setBrush(colour);
    p.drawPath(play);
}

void glyphCross(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 7));
    p.drawLine(QPointF(10, 8), QPointF(38, 40));
    p.drawLine(QPointF(38, 8), QPointF(10, 40));
}

void glyphAt(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 4.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(24, 24), 7.5, 7.5);
    QPainterPath ring;
    ring.moveTo(31.5, 17);
    ring.lineTo(31.5, 28);
    ring.cubicTo(31.5, 35, 42, 35, 42, 24);
    ring.arcTo(QRectF(6, 6, 36, 36), 0, 300);
    p.drawPath(ring);
}

void iconFacebookMenu(QPainter &p)
{
    paintSocialBadge(p, QColor(59, 89, 152), glyphFacebook);
}

void iconYouTubeMenu(QPainter &p)
{
    paintSocialBadge(p, QColor(205, 32, 31), glyphPlay);
}

void iconXingMenu(QPainter &p)
{
    paintSocialBadge(p, QColor(0, 110, 110), glyphCross);
}

void iconMailRuMenu(QPainter &p)
{
    paintSocialBadge(p, QColor(240, 140, 20), glyphAt);
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

enum class Kind { Icon, BarButton, Picture, SocialButton, AppTile };
// The drop area: a dashed tray with an arrow falling into it, in soft grey on transparent.
void paintDropArea(QPainter &p, const QSize &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    p.setPen(QPen(QColor(150, 150, 150), 4, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(150, 150, 150, 30));
    p.drawRoundedRect(QRectF(6, 6, w - 12, h - 12), 16, 16);
    p.setPen(roundPen(QColor(120, 120, 120), 10));
    p.drawLine(QPointF(w / 2, h * 0.22), QPointF(w / 2, h * 0.62));
    p.drawLine(QPointF(w / 2 - h * 0.14, h * 0.48), QPointF(w / 2, h * 0.62));
    p.drawLine(QPointF(w / 2 + h * 0.14, h * 0.48), QPointF(w / 2, h * 0.62));
    p.drawLine(QPointF(w * 0.3, h * 0.78), QPointF(w * 0.7, h * 0.78));
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

enum ToolLook { LookOn, LookOff, LookDisabled, LookSelected };

template <void (*Icon)(QPainter &), int Look>
void paintToolLook(QPainter &p, const QSize &size)
{
    const QRectF frame(0.5, 0.5, size.width() - 1, size.height() - 1);
    if (Look == LookOn) {
        p.setPen(QPen(QColor(20, 20, 20, 200), 1));
        p.setBrush(QColor(30, 30, 30, 150));
        p.drawRoundedRect(frame, 4, 4);
    } else if (Look == LookSelected) {
        p.setPen(QPen(QColor(255, 255, 255, 160), 1));
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRoundedRect(frame, 4, 4);
    }
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing, true);
        Icon(painter);
    }
    if (Look == LookDisabled) {
        for (int y = 0; y < icon.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(icon.scanLine(y));
            for (int x = 0; x < icon.width(); ++x) {
                const int grey = qGray(line[x]);
                line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
            }
        }
    }
    const qreal inset = size.width() / 12.0;
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(inset, inset, size.width() - 2 * inset, size.height() - 2 * inset), icon);
}


// The annotation editor's tools. Each glyph is drawn in a 24 by 24 space in the colour it is given, with a
// dark edge so it stands out on any picture; the cursors draw it in pure blue where the editor tints them
// with the drawing colour, the side-bar buttons in a light accent.

const QColor s_toolEdge(30, 30, 30);
const QColor s_toolAccent(250, 200, 40);
const QColor s_cursorTint(0, 0, 255);

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

// A cursor's hot spot is its centre: a small cross marks it, and the tool sits above and to the right.
template <void (*Glyph)(QPainter &, const QColor &)>
void paintToolCursor(QPainter &p, const QSize &size)
{
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const QLineF arms[] = {QLineF(0, -7, 0, -3), QLineF(0, 3, 0, 7), QLineF(-7, 0, -3, 0), QLineF(3, 0, 7, 0)};
    for (const QPen &pen : {QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap), QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap)}) {
        p.setPen(pen);
        for (const QLineF &arm : arms)
            p.drawLine(arm.translated(centre));
    }
    p.translate(centre.x() + 1, 0);
    p.scale((size.width() - centre.x() - 1) / 24.0, (size.height() / 2.0 - 1) / 24.0);
    Glyph(p, s_cursorTint);
}

template <void (*Glyph)(QPainter &, const QColor &)>
void paintToolButton(QPainter &p, const QSize &size)
{
    p.scale(size.width() / 24.0, size.height() / 24.0);
    Glyph(p, s_toolAccent);
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

template <int Width>
void paintThickness(QPainter &p, const QSize &size)
{
    paintWidthStroke(p, 3, size.width() - 3, size.height() / 2.0, Width);
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

void drawLetterA(QPainter &p)
{
    p.setPen(roundPen(s_light, 5));
    p.drawPolyline(QPolygonF({QPointF(5, 42), QPointF(17, 10), QPointF(29, 42)}));
    p.drawLine(QPointF(10, 31), QPointF(24, 31));
}

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


// The e-mail field's send buttons: a letter and a greeting card, blue while they can send (it shows on light
// and dark backgrounds), grey while the address is not valid.
void drawLetter(QPainter &p, const QColor &colour)
{
    p.setPen(roundPen(colour, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 12, 36, 24), 2, 2);
    p.drawPolyline(QPolygonF({QPointF(6, 13), QPointF(24, 27), QPointF(42, 13)}));
}

void drawGreetingCard(QPainter &p, const QColor &colour, const QColor &heartColour)
{
    p.setPen(roundPen(colour, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(8, 8, 32, 32), 2, 2);
    QPainterPath heart;
    heart.moveTo(24, 33);
    heart.cubicTo(12, 25, 14, 15, 24, 20);
    heart.cubicTo(34, 15, 36, 25, 24, 33);
    p.setPen(Qt::NoPen);
    p.setBrush(heartColour);
    p.drawPath(heart);
}

void iconSendEmail(QPainter &p)
{
    drawLetter(p, QColor(50, 130, 230));
}

void iconSendEmailOff(QPainter &p)
{
    drawLetter(p, QColor(110, 110, 110));
}

void iconSendCard(QPainter &p)
{
    drawGreetingCard(p, QColor(50, 130, 230), QColor(230, 80, 90));
}

void iconSendCardOff(QPainter &p)
{
    drawGreetingCard(p, QColor(110, 110, 110), QColor(110, 110, 110));
}

// The kit's view and close buttons; the zoom, save, open and stop buttons show the tool-bar pictures.
// A light cross: closes a window, or clears a field.
void iconCloseCross(QPainter &p)
{
    p.setPen(roundPen(s_light, 6));
    p.drawLine(QPointF(12, 12), QPointF(36, 36));
    p.drawLine(QPointF(36, 12), QPointF(12, 36));
}

// "1:1" in strokes inside a frame, so that no font decides its look: the picture at its own size.
void iconActualSize(QPainter &p)
{
    p.setPen(roundPen(s_light, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 8, 40, 32), 4, 4);
    p.setPen(roundPen(s_bright, 4));
    for (qreal x : {14.0, 34.0}) {
        p.drawLine(QPointF(x - 4, 18), QPointF(x, 15));
        p.drawLine(QPointF(x, 15), QPointF(x, 33));
    }
    p.drawPoint(QPointF(24, 20));
    p.drawPoint(QPointF(24, 29));
}

// Four corners pointing outwards around a picture: fit the picture to the window.
void iconFitWindow(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 170, 230, 140));
    p.drawRect(QRectF(15, 15, 18, 18));
    p.setPen(roundPen(s_light, 4));
    p.setBrush(Qt::NoBrush);
    const QPointF corners[] = {{6, 6}, {42, 6}, {42, 42}, {6, 42}};
    for (const QPointF &corner : corners) {
        const qreal dx = corner.x() < 24 ? 10 : -10;
        const qreal dy = corner.y() < 24 ? 10 : -10;
        p.drawPolyline(QPolygonF({corner + QPointF(dx, 0), corner, corner + QPointF(0, dy)}));
    }
}

// The image viewer's buttons (its zoom buttons take the file tool bar's lenses): fit-to-window shows four
// corners around a frame; previous and next float over the picture, a light chevron on a dark disc that
// shows on any picture.
void iconFitToWindow(QPainter &p)
{
    p.setPen(roundPen(s_light, 4));
    p.setBrush(Qt::NoBrush);
    const qreal near = 8;
    const qreal far = 40;
    const qreal arm = 11;
    for (const QPointF &corner : {QPointF(near, near), QPointF(far, near), QPointF(near, far), QPointF(far, far)}) {
        const qreal dx = corner.x() < 24 ? arm : -arm;
        const qreal dy = corner.y() < 24 ? arm : -arm;
        p.drawLine(corner, corner + QPointF(dx, 0));
        p.drawLine(corner, corner + QPointF(0, dy));
    }
    p.setPen(roundPen(s_bright, 2.5));
    p.drawRect(QRectF(17, 17, 14, 14));
}

void drawNavigationDisc(QPainter &p, bool forward)
{
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
    p.setBrush(QColor(20, 20, 20, 170));
    p.drawEllipse(QPointF(24, 24), 21, 21);
    const qreal tip = forward ? 31 : 17;
    const qreal back = forward ? 19 : 29;
    QPainterPath chevron;
    chevron.moveTo(back, 12);
    chevron.lineTo(tip, 24);
    chevron.lineTo(back, 36);
    p.setPen(roundPen(s_bright, 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
}

void iconNextImage(QPainter &p)
{
    drawNavigationDisc(p, true);
}

void iconPreviousImage(QPainter &p)
{
    drawNavigationDisc(p, false);
}

struct Image
{
    const char *name;
    int width;
    int height;
    Kind kind;
    void (*icon)(QPainter &);
    void (*glyph)(QPainter &, const QColor &);
    bool hover;
    void (*picture)(QPainter &, const QSize &);
    QRgb brand;
    bool join;
};

const Image s_images[] = {
    {"backgroundbar.png", 64, 45, Kind::Picture, nullptr, nullptr, false, paintBackgroundBar},
    {"spinbox_button2.png", 16, 16, Kind::Picture, nullptr, nullptr, false, paintDownArrow},
    {"panelbackground.png", 64, 64, Kind::Picture, nullptr, nullptr, false, paintPanelBackground},
    {"app.png", 256, 256, Kind::Picture, nullptr, nullptr, false, paintLogo},

    {"AppButton.png", 50, 32, Kind::BarButton, nullptr, glyphGrid, false, nullptr},
    {"AppButton_hover.png", 50, 32, Kind::BarButton, nullptr, glyphGrid, true, nullptr},
    {"MoreAppsButton.png", 50, 32, Kind::BarButton, nullptr, glyphMoreApps, false, nullptr},
    {"MoreAppsButton_hover.png", 50, 32, Kind::BarButton, nullptr, glyphMoreApps, true, nullptr},
    {"Help.png", 50, 32, Kind::BarButton, nullptr, glyphHelp, false, nullptr},
    {"Help_hover.png", 50, 32, Kind::BarButton, nullptr, glyphHelp, true, nullptr},
    {"More.png", 50, 32, Kind::BarButton, nullptr, glyphMore, false, nullptr},
    {"More_hover.png", 50, 32, Kind::BarButton, nullptr, glyphMore, true, nullptr},
    {"RateButton.png", 50, 32, Kind::BarButton, nullptr, glyphRate, false, nullptr},
    {"RateButton_hover.png", 50, 32, Kind::BarButton, nullptr, glyphRate, true, nullptr},
    {"share.png", 50, 32, Kind::BarButton, nullptr, glyphShare, false, nullptr},
    {"share_hover.png", 50, 32, Kind::BarButton, nullptr, glyphShare, true, nullptr},
    {"join.png", 50, 32, Kind::BarButton, nullptr, glyphJoin, false, nullptr},
    {"join_hover.png", 50, 32, Kind::BarButton, nullptr, glyphJoin, true, nullptr},

    {"Icon_menu.png", 48, 48, Kind::Icon, iconMenu, nullptr, false, nullptr},
    {"Icon_newfile.png", 48, 48, Kind::Icon, iconNewFile, nullptr, false, nullptr},
    {"Icon_open.png", 48, 48, Kind::Icon, iconOpen, nullptr, false, nullptr},
    {"Icon_save.png", 48, 48, Kind::Icon, iconSave, nullptr, false, nullptr},
    {"Icon_zoom_in.png", 48, 48, Kind::Icon, iconZoomInFile, nullptr, false, nullptr},
    {"Icon_zoom_out.png", 48, 48, Kind::Icon, iconZoomOutFile, nullptr, false, nullptr},
    {"Icon_find.png", 48, 48, Kind::Icon, iconFind, nullptr, false, nullptr},
    {"Icon_undo.png", 48, 48, Kind::Icon, iconUndoFile, nullptr, false, nullptr},
    {"Icon_redo.png", 48, 48, Kind::Icon, iconRedoFile, nullptr, false, nullptr},
    {"Icon_run.png", 48, 48, Kind::Icon, iconRun, nullptr, false, nullptr},
    {"Icon_stop.png", 48, 48, Kind::Icon, iconStop, nullptr, false, nullptr},
    {"Icon_debug.png", 48, 48, Kind::Icon, iconDebug, nullptr, false, nullptr},
    {"Icon_compress.png", 48, 48, Kind::Icon, iconCompress, nullptr, false, nullptr},
    {"update_available.png", 64, 64, Kind::Picture, nullptr, nullptr, false, paintUpdateAvailable},
    {"update_not_available.png", 64, 64, Kind::Picture, nullptr, nullptr, false, paintUpdateNotAvailable},
    {"pix_borlune.png", 80, 20, Kind::Picture, nullptr, nullptr, false, paintMakerLogo},
    {"facebookshare.png", 190, 35, Kind::SocialButton, nullptr, glyphFacebook, false, nullptr, 0x3b5998, false},
    {"facebookshare_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphFacebook, true, nullptr, 0x3b5998, false},
    {"twittershare.png", 190, 35, Kind::SocialButton, nullptr, glyphTwitter, false, nullptr, 0x1d9bf0, false},
    {"twittershare_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphTwitter, true, nullptr, 0x1d9bf0, false},
    {"vkontakteshare.png", 190, 35, Kind::SocialButton, nullptr, glyphVKontakte, false, nullptr, 0x4c75a3, false},
    {"vkontakteshare_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphVKontakte, true, nullptr, 0x4c75a3, false},
    {"emailshare.png", 190, 35, Kind::SocialButton, nullptr, glyphMail, false, nullptr, 0x5a5a5e, false},
    {"emailshare_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphMail, true, nullptr, 0x5a5a5e, false},
    {"youtubejoin.png", 190, 35, Kind::SocialButton, nullptr, glyphYouTube, false, nullptr, 0xcd201f, true},
    {"youtubejoin_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphYouTube, true, nullptr, 0xcd201f, true},
    {"facebookjoin.png", 190, 35, Kind::SocialButton, nullptr, glyphFacebook, false, nullptr, 0x3b5998, true},
    {"facebookjoin_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphFacebook, true, nullptr, 0x3b5998, true},
    {"twitterjoin.png", 190, 35, Kind::SocialButton, nullptr, glyphTwitter, false, nullptr, 0x1d9bf0, true},
    {"twitterjoin_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphTwitter, true, nullptr, 0x1d9bf0, true},
    {"vkontaktejoin.png", 190, 35, Kind::SocialButton, nullptr, glyphVKontakte, false, nullptr, 0x4c75a3, true},
    {"vkontaktejoin_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphVKontakte, true, nullptr, 0x4c75a3, true},
    {"emailjoin.png", 190, 35, Kind::SocialButton, nullptr, glyphMail, false, nullptr, 0x5a5a5e, true},
    {"emailjoin_hover.png", 190, 35, Kind::SocialButton, nullptr, glyphMail, true, nullptr, 0x5a5a5e, true},
    {"star.png", 48, 48, Kind::Icon, iconStar, nullptr, false, nullptr},
    {"moreappsicon.png", 48, 48, Kind::Icon, iconMoreAppsMenu, nullptr, false, nullptr},
    {"feedback.png", 48, 48, Kind::Icon, iconFeedback, nullptr, false, nullptr},
    {"webpage.png", 48, 48, Kind::Icon, iconWebpage, nullptr, false, nullptr},
    {"appicon.png", 64, 64, Kind::Picture, nullptr, nullptr, false, paintLogo},
    {"tarsel64x64.png", 64, 64, Kind::AppTile, nullptr, nullptr, false, paintLogo},
    {"quillmark64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x4a6fa5, false},
    {"hexwren64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x6b5b95, false},
    {"lintora64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x2e8b57, false},
    {"jsonkite64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0xc0762f, false},
    {"regexmoth64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x8e44ad, false},
    {"diffowl64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x16a085, false},
    {"snipjar64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0xd35400, false},
    {"codebirch64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x2c7fb8, false},
    {"ferrule64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBraces, false, nullptr, 0x7f8c8d, false},
    {"glyphforge64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBrush, false, nullptr, 0xb03a2e, false},
    {"iconsmith64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBrush, false, nullptr, 0x1f618d, false},
    {"palettejay64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBrush, false, nullptr, 0xe67e22, false},
    {"screentern64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBrush, false, nullptr, 0x117a65, false},
    {"vectorwick64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBrush, false, nullptr, 0x6c3483, false},
    {"lensmarsh64x64.png", 64, 64, Kind::AppTile, nullptr, glyphCamera, false, nullptr, 0x2874a6, false},
    {"framefen64x64.png", 64, 64, Kind::AppTile, nullptr, glyphCamera, false, nullptr, 0x935116, false},
    {"collagekite64x64.png", 64, 64, Kind::AppTile, nullptr, glyphCamera, false, nullptr, 0xc2185b, false},
    {"sepiadove64x64.png", 64, 64, Kind::AppTile, nullptr, glyphCamera, false, nullptr, 0x8d6e63, false},
    {"echovale64x64.png", 64, 64, Kind::AppTile, nullptr, glyphWave, false, nullptr, 0x00838f, false},
    {"loopmere64x64.png", 64, 64, Kind::AppTile, nullptr, glyphWave, false, nullptr, 0x5e35b1, false},
    {"drumfern64x64.png", 64, 64, Kind::AppTile, nullptr, glyphWave, false, nullptr, 0x558b2f, false},
    {"beatpike64x64.png", 64, 64, Kind::AppTile, nullptr, glyphWave, false, nullptr, 0xad1457, false},
    {"songquarry64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x3949ab, false},
    {"tabweaver64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x6d4c41, false},
    {"lyricmoth64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x00897b, false},
    {"banjoloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0xa1887f, false},
    {"mandolinloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x8d6e63, false},
    {"balalaikaloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0xc62828, false},
    {"pianoloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x424242, false},
    {"guitarloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0xef6c00, false},
    {"bassloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x283593, false},
    {"ukuleleloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0xf9a825, false},
    {"violinloft64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x6a1b9a, false},
    {"mixhollow64x64.png", 64, 64, Kind::AppTile, nullptr, glyphWave, false, nullptr, 0x37474f, false},
    {"chordlark64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x1565c0, false},
    {"tunefinch64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x2e7d32, false},
    {"scalewren64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0x4527a0, false},
    {"metrokit64x64.png", 64, 64, Kind::AppTile, nullptr, glyphNote, false, nullptr, 0xbf360c, false},
    {"pixelmoss64x64.png", 64, 64, Kind::AppTile, nullptr, glyphBrush, false, nullptr, 0x33691e, false},
    {"photoquill64x64.png", 64, 64, Kind::AppTile, nullptr, glyphCamera, false, nullptr, 0x0277bd, false},
    {"wavejay64x64.png", 64, 64, Kind::AppTile, nullptr, glyphWave, false, nullptr, 0x880e4f, false},
    {"droparea.png", 256, 160, Kind::Picture, nullptr, nullptr, false, paintDropArea},
    {"openfiles.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintOpenFiles},
    {"pix_facebook.png", 48, 48, Kind::Icon, iconFacebookMenu, nullptr, false, nullptr},
    {"pix_youtube.png", 48, 48, Kind::Icon, iconYouTubeMenu, nullptr, false, nullptr},
    {"pix_xing.png", 48, 48, Kind::Icon, iconXingMenu, nullptr, false, nullptr},
    {"pix_mailru.png", 48, 48, Kind::Icon, iconMailRuMenu, nullptr, false, nullptr},
    {"pix_nemo2.jpg", 360, 177, Kind::Picture, nullptr, nullptr, false, paintTutorialPicture},
    {"search.png", 48, 48, Kind::Icon, iconLens, nullptr, false, nullptr},
    {"pix_New.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconNewFile, LookOn>},
    {"pix_NewOn.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconNewFile, LookOff>},
    {"pix_NewDis.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconNewFile, LookDisabled>},
    {"pix_NewHi.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconNewFile, LookSelected>},
    {"pix_RecallLgO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOpen, LookOn>},
    {"pix_RecallLgN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOpen, LookOff>},
    {"pix_RecallLgD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOpen, LookDisabled>},
    {"pix_RecallLgH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOpen, LookSelected>},
    {"pix_SaveO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconSave, LookOn>},
    {"pix_SaveN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconSave, LookOff>},
    {"pix_SaveD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconSave, LookDisabled>},
    {"pix_SaveH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconSave, LookSelected>},
    {"pix_RenderButtonO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconFind, LookOn>},
    {"pix_RenderButtonN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconFind, LookOff>},
    {"pix_RenderButtonD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconFind, LookDisabled>},
    {"pix_RenderButtonH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconFind, LookSelected>},
    {"pix_ZoomButtonO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconLens, LookOn>},
    {"pix_ZoomButtonN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconLens, LookOff>},
    {"pix_ZoomButtonD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconLens, LookDisabled>},
    {"pix_ZoomButtonH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconLens, LookSelected>},
    {"pix_3DLutO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOnTop, LookOn>},
    {"pix_3DLutN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOnTop, LookOff>},
    {"pix_3DLutD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOnTop, LookDisabled>},
    {"pix_3DLutH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconOnTop, LookSelected>},
    {"pix_ReleaseO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRun, LookOn>},
    {"pix_ReleaseN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRun, LookOff>},
    {"pix_ReleaseD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRun, LookDisabled>},
    {"pix_ReleaseH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRun, LookSelected>},
    {"pix_ViewStabO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconStop, LookOn>},
    {"pix_ViewStabN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconStop, LookOff>},
    {"pix_ViewStabD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconStop, LookDisabled>},
    {"pix_ViewStabH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconStop, LookSelected>},
    {"pix_Lift.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconDebug, LookOn>},
    {"pix_LiftN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconDebug, LookOff>},
    {"pix_LiftD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconDebug, LookDisabled>},
    {"pix_LiftH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconDebug, LookSelected>},
    {"pix_ResetLgO.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconBatch, LookOn>},
    {"pix_ResetLgN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconBatch, LookOff>},
    {"pix_ResetLgD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconBatch, LookDisabled>},
    {"pix_ResetLgH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconBatch, LookSelected>},
    {"pix_ViewTrack.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconAliases, LookOn>},
    {"pix_ViewTrackN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconAliases, LookOff>},
    {"pix_ViewTrackD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconAliases, LookDisabled>},
    {"pix_ViewTrackH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconAliases, LookSelected>},
    {"pix_ExpandUpN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconUndoArrow, LookOff>},
    {"pix_ExpandUpD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconUndoArrow, LookDisabled>},
    {"pix_ExpandUpH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconUndoArrow, LookSelected>},
    {"pix_ExpandDownN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRedoArrow, LookOff>},
    {"pix_ExpandDownD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRedoArrow, LookDisabled>},
    {"pix_ExpandDownH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconRedoArrow, LookSelected>},
    {"pix_DaCopyN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconCopy, LookOff>},
    {"pix_DaCopyD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconCopy, LookDisabled>},
    {"pix_DaCopyH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconCopy, LookSelected>},
    {"pix_DaPasteN.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconPaste, LookOff>},
    {"pix_DaPasteD.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconPaste, LookDisabled>},
    {"pix_DaPasteH.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolLook<iconPaste, LookSelected>},
    {"Pen_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolPen>},
    {"Eraser_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolEraser>},
    {"Highlighter_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolHighlighter>},
    {"Rect_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolRectangle>},
    {"FilledRect_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolFilledRectangle>},
    {"Blur_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolBlur>},
    {"Oval_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolOval>},
    {"Line_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolLine>},
    {"Arrow_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolArrow>},
    {"Text_cur.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintToolCursor<toolText>},
    {"NoteToolPen.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolPen>},
    {"NoteToolEraser.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolEraser>},
    {"NoteToolHighlighter.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolHighlighter>},
    {"NoteToolRectangle.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolRectangle>},
    {"NoteToolFilledRectangle.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolFilledRectangle>},
    {"NoteToolBlur.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolBlur>},
    {"NoteToolOval.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolOval>},
    {"NoteToolFilledOval.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolFilledOval>},
    {"NoteToolLine.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolLine>},
    {"NoteToolArrow.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolArrow>},
    {"NoteToolText.png", 48, 48, Kind::Picture, nullptr, nullptr, false, paintToolButton<toolText>},
    {"1px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<1>},
    {"2px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<2>},
    {"3px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<3>},
    {"4px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<4>},
    {"5px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<5>},
    {"10px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<10>},
    {"15px.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintThickness<15>},
    {"dash.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintDash},
    {"NoteThickness.png", 48, 48, Kind::Icon, iconThickness, nullptr, false, nullptr},
    {"NoteUndo.png", 48, 48, Kind::Icon, iconUndoArrow, nullptr, false, nullptr},
    {"NoteRedo.png", 48, 48, Kind::Icon, iconRedoArrow, nullptr, false, nullptr},
    {"NoteQuit.png", 48, 48, Kind::Icon, iconQuit, nullptr, false, nullptr},
    {"NoteAccept.png", 48, 48, Kind::Icon, iconAccept, nullptr, false, nullptr},
    {"NoteReject.png", 48, 48, Kind::Icon, iconReject, nullptr, false, nullptr},
    {"NoteTextLarger.png", 48, 48, Kind::Icon, iconTextLarger, nullptr, false, nullptr},
    {"NoteTextSmaller.png", 48, 48, Kind::Icon, iconTextSmaller, nullptr, false, nullptr},
    {"steklo.png", 120, 100, Kind::Picture, nullptr, nullptr, false, paintGlass},
    {"EmailEditSend.png", 48, 48, Kind::Icon, iconSendEmail, nullptr, false, nullptr},
    {"EmailEditCard.png", 48, 48, Kind::Icon, iconSendCard, nullptr, false, nullptr},
    {"EmailEditSendOff.png", 48, 48, Kind::Icon, iconSendEmailOff, nullptr, false, nullptr},
    {"EmailEditCardOff.png", 48, 48, Kind::Icon, iconSendCardOff, nullptr, false, nullptr},

    {"KitCloseCross.png", 48, 48, Kind::Icon, iconCloseCross, nullptr, false, nullptr},
    {"KitActualSize.png", 48, 48, Kind::Icon, iconActualSize, nullptr, false, nullptr},
    {"KitFitWindow.png", 48, 48, Kind::Icon, iconFitWindow, nullptr, false, nullptr},

    // The kit's controls inside dialogs.
    {"spinbox_up.png", 16, 16, Kind::Picture, nullptr, nullptr, false, paintUpArrow},
    {"checkmark.png", 16, 16, Kind::Picture, nullptr, nullptr, false, paintCheckMark},
    {"ViewerFit.png", 48, 48, Kind::Icon, iconFitToWindow, nullptr, false, nullptr},
    {"ViewerNext.png", 48, 48, Kind::Icon, iconNextImage, nullptr, false, nullptr},
    {"ViewerPrevious.png", 48, 48, Kind::Icon, iconPreviousImage, nullptr, false, nullptr},
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawimages <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    for (const Image &entry : s_images) {
        const QSize size(entry.width, entry.height);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, true);
            switch (entry.kind) {
            case Kind::Icon:
                entry.icon(painter);
                break;
            case Kind::BarButton:
                paintBarButton(painter, size, entry.hover, entry.glyph);
                break;
            case Kind::Picture:
                entry.picture(painter, size);
                break;
            case Kind::SocialButton:
                paintSocialButton(painter, size, entry.hover, entry.glyph, entry.brand, entry.join);
                break;
            case Kind::AppTile:
                if (entry.picture)
                    entry.picture(painter, size);
                else
                    paintAppTile(painter, size, entry.brand, entry.glyph);
                break;
            }
        }
        const QString path = folder.filePath(QString::fromLatin1(entry.name));
        const bool jpeg = path.endsWith(QLatin1String(".jpg"));
        const QImage stored = image.convertToFormat(jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        if (!stored.save(path, jpeg ? "JPG" : "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
