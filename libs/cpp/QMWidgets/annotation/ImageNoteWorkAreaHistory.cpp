// The surface's undo and redo: which tiles a commit may change, and drawing into the overlay only there.
#include "QMWidgets/annotation/ImageNoteWorkArea.h"

#include <QLineF>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace QMWidgets {

namespace {

// From a tile's centre every pixel of it lies within this distance.
const double tileReach = OverlayHistory::tileSize * M_SQRT1_2 + 1;

double distanceToSegment(const QPointF &point, const QLineF &segment)
{
    const QPointF along = segment.p2() - segment.p1();
    const double squared = QPointF::dotProduct(along, along);
    double t = squared > 0 ? QPointF::dotProduct(point - segment.p1(), along) / squared : 0;
    t = std::max(0.0, std::min(1.0, t));
    const QPointF nearest = segment.p1() + t * along;
    return std::hypot(point.x() - nearest.x(), point.y() - nearest.y());
}

// The tiles within the reach of any of the segments, in the grid's order.
QVector<QRect> tilesNear(const QVector<QLineF> &segments, double reach, const QSize &picture)
{
    QSet<QPair<int, int>> seen;
    QVector<QRect> found;
    for (const QLineF &segment : segments) {
        const int margin = int(std::ceil(reach));
        const QRect bounds = QRectF(segment.p1(), segment.p2()).normalized().toAlignedRect().adjusted(
            -margin, -margin, margin, margin);
        const auto near = [&](const QRect &tile) {
            return distanceToSegment(QRectF(tile).center(), segment) <= reach + tileReach;
        };
        for (const QRect &tile : OverlayHistory::tiles(bounds, picture, near)) {
            const QPair<int, int> key(tile.top(), tile.left());
            if (!seen.contains(key)) {
                seen.insert(key);
                found.append(tile);
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const QRect &a, const QRect &b) {
        return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
    });
    return found;
}

// Whether the tile meets the ring between the ellipse grown and shrunk by the reach (all of the
// grown ellipse when it is filled).
bool meetsEllipse(const QRect &tile, const QRectF &ellipse, double reach, bool filled)
{
    const QRectF area(tile);
    const QPointF centre = ellipse.center();
    const double outerX = ellipse.width() / 2 + reach;
    const double outerY = ellipse.height() / 2 + reach;
    const double nearestX = std::max(area.left(), std::min(centre.x(), area.right())) - centre.x();
    const double nearestY = std::max(area.top(), std::min(centre.y(), area.bottom())) - centre.y();
    if ((nearestX / outerX) * (nearestX / outerX) + (nearestY / outerY) * (nearestY / outerY) > 1)
        return false;
    const double innerX = ellipse.width() / 2 - reach;
    const double innerY = ellipse.height() / 2 - reach;
    if (filled || innerX <= 0 || innerY <= 0)
        return true;
    // The inner ellipse is convex: the tile lies inside it when its corners do.
    for (const QPointF &corner : {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
        const double x = (corner.x() - centre.x()) / innerX;
        const double y = (corner.y() - centre.y()) / innerY;
        if (x * x + y * y > 1)
            return true;
    }
    return false;
}

} // namespace

qint64 ImageNoteWorkArea::historyBytes() const
{
    return m_history.bytes();
}

// An owner may delete the surface on any of the signals: all that they say is read before the first, and
// nothing of the surface after one that deleted it.
void ImageNoteWorkArea::slotUndo()
{
    const QPointer<ImageNoteWorkArea> alive(this);
    historyMoved(m_history.undo(m_overlay));
    if (!alive)
        return;
    const bool redo = m_history.canRedo();
    emit undoAvailable(m_history.canUndo());
    if (alive)
        emit redoAvailable(redo);
}

void ImageNoteWorkArea::slotRedo()
{
    const QPointer<ImageNoteWorkArea> alive(this);
    historyMoved(m_history.redo(m_overlay));
    if (!alive)
        return;
    const bool undo = m_history.canUndo();
    emit redoAvailable(m_history.canRedo());
    if (alive)
        emit undoAvailable(undo);
}

bool ImageNoteWorkArea::announceHistory(bool opened, bool couldRedo)
{
    const QPointer<ImageNoteWorkArea> alive(this);
    const bool undo = m_history.canUndo();
    const bool redoLost = couldRedo && !m_history.canRedo();
    if (opened || !undo)
        emit undoAvailable(undo);
    if (alive && redoLost)
        emit redoAvailable(false);
    return alive;
}

void ImageNoteWorkArea::historyMoved(const QVector<QRect> &tiles)
{
    if (tiles.isEmpty())
        return;
    const QRegion area = OverlayHistory::region(tiles);
    m_composedStale |= area;
    repaint(area);
    emit changed();
}

// Only the tiles a stroke crosses: the box around a line corner to corner on a large picture is the
// whole picture, and keeping all of it per stroke would fill the memory in a few strokes.
QVector<QRect> ImageNoteWorkArea::strokeTiles() const
{
    const QSize picture = m_overlay.size();
    // A pixel more than the pen reaches: a shape drawn on whole pixels ends one beyond its last point.
    const double reach = penReach() + 1;
    const QLineF shaft(m_pressPoint, m_currentPoint);
    switch (m_mode) {
    case Pen:
    case Highlighter:
    case Eraser: {
        QVector<QLineF> segments;
        for (const QLine &segment : m_stroke)
            segments.append(QLineF(segment));
        return tilesNear(segments, reach, picture);
    }
    case Line:
        return tilesNear({shaft}, reach, picture);
    case Arrow: {
        // The head's strokes end 30 back along the shaft and 12 to the side: within 33 of the tip.
        QVector<QRect> tiles = tilesNear({shaft}, reach, picture);
        tiles += tilesNear({QLineF(m_currentPoint, m_currentPoint)}, reach + 33, picture);
        std::sort(tiles.begin(), tiles.end(), [](const QRect &a, const QRect &b) {
            return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
        });
        tiles.erase(std::unique(tiles.begin(), tiles.end()), tiles.end());
        return tiles;
    }
    case Rectangle: {
        const QPointF a(m_pressPoint), c(m_currentPoint + QPoint(1, 1));
        const QPointF b(c.x(), a.y()), d(a.x(), c.y());
        return tilesNear({QLineF(a, b), QLineF(b, c), QLineF(c, d), QLineF(d, a)}, reach, picture);
    }
    case Oval:
    case FilledOval: {
        const QRectF ellipse(QRect(m_pressPoint, m_currentPoint).normalized());
        const bool filled = m_mode == FilledOval;
        return OverlayHistory::tiles(shapeBounds(), picture,
                                     [&](const QRect &tile) { return meetsEllipse(tile, ellipse, reach, filled); });
    }
    default:
        return OverlayHistory::tiles(shapeBounds(), picture);
    }
}

bool ImageNoteWorkArea::commitToOverlay(const QVector<QRect> &tiles, const std::function<void(QPainter &)> &draw)
{
    const bool opened = m_history.aboutToChange(m_overlay, tiles);
    if (tiles.isEmpty())
        return opened;
    {
        QPainter overlayPainter(&m_overlay);
        overlayPainter.setRenderHint(QPainter::Antialiasing);
        // Nothing outside the kept tiles may change, or undo would not give it back.
        overlayPainter.setClipRegion(OverlayHistory::region(tiles));
        draw(overlayPainter);
    }
    const QVector<QRect> altered = m_history.changeDone(m_overlay);
    m_composedStale |= OverlayHistory::region(altered);
    return opened;
}

} // namespace QMWidgets
