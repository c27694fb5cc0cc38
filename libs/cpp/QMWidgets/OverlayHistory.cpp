#include "QMWidgets/OverlayHistory.h"

#include <QPainter>
#include <QPixmap>
#include <QSet>

namespace QMWidgets {

void OverlayHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

bool OverlayHistory::canUndo() const
{
    return !m_undo.isEmpty();
}

bool OverlayHistory::canRedo() const
{
    return !m_redo.isEmpty();
}

void OverlayHistory::openStep()
{
    m_undo.append(Step());
}

bool OverlayHistory::aboutToChange(const QPixmap &picture, const QRect &area)
{
    const QRect kept = area & picture.rect();
    const bool opened = m_undo.isEmpty();
    if (opened)
        openStep();
    if (kept.isEmpty())
        return opened;
    const Piece piece{kept, picture.copy(kept).toImage()};
    // First in both steps: it puts back the picture as it was before this change, from which the
    // step's older pieces go on.
    m_undo.last().prepend(piece);
    if (!m_redo.isEmpty())
        m_redo.last().prepend(piece);
    return opened;
}

QRect OverlayHistory::undo(QPixmap &picture)
{
    return move(m_undo, m_redo, picture);
}

QRect OverlayHistory::redo(QPixmap &picture)
{
    return move(m_redo, m_undo, picture);
}

// Paints the newest step of one list onto the picture and keeps the way back as the newest of the other.
QRect OverlayHistory::move(QVector<Step> &from, QVector<Step> &to, QPixmap &picture)
{
    if (from.isEmpty())
        return QRect();
    const Step step = from.takeLast();
    Step inverse;
    // All of the way back is read before anything is painted, so its pieces agree where they overlap.
    for (const Piece &piece : step)
        inverse.append(Piece{piece.area, picture.copy(piece.area).toImage()});
    QRect changed;
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Piece &piece : step) {
        painter.drawImage(piece.area.topLeft(), piece.pixels);
        changed |= piece.area;
    }
    to.append(inverse);
    return changed;
}

qint64 OverlayHistory::bytes() const
{
    // A piece kept in an undo step and in a redo step shares its pixels: count them once.
    QSet<qint64> counted;
    qint64 total = 0;
    for (const QVector<Step> *steps : {&m_undo, &m_redo})
        for (const Step &step : *steps)
            for (const Piece &piece : step)
                if (!counted.contains(piece.pixels.cacheKey())) {
                    counted.insert(piece.pixels.cacheKey());
                    total += piece.pixels.sizeInBytes();
                }
    return total;
}

} // namespace QMWidgets
