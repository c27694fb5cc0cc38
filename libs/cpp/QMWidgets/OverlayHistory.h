#pragma once

#include <QImage>
#include <QRect>
#include <QVector>

class QPixmap;

namespace QMWidgets {

// Undo and redo for a picture that is painted on in places: a step keeps only the pixels of the places
// that changed, not a copy of the whole picture, so a stroke on a very large picture costs the size of
// the stroke.
//
// Each step holds pieces (a rectangle and the pixels it held); painting the pieces in order onto the
// picture makes it what the step stands for. The newest undo step leads from the picture as it is to
// the one before, the newest redo step to the one undone last; deeper steps lead on from there.
class OverlayHistory
{
public:
    void clear();
    bool canUndo() const;
    bool canRedo() const;
    // A new undo step that the next changes go into.
    void openStep();
    // Before the area of the picture is painted on: keeps what it holds in the newest undo step, and in the
    // newest redo step, which must still lead to the same picture. Returns true when it had to open the
    // undo step because there was none.
    bool aboutToChange(const QPixmap &picture, const QRect &area);
    // Return the rectangle of the picture that changed, empty when there was nothing to undo or redo.
    QRect undo(QPixmap &picture);
    QRect redo(QPixmap &picture);
    // The memory the pixels of all steps take.
    qint64 bytes() const;

private:
    struct Piece
    {
        QRect area;
        QImage pixels;
    };
    using Step = QVector<Piece>;

    static QRect move(QVector<Step> &from, QVector<Step> &to, QPixmap &picture);

    QVector<Step> m_undo;
    QVector<Step> m_redo;
};

} // namespace QMWidgets
