#include "QMWidgets/annotation/OverlayHistory.h"

#include <QPainter>
#include <QPixmap>
#include <QSet>

#include <cstring>
#include <new>

namespace QMWidgets {

QVector<QRect> OverlayHistory::tiles(const QRect &area, const QSize &picture,
                                     const std::function<bool(const QRect &)> &mayChange)
{
    QVector<QRect> result;
    const QRect kept = area & QRect(QPoint(0, 0), picture);
    if (kept.isEmpty())
        return result;
    const QRect whole(QPoint(0, 0), picture);
    for (int top = kept.top() / tileSize * tileSize; top <= kept.bottom(); top += tileSize) {
        for (int left = kept.left() / tileSize * tileSize; left <= kept.right(); left += tileSize) {
            const QRect tile = QRect(left, top, tileSize, tileSize) & whole;
            if (!mayChange || mayChange(tile))
                result.append(tile);
        }
    }
    return result;
}

QRegion OverlayHistory::region(const QVector<QRect> &tiles)
{
    // Each row's runs of neighbouring tiles joined first; a run below all earlier ones is appended to
    // the region, not merged into it.
    QRegion result;
    QRect run;
    for (const QRect &tile : tiles) {
        if (!run.isNull() && run.top() == tile.top() && run.right() + 1 == tile.left()) {
            run.setRight(tile.right());
            continue;
        }
        if (!run.isNull())
            result += run;
        run = tile;
    }
    if (!run.isNull())
        result += run;
    return result;
}

void OverlayHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_changePieces = 0;
    m_changeInRedo = false;
}

void OverlayHistory::setBudget(qint64 bytes)
{
    m_budget = bytes;
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
    m_changePieces = 0;
}

bool OverlayHistory::aboutToChange(const QPixmap &picture, const QVector<QRect> &tiles)
{
    const bool opened = m_undo.isEmpty();
    if (opened)
        openStep();
    m_changePieces = 0;
    m_unrecorded.clear();
    Step pieces;
    bool kept = true;
    {
        // Shares the picture's pixels without copying them; let go before anyone paints on it.
        const QImage whole = picture.toImage();
        qint64 adding = 0;
        for (const QRect &tile : tiles)
            adding += qint64((tile & whole.rect()).width()) * (tile & whole.rect()).height() * whole.depth() / 8;
        // Room is made before the copies, so that the history never holds more than its budget.
        kept = makeRoom(adding, true);
        try {
            if (kept)
                pieces.reserve(tiles.size());
            for (int i = 0; kept && i < tiles.size(); ++i) {
                const QRect area = tiles.at(i) & whole.rect();
                if (area.isEmpty())
                    continue;
                pieces.append(Piece{area, whole.copy(area)});
                kept = !pieces.last().pixels.isNull();
            }
        } catch (const std::bad_alloc &) {
            kept = false;
        }
    }
    if (!kept) {
        // Older steps would not lead back past a change that is not kept: the history starts again after it.
        clear();
        m_unrecorded = tiles;
        return false;
    }
    // Painted first in both steps: they put back the picture as it was before this change, from which the
    // step's older pieces go on.
    m_undo.last() += pieces;
    m_changeInRedo = !m_redo.isEmpty();
    if (m_changeInRedo)
        m_redo.last() += pieces;
    m_changePieces = pieces.size();
    return opened;
}

bool OverlayHistory::makeRoom(qint64 adding, bool newest)
{
    while (bytes() + adding > m_budget) {
        if (m_undo.size() > 1)
            m_undo.removeFirst();
        else if (m_redo.size() > 1 || (newest && !m_redo.isEmpty()))
            m_redo.removeFirst();
        else
            return false;
    }
    return true;
}

static bool samePixels(const QImage &whole, const QRect &area, const QImage &pixels)
{
    if (whole.format() != pixels.format())
        return whole.copy(area) == pixels;
    const int rowBytes = area.width() * whole.depth() / 8;
    const int offset = area.left() * whole.depth() / 8;
    for (int y = 0; y < area.height(); ++y) {
        if (std::memcmp(whole.constScanLine(area.top() + y) + offset, pixels.constScanLine(y), size_t(rowBytes)) != 0)
            return false;
    }
    return true;
}

QVector<QRect> OverlayHistory::changeDone(const QPixmap &picture)
{
    QVector<QRect> altered;
    if (!m_unrecorded.isEmpty()) {
        altered.swap(m_unrecorded);
        return altered;
    }
    if (m_undo.isEmpty() || m_changePieces == 0)
        return altered;
    const QImage whole = picture.toImage();
    Step &undoStep = m_undo.last();
    const int first = undoStep.size() - m_changePieces;
    Step kept;
    kept.reserve(m_changePieces);
    for (int i = first; i < undoStep.size(); ++i) {
        const Piece &piece = undoStep.at(i);
        if (!samePixels(whole, piece.area, piece.pixels)) {
            kept.append(piece);
            altered.append(piece.area);
        }
    }
    undoStep.resize(first);
    undoStep += kept;
    if (m_changeInRedo && !m_redo.isEmpty()) {
        Step &redoStep = m_redo.last();
        redoStep.resize(redoStep.size() - m_changePieces);
        redoStep += kept;
    }
    m_changePieces = 0;
    return altered;
}

QVector<QRect> OverlayHistory::undo(QPixmap &picture)
{
    const QVector<QRect> changed = move(m_undo, m_redo, picture);
    makeRoom(0, false);
    return changed;
}

QVector<QRect> OverlayHistory::redo(QPixmap &picture)
{
    const QVector<QRect> changed = move(m_redo, m_undo, picture);
    makeRoom(0, false);
    return changed;
}

// Paints the newest step of one list onto the picture and keeps the way back as the newest of the other.
QVector<QRect> OverlayHistory::move(QVector<Step> &from, QVector<Step> &to, QPixmap &picture)
{
    QVector<QRect> changed;
    if (from.isEmpty())
        return changed;
    const Step step = from.takeLast();
    Step inverse;
    bool complete = true;
    {
        // All of the way back is read before anything is painted, so its pieces agree where they overlap.
        const QImage whole = picture.toImage();
        try {
            inverse.reserve(step.size());
            for (const Piece &piece : step) {
                inverse.append(Piece{piece.area, whole.copy(piece.area)});
                complete = complete && !inverse.last().pixels.isNull();
                if (!complete)
                    break;
            }
        } catch (const std::bad_alloc &) {
            complete = false;
        }
    }
    // Without the way back, the other list's steps would not lead on from the picture that this step makes.
    if (!complete) {
        inverse.clear();
        to.clear();
    }
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (auto piece = step.crbegin(); piece != step.crend(); ++piece) {
        painter.drawImage(piece->area.topLeft(), piece->pixels);
        changed.append(piece->area);
    }
    if (complete)
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
