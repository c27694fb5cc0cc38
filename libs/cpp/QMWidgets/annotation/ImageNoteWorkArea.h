#pragma once

#include "QMWidgets/annotation/BlurPreview.h"
#include "QMWidgets/annotation/OverlayHistory.h"
#include "QMWidgets/app/OverrideCursor.h"

#include <QColor>
#include <QFont>
#include <QLine>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QVector>
#include <QWidget>

#include <functional>

class QPainter;

namespace QMWidgets {

class NoteEditWidget;

// The drawing surface of the image annotation editor. It shows one image, keeps the annotations in a
// transparent overlay of the image's size, with undo and redo steps that keep the parts of the overlay a
// stroke changed, and saves the annotated image.
//
// Pointer events record points and flags, and the release of the left button opens an undo step and commits
// the stroke into the overlay. Paints only show: the picture, the overlay and a preview of the stroke being
// dragged, drawn only where it changed.
class ImageNoteWorkArea : public QWidget
{
    Q_OBJECT

public:
    // The tool numbers; TextCanceled and TextAccepted are passing states of the text tool.
    enum Mode {
        Pen = 0,
        Eraser = 1,
        Highlighter = 2,
        Rectangle = 3,
        FilledRectangle = 4,
        BlurRectangle = 5,
        Oval = 6,
        FilledOval = 7,
        Line = 8,
        Arrow = 9,
        Text = 10,
        TextCanceled = 11,
        TextAccepted = 12,
    };
    Q_ENUM(Mode)

    explicit ImageNoteWorkArea(QWidget *parent = nullptr);
    ~ImageNoteWorkArea() override;

    // True from a new image, and from every processed stroke or note, until a save has written the file.
    bool isModified() const;
    // The image with the annotations drawn over it.
    QPixmap &composedPixmap();
    // Gives the note editor's text the drawing colour.
    void updateEditorStyle();
    // The memory the undo and redo steps keep, in bytes.
    qint64 historyBytes() const;

signals:
    void changed();
    void redoAvailable(bool available);
    void undoAvailable(bool available);

public slots:
    void slotSetPixmap(const QPixmap &pixmap);
    void slotSetMode(Mode mode);
    void slotSetColor(const QColor &color);
    void slotSetFont(const QFont &font);
    void slotSetThikness(int thickness);
    void slotSetDashLine(bool dashLine);
    void slotSave();
    void slotUndo();
    void slotRedo();
    void slotEditCanceled();
    void slotEditAccepted();
    void slotSwitchToEdit();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

    // The shaft from the press point to the current point and a solid head at the current point.
    void drawArrow(QPainter &painter);

private:
    bool isFreeHand() const;
    bool isTextMode() const;
    // Ends the stroke at the current point and says so to the editor; the surface may be gone on return.
    void endStroke(const QRect &before);
    // Asks for a paint of what the stroke in progress changed since `before` was shown.
    void updatePreview(const QRect &before);
    // After a commit, which may have dropped steps to keep the history within its budget: says what undo and
    // redo can do now. False when a receiver deleted the surface.
    bool announceHistory(bool opened, bool couldRedo);
    // Shows the overlay as an undo or redo step left it and tells the editor.
    void historyMoved(const QVector<QRect> &tiles);
    QPen toolPen() const;
    // How far the tool's pen reaches beyond the points it is drawn through, antialiasing included.
    int penReach() const;
    QRect segmentBounds(const QLine &segment) const;
    // Where the shape, blur or note frame between the press point and the current point draws.
    QRect shapeBounds() const;
    // What a paint of the stroke in progress may draw beyond the last one.
    QRect previewBounds() const;
    // The tiles of the history's grid where committing the stroke may change the overlay.
    QVector<QRect> strokeTiles() const;
    // Draws the segments of the stroke that reach into the rectangle with the tool's pen and settings.
    void drawStroke(QPainter &painter, const QRect &within) const;
    void drawErasePreview(QPainter &widgetPainter, const QRect &dirty) const;
    void drawShape(QPainter &painter);
    void drawBlur(QPainter &painter) const;
    void drawBlurPreview(QPainter &widgetPainter, const QRect &dirty);
    void placeNoteEditor(QPainter &widgetPainter);
    void drawAcceptedText(QPainter &overlayPainter);
    // Draws into the overlay, clipped to the tiles, with their pixels kept in the undo step first. True when
    // it had to open the undo step, which the caller then announces.
    bool commitToOverlay(const QVector<QRect> &tiles, const std::function<void(QPainter &)> &draw);

    QPixmap m_basePixmap;
    QPixmap m_overlay;
    QPixmap m_composed;
    QPoint m_previousPoint;
    QPoint m_currentPoint;
    QPoint m_pressPoint;
    Mode m_mode = Pen;
    QColor m_color = Qt::yellow;
    // Kept for callers; notes are drawn in the note editor's own font.
    QFont m_font;
    int m_thickness = 1;
    bool m_dashLine = false;
    bool m_pressed = false;
    // Ours; on a picture smaller than the note it is placed in the window around us, which may delete it.
    QPointer<NoteEditWidget> m_noteEdit;
    bool m_pending = false;
    OverlayHistory m_history;
    QList<QLine> m_stroke;
    // The part of the composed picture that no longer shows the overlay as it is.
    QRegion m_composedStale;
    bool m_unsaved = true;
    BlurPreview m_blurPreview;
    // On while the pointer is over the surface.
    OverrideCursor m_toolCursor;
};

} // namespace QMWidgets
