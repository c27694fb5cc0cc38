// Paints the compiled-in images of the program into a folder: drawimages <folder>.
// The PNGs are kept in the repository; run this (target "images") after changing a picture.

#include "Drawing.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace DrawImages;

namespace {

enum class Kind { Icon, BarButton, Picture, SocialButton, AppTile };

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
    {"update_unknown.png", 64, 64, Kind::Picture, nullptr, nullptr, false, paintUpdateUnknown},
    {"MessageInformation.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintMessageInformation},
    {"MessageWarning.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintMessageWarning},
    {"MessageCritical.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintMessageCritical},
    {"MessageQuestion.png", 32, 32, Kind::Picture, nullptr, nullptr, false, paintMessageQuestion},
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
    {"MenuIntro.png", 48, 48, Kind::Icon, iconIntroMenu, nullptr, false, nullptr},
    {"MenuShare.png", 48, 48, Kind::Icon, iconShareMenu, nullptr, false, nullptr},
    {"MenuJoin.png", 48, 48, Kind::Icon, iconJoinMenu, nullptr, false, nullptr},
    {"MenuMark.png", 16, 16, Kind::Picture, nullptr, nullptr, false, paintMenuMark},
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

// The top window's tool-bar pictures ("Icon_...") are drawn once more, grey and faint, for a command that is
// disabled while a script runs: "Icon_open_disabled.png".
bool drawsDisabledPicture(const Image &entry)
{
    return entry.kind == Kind::Icon && qstrncmp(entry.name, "Icon_", 5) == 0;
}

void paintEntry(QPainter &painter, const Image &entry, const QSize &size)
{
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

// The picture at a pixel ratio: the painters work in the picture's own size, and at 2 they draw twice as many
// pixels, so a high-density screen shows the picture's detail, not a doubled copy.
QImage drawPicture(const Image &entry, int ratio)
{
    const QSize size(entry.width, entry.height);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(ratio, ratio);
    paintEntry(painter, entry, size);
    painter.end();
    return image;
}

// "name.png" with a suffix before the extension: "name@2x.png", "name_disabled@2x.png". Qt finds the "@2x"
// file by itself beside the one that the program names.
QString variantName(const char *name, const QString &suffix)
{
    QString variant = QString::fromLatin1(name);
    return variant.insert(variant.lastIndexOf(QLatin1Char('.')), suffix);
}

bool store(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    const bool jpeg = path.endsWith(QLatin1String(".jpg"));
    const QImage stored = image.convertToFormat(jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    if (stored.save(path, jpeg ? "JPG" : "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

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
        for (int ratio : {1, 2}) {
            const QString suffix = ratio == 1 ? QString() : QStringLiteral("@2x");
            QImage image = drawPicture(entry, ratio);
            if (!store(image, folder, variantName(entry.name, suffix)))
                return 1;
            if (!drawsDisabledPicture(entry))
                continue;
            greyOut(image);
            if (!store(image, folder, variantName(entry.name, QStringLiteral("_disabled") + suffix)))
                return 1;
        }
    }
    return 0;
}
