#pragma once

#include "QMWidgets/OverrideCursor.h"

#include <QColor>
#include <QFont>
#include <QLine>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QVector>
#include <QWidget>

class QPainter;

namespace QMWidgets {

class NoteEditWidget;

// The drawing surface of the image annotation editor. It shows one image, keeps the annotations in a
// transparent overlay of the image's size, with undo and redo stacks of overlay snapshots, and saves
// the annotated image as a PNG file.
//
// Pointer events only record points and flags; the paint that follows does the work: it draws a
// preview of the stroke being dragged on the widget, and once the left button is released it pushes
// an undo snapshot and commits the stroke into the overlay.
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
    // Makes the newest snapshot of one stack the overlay and keeps the overlay on the other.
    void restoreSnapshot(QVector<QPixmap> &from, QVector<QPixmap> &to);
    QPen toolPen() const;
    // Draws the stroke in progress or the finished one with the tool's pen and settings.
    void drawStroke(QPainter &painter, int firstSegment = 0) const;
    void clearStroke();
    void drawShape(QPainter &painter);
    void drawBlur(QPainter &painter) const;
    void placeNoteEditor(QPainter &widgetPainter);
    void drawAcceptedText(QPainter &overlayPainter, QPainter &widgetPainter);

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
    NoteEditWidget *m_noteEdit = nullptr;
    bool m_pending = false;
    QVector<QPixmap> m_undoStack;
    QVector<QPixmap> m_redoStack;
    QList<QLine> m_stroke;
    // The overlay with the eraser stroke in progress taken out of it, and how many segments it has lost.
    QPixmap m_erasePreview;
    int m_erasedSegments = 0;
    bool m_unsaved = true;
    // On while the pointer is over the surface.
    OverrideCursor m_toolCursor;
};

} // namespace QMWidgets
