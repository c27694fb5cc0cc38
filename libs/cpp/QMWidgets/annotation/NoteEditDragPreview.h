#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace QMWidgets {

// The thumbnail of the annotated image in the annotation editor's side bar. Dragging it writes the image
// into a PNG file in the work folder and starts a copy drag carrying the file's URL, so the picture can be
// dropped into other programs.
class NoteEditDragPreview : public QWidget
{
    Q_OBJECT

public:
    explicit NoteEditDragPreview(QWidget *parent = nullptr);

    const QPixmap &pixmap() const;
    // Writes the file and runs the drag; when no file name of the work folder can be opened, nothing is dragged.
    void startDrag();

public slots:
    void slotSetPixmap(const QPixmap &pixmap);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_pixmap;
    QPoint m_dragStartPosition;
    // The picture scaled to the widget, made again only when the picture or the size changes: scaling a
    // very large picture takes long.
    QPixmap m_thumbnail;
};

} // namespace QMWidgets
