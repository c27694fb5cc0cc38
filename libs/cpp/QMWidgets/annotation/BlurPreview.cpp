#include "QMWidgets/annotation/BlurPreview.h"

#include "MGraphX/ImageFilters.h"

#include <QPainter>
#include <QPixmap>

#include <cstring>

namespace QMWidgets {

namespace {

// The blur weighs a pixel 13/16 of its neighbour's weight: beyond this distance an edge, or a pixel, changes a
// blurred one by less than the blur's own rounding. So the seen part, blurred with this much of the area around
// it, is what the release's blur of the whole area gives there; and a blur kept from an earlier paint holds
// this far from an edge that has moved since.
constexpr int s_reach = 48;

// Copies a rectangle of one 32-bit image into another, row by row: a painter costs more than the copy.
void copyPixels(QImage &to, const QPoint &at, const QImage &from, const QRect &part)
{
    const size_t bytes = size_t(part.width()) * 4;
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(to.scanLine(at.y() + y) + at.x() * 4, from.constScanLine(part.top() + y) + part.left() * 4, bytes);
}

// The part of the picture as an image of its own pixels, without a copy where the picture is held as 32-bit
// pixels: the blur copies it anyway as it converts it to the format it works in.
QImage pictureArea(const QImage &picture, const QRect &part)
{
    if (picture.depth() != 32)
        return picture.copy(part);
    return QImage(picture.constScanLine(part.top()) + part.left() * 4, part.width(), part.height(),
                  picture.bytesPerLine(), picture.format());
}

} // namespace

void BlurPreview::draw(QPainter &painter, const QPixmap &picture, const QRect &area, const QRect &seen,
                       const QRect &dirty)
{
    const QRect shown = area & seen;
    const QRect drawn = shown & dirty;
    if (drawn.isEmpty())
        return;
    // The area's own edges where they are near the view, as the release has them: the blur reads nothing
    // outside the area.
    const QRect source = shown.adjusted(-s_reach, -s_reach, s_reach, s_reach) & area;
    if (source != m_source || m_blurred.isNull())
        blur(picture, source);
    painter.drawImage(drawn.topLeft(), m_blurred, drawn.translated(-m_source.topLeft()));
}

void BlurPreview::blur(const QPixmap &picture, const QRect &source)
{
    // What the last blur holds for the new source: all of their common part but near the edges that moved,
    // which the old blur felt where they were and the new one must feel where they are.
    QRect kept = m_blurred.isNull() ? QRect() : m_source & source;
    if (!kept.isEmpty()) {
        if (m_source.left() != source.left())
            kept.setLeft(kept.left() + s_reach);
        if (m_source.top() != source.top())
            kept.setTop(kept.top() + s_reach);
        if (m_source.right() != source.right())
            kept.setRight(kept.right() - s_reach);
        if (m_source.bottom() != source.bottom())
            kept.setBottom(kept.bottom() - s_reach);
    }
    if (kept.isEmpty())
        kept = QRect();

    // The blur's own format, which every piece below has.
    QImage blurred(source.size(), QImage::Format_ARGB32_Premultiplied);
    if (!kept.isNull())
        copyPixels(blurred, kept.topLeft() - source.topLeft(), m_blurred, kept.translated(-m_source.topLeft()));
    // Shares the pixels of a picture held as an image, as pictures on this platform are.
    const QImage whole = picture.toImage();
    for (const QRect &band : bandsAround(source, kept)) {
        // Blurred with as much of the source around it as the blur reaches.
        const QRect context = band.adjusted(-s_reach, -s_reach, s_reach, s_reach) & source;
        const QImage part = pictureArea(whole, context);
        const QImage result = MGraphX::blurImage(part, part.rect(), radius, false);
        copyPixels(blurred, band.topLeft() - source.topLeft(), result, band.translated(-context.topLeft()));
    }
    m_blurred = blurred;
    m_source = source;
}

// The whole rectangle without the kept one, in up to four bands: above and below it at full width, and at its
// sides.
QVector<QRect> BlurPreview::bandsAround(const QRect &whole, const QRect &kept)
{
    if (kept.isNull())
        return {whole};
    QVector<QRect> bands;
    const auto add = [&bands](const QRect &band) {
        if (!band.isEmpty())
            bands << band;
    };
    add(QRect(QPoint(whole.left(), whole.top()), QPoint(whole.right(), kept.top() - 1)));
    add(QRect(QPoint(whole.left(), kept.bottom() + 1), QPoint(whole.right(), whole.bottom())));
    add(QRect(QPoint(whole.left(), kept.top()), QPoint(kept.left() - 1, kept.bottom())));
    add(QRect(QPoint(kept.right() + 1, kept.top()), QPoint(whole.right(), kept.bottom())));
    return bands;
}

} // namespace QMWidgets
