#include "QMWidgets/annotation/ZoomedPicture.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

namespace QMWidgets {

ZoomedPicture::ZoomedPicture(QWidget *parent)
    : QLabel(parent)
{
}

void ZoomedPicture::setPicture(const QPixmap &picture)
{
    // Shares the pixmap's pixels.
    m_picture = picture.toImage();
    m_halves.clear();
    // Made here, once, so that no zoom step pays for them. A smooth halving averages the pixels it joins: a
    // copy drawn at down to half its size shows no moiré.
    for (const QImage *last = &m_picture; !last->isNull();) {
        const QSize half((last->width() + 1) / 2, (last->height() + 1) / 2);
        if (half == last->size())
            break;
        const QImage made = last->scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (made.isNull())
            break;
        m_halves.append(made);
        last = &m_halves.last();
    }
    update();
}

void ZoomedPicture::setShownSize(const QSize &size)
{
    if (size == m_shown)
        return;
    m_shown = size;
    update();
}

const QImage &ZoomedPicture::source() const
{
    const QImage *best = &m_picture;
    for (const QImage &half : m_halves) {
        if (half.width() < m_shown.width() || half.height() < m_shown.height())
            break;
        best = &half;
    }
    return *best;
}

void ZoomedPicture::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_picture.isNull() || m_shown.isEmpty())
        return;
    const QRect placed = QStyle::alignedRect(layoutDirection(), alignment(), m_shown, contentsRect());
    const QRect target = placed & event->rect();
    if (target.isEmpty())
        return;
    const QImage &from = source();
    const double scaleX = double(from.width()) / m_shown.width();
    const double scaleY = double(from.height()) / m_shown.height();
    const QRectF area((target.left() - placed.left()) * scaleX, (target.top() - placed.top()) * scaleY,
                      target.width() * scaleX, target.height() * scaleY);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(target), from, area);
}

} // namespace QMWidgets
