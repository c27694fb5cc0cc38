// Icons of the tool bar, the menus and the windows, drawn in a 48 by 48 space.

#include "Drawing.h"

#include <QPainterPath>

namespace DrawImages {

// Tool-bar icons: drawn light, with a colour accent, on a transparent 48 by 48 square.

void iconMenu(QPainter &p)
{
    p.setPen(roundPen(s_light, 5));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(8, 12 + i * 12), QPointF(40, 12 + i * 12));
}

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

// The e-mail field's send buttons: a letter and a greeting card, blue while they can send (it shows on light
// and dark backgrounds), grey while the address is not valid.
namespace {

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

} // namespace

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

namespace {

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

} // namespace

void iconNextImage(QPainter &p)
{
    drawNavigationDisc(p, true);
}

void iconPreviousImage(QPainter &p)
{
    drawNavigationDisc(p, false);
}

} // namespace DrawImages
