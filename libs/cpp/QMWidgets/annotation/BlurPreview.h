#pragma once

#include <QImage>
#include <QRect>
#include <QVector>

class QPainter;
class QPixmap;

namespace QMWidgets {

// The preview of a blur rectangle being dragged: only the part of the area that is seen is blurred, at the
// picture's own resolution, and the blur is kept between paints, so a drag over a very large picture costs
// what the view shows, never what the rectangle covers. As the rectangle grows or shrinks only the strips near
// its moving edges are blurred again. The release blurs the whole area itself.
class BlurPreview
{
public:
    // The radius of the annotation blur, preview and release alike.
    static constexpr int radius = 10;

    // Draws the blurred area where it meets the dirty rectangle; the part of the area within the seen rectangle
    // is what gets blurred.
    void draw(QPainter &painter, const QPixmap &picture, const QRect &area, const QRect &seen, const QRect &dirty);

private:
    void blur(const QPixmap &picture, const QRect &source);
    static QVector<QRect> bandsAround(const QRect &whole, const QRect &kept);

    // The part of the picture whose blur m_blurred holds; the blur reads nothing beyond it.
    QRect m_source;
    QImage m_blurred;
};

} // namespace QMWidgets
