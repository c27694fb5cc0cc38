#include "QMWidgets/annotation/BlurPreview.h"

#include "MGraphX/ImageFilters.h"

#include <QPainter>
#include <QPixmap>

namespace QMWidgets {

namespace {

// The blur weighs a pixel 13/16 of its neighbour's weight: beyond this distance an edge, or a pixel, changes a
// blurred one by less than the blur's own rounding. So the seen part, blurred with this much of the area around
// it, is what the release's blur of the whole area gives there; and a blur kept from an earlier paint holds
// this far from an edge that has moved since.
constexpr int s_reach = 48;

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

    QImage blurred(source.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&blurred);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!kept.isNull())
        painter.drawImage(kept.topLeft() - source.topLeft(), m_blurred, kept.translated(-m_source.topLeft()));
    // Shares the pixels of a picture held as an image, as pictures on this platform are.
    const QImage whole = picture.toImage();
    for (const QRect &band : bandsAround(source, kept)) {
        // Blurred with as much of the source around it as the blur reaches.
        const QRect context = band.adjusted(-s_reach, -s_reach, s_reach, s_reach) & source;
        const QImage part = whole.copy(context);
        painter.drawImage(band.topLeft() - source.topLeft(), MGraphX::blurImage(part, part.rect(), radius, false),
                          band.translated(-context.topLeft()));
    }
    painter.end();
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
