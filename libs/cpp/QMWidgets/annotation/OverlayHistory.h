#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QVector>

#include <functional>

class QPixmap;

namespace QMWidgets {

// Undo and redo for a picture that is painted on in places: a step keeps only the tiles of a fixed grid
// whose pixels a change altered, not a copy of the whole picture nor of the change's bounding box, so a
// long thin stroke on a very large picture costs the tiles it crosses.
//
// Each step holds pieces (a tile and the pixels it held); painting the pieces onto the picture from the last to
// the first makes it what the step stands for. A change adds its pieces at the end, so that adding to a large
// step costs the change's pieces, not the step's. The newest undo step leads from the picture as it is to the one
// before, the newest redo step to the one undone last; deeper steps lead on from there.
//
// The steps keep at most a budget of memory: past it the oldest go first, the deepest undo steps before the
// deepest redo steps. A change that alone does not fit, or whose pixels cannot be copied, empties the history:
// the picture keeps the change and nothing is undone past it.
class OverlayHistory
{
public:
    static constexpr int tileSize = 64;
    static constexpr qint64 defaultBudget = qint64(1024) * 1024 * 1024;

    // The tiles of the grid that meet the area and that the test says may change, each cut to the
    // picture, row by row from the top and left to right in a row.
    static QVector<QRect> tiles(const QRect &area, const QSize &picture,
                                const std::function<bool(const QRect &)> &mayChange = {});

    // The tiles, in the grid's order, as one region.
    static QRegion region(const QVector<QRect> &tiles);

    void clear();
    qint64 budget() const { return m_budget; }
    void setBudget(qint64 bytes);
    bool canUndo() const;
    bool canRedo() const;
    // A new undo step that the next changes go into.
    void openStep();
    // Before the tiles of the picture are painted on (and nothing else of it): keeps what they hold in the
    // newest undo step, and in the newest redo step, which must still lead to the same picture. Returns
    // true when it had to open the undo step because there was none. Older steps may be dropped to make room.
    bool aboutToChange(const QPixmap &picture, const QVector<QRect> &tiles);
    // After the painting: forgets the tiles of the last change that it left as they were, and returns
    // those it altered.
    QVector<QRect> changeDone(const QPixmap &picture);
    // Return the tiles of the picture that changed, none when there was nothing to undo or redo.
    QVector<QRect> undo(QPixmap &picture);
    QVector<QRect> redo(QPixmap &picture);
    // The memory the pixels of all steps take.
    qint64 bytes() const;

private:
    struct Piece
    {
        QRect area;
        QImage pixels;
    };
    using Step = QVector<Piece>;

    static QVector<QRect> move(QVector<Step> &from, QVector<Step> &to, QPixmap &picture);
    // Drops the oldest steps until the pixels kept and `adding` more fit the budget. The newest step of each list
    // is dropped only when `newest` allows it, the open undo step never. False when it still does not fit.
    bool makeRoom(qint64 adding, bool newest);

    qint64 m_budget = defaultBudget;
    // The tiles of a change that the history could not keep, which changeDone still reports as altered.
    QVector<QRect> m_unrecorded;
    QVector<Step> m_undo;
    QVector<Step> m_redo;
    // The pieces the last change put first in the newest undo step, and whether also in the redo step.
    int m_changePieces = 0;
    bool m_changeInRedo = false;
};

} // namespace QMWidgets
