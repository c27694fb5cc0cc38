#pragma once

// What the tests of the annotation surface share: the picture, pixel comparison and a shown surface that
// records its signals.

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <memory>

class QWidget;

namespace QMWidgets {
class ImageNoteWorkArea;
class NoteEditWidget;
}

// Larger than the note editor, which fits on it.
extern const QSize pictureSize;

// A 4-pixel checkerboard, so a blur changes pixels and every stroke shows against both colours.
QPixmap checkerboard(const QSize &size = pictureSize);

// The bounding box of the pixels that differ.
QRect changedBox(const QImage &before, const QImage &after);

// The largest difference of one colour channel between pixels at the same place of two pictures of one size.
int largestDifference(const QImage &a, const QImage &b);

void send(QWidget *widget, QEvent::Type type, const QPoint &point, Qt::MouseButton button,
          Qt::MouseButtons buttons);

// Each test gets a shown surface on the checkerboard; m_signals lists what it emitted since.
class ImageNoteWorkAreaFixture : public QObject
{
    Q_OBJECT

public:
    ImageNoteWorkAreaFixture();
    ~ImageNoteWorkAreaFixture() override;

private slots:
    void initTestCase();
    void init();
    void cleanup();

protected:
    void press(const QPoint &point);
    void move(const QPoint &point, bool paint = true);
    void release(const QPoint &point, Qt::MouseButton button = Qt::LeftButton);
    void drag(const QVector<QPoint> &path);
    QImage shown();
    QMWidgets::NoteEditWidget *noteEditor();

    std::unique_ptr<QMWidgets::ImageNoteWorkArea> m_area;
    QStringList m_signals;
};
