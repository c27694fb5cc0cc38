// What the painters of the compiled-in images share, and the painters the image table of drawimages.cpp names.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

namespace DrawImages {

// Drawing.cpp: the shared colours and pen, and the promotion bar's glyphs in their 48 by 48 space.
extern const QColor s_light;
extern const QColor s_bright;
QColor glyphColour(bool hover);
QPen roundPen(const QColor &colour, qreal width);
void glyphGrid(QPainter &p, const QColor &colour);
void glyphMoreApps(QPainter &p, const QColor &colour);
void glyphHelp(QPainter &p, const QColor &colour);
void glyphMore(QPainter &p, const QColor &colour);
void glyphRate(QPainter &p, const QColor &colour);
void glyphShare(QPainter &p, const QColor &colour);
void glyphJoin(QPainter &p, const QColor &colour);
void iconIntroMenu(QPainter &p);
void iconShareMenu(QPainter &p);
void iconJoinMenu(QPainter &p);
void paintBarButton(QPainter &p, const QSize &size, bool hover, void (*glyph)(QPainter &, const QColor &));
// The look of a disabled command: the picture grey and faint.
void greyOut(QImage &image);

// ToolBarIcons.cpp: the tool bar's, the menus' and the windows' icons.
void iconMenu(QPainter &p);
void iconNewFile(QPainter &p);
void iconOpen(QPainter &p);
void iconSave(QPainter &p);
void drawLens(QPainter &p, const QPointF &centre, qreal radius);
void iconZoomOutFile(QPainter &p);
void iconZoomInFile(QPainter &p);
void iconFind(QPainter &p);
void drawTurnArrow(QPainter &p, bool back);
void iconRedoFile(QPainter &p);
void iconUndoFile(QPainter &p);
void iconRun(QPainter &p);
void iconStop(QPainter &p);
void iconDebug(QPainter &p);
void iconCompress(QPainter &p);
void iconStar(QPainter &p);
void iconMoreAppsMenu(QPainter &p);
void iconFeedback(QPainter &p);
void iconWebpage(QPainter &p);
void iconFacebookMenu(QPainter &p);
void iconYouTubeMenu(QPainter &p);
void iconXingMenu(QPainter &p);
void iconMailRuMenu(QPainter &p);
void iconSendEmail(QPainter &p);
void iconSendEmailOff(QPainter &p);
void iconSendCard(QPainter &p);
void iconSendCardOff(QPainter &p);
void iconCloseCross(QPainter &p);
void iconActualSize(QPainter &p);
void iconFitWindow(QPainter &p);
void iconFitToWindow(QPainter &p);
void iconNextImage(QPainter &p);
void iconPreviousImage(QPainter &p);

// KitPictures.cpp: pictures sized by their use, the social buttons and their glyphs, the application tiles.
void paintBackgroundBar(QPainter &p, const QSize &size);
void paintDownArrow(QPainter &p, const QSize &size);
void paintMenuMark(QPainter &p, const QSize &size);
void paintUpArrow(QPainter &p, const QSize &size);
void paintCheckMark(QPainter &p, const QSize &size);
void paintPanelBackground(QPainter &p, const QSize &size);
void paintLogo(QPainter &p, const QSize &size);
void paintUpdateAvailable(QPainter &p, const QSize &size);
void paintUpdateNotAvailable(QPainter &p, const QSize &size);
void paintUpdateUnknown(QPainter &p, const QSize &size);

// MessagePictures.cpp: the message boxes' pictures.
void paintMessageInformation(QPainter &p, const QSize &size);
void paintMessageWarning(QPainter &p, const QSize &size);
void paintMessageCritical(QPainter &p, const QSize &size);
void paintMessageQuestion(QPainter &p, const QSize &size);
void paintMakerLogo(QPainter &p, const QSize &size);
void glyphFacebook(QPainter &p, const QColor &colour);
void glyphTwitter(QPainter &p, const QColor &colour);
void glyphVKontakte(QPainter &p, const QColor &colour);
void glyphMail(QPainter &p, const QColor &colour);
void glyphYouTube(QPainter &p, const QColor &colour);
void paintSocialButton(QPainter &p, const QSize &size, bool hover, void (*glyph)(QPainter &, const QColor &),
                       QRgb brand, bool join);
void paintTutorialPicture(QPainter &p, const QSize &size);
void glyphNote(QPainter &p, const QColor &colour);
void glyphBraces(QPainter &p, const QColor &colour);
void glyphBrush(QPainter &p, const QColor &colour);
void glyphCamera(QPainter &p, const QColor &colour);
void glyphWave(QPainter &p, const QColor &colour);
void paintAppTile(QPainter &p, const QSize &size, QRgb colour, void (*glyph)(QPainter &, const QColor &));
void paintDropArea(QPainter &p, const QSize &size);
void paintOpenFiles(QPainter &p, const QSize &size);

// ScriptToolLooks.cpp: the icons of the standalone script window's tools.
void iconLens(QPainter &p);
void iconUndoArrow(QPainter &p);
void iconRedoArrow(QPainter &p);
void iconOnTop(QPainter &p);
void iconBatch(QPainter &p);
void iconAliases(QPainter &p);
void iconCopy(QPainter &p);
void iconPaste(QPainter &p);

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
    // The icon is drawn apart for the disabled look, at the pixel ratio of the picture it goes into.
    const int ratio = qRound(p.deviceTransform().m11());
    QImage icon(48 * ratio, 48 * ratio, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(ratio, ratio);
        Icon(painter);
    }
    if (Look == LookDisabled)
        greyOut(icon);
    const qreal inset = size.width() / 12.0;
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(inset, inset, size.width() - 2 * inset, size.height() - 2 * inset), icon);
}

// NoteTools.cpp: the annotation editor's tools (24 by 24 glyphs), its icons and the drag-out glass.
extern const QColor s_toolAccent;
extern const QColor s_cursorTint;
void toolPen(QPainter &p, const QColor &colour);
void toolEraser(QPainter &p, const QColor &);
void toolHighlighter(QPainter &p, const QColor &colour);
void toolRectangle(QPainter &p, const QColor &colour);
void toolFilledRectangle(QPainter &p, const QColor &colour);
void toolBlur(QPainter &p, const QColor &);
void toolOval(QPainter &p, const QColor &colour);
void toolFilledOval(QPainter &p, const QColor &colour);
void toolLine(QPainter &p, const QColor &colour);
void toolArrow(QPainter &p, const QColor &colour);
void toolText(QPainter &p, const QColor &colour);
void paintWidthStroke(QPainter &p, qreal from, qreal to, qreal y, qreal width);
void paintDash(QPainter &p, const QSize &size);
void iconThickness(QPainter &p);
void iconQuit(QPainter &p);
void iconAccept(QPainter &p);
void iconReject(QPainter &p);
void iconTextLarger(QPainter &p);
void iconTextSmaller(QPainter &p);
void paintGlass(QPainter &p, const QSize &size);

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

template <int Width>
void paintThickness(QPainter &p, const QSize &size)
{
    paintWidthStroke(p, 3, size.width() - 3, size.height() / 2.0, Width);
}

} // namespace DrawImages
