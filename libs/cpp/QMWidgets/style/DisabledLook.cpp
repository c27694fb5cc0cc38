#include "QMWidgets/style/DisabledLook.h"

#include <QPainter>
#include <QWidget>

namespace QMWidgets {

DisabledLook::DisabledLook(QWidget *widget)
    : QGraphicsEffect(widget)
{
    widget->setGraphicsEffect(this);
}

void DisabledLook::draw(QPainter *painter)
{
    const auto *widget = qobject_cast<const QWidget *>(parent());
    if (!widget || widget->isEnabled()) {
        drawSource(painter);
        return;
    }
    QPoint offset;
    // The copy carries the screen's pixel ratio, so it is as sharp as the painting itself.
    const QPixmap source = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (source.isNull())
        return;
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Grey, and halfway to the middle grey, so a disabled button reads as one on dark and on light ground.
            const int grey = (qGray(line[x]) + 128) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 3 / 5);
        }
    }
    painter->drawImage(offset, image);
}

} // namespace QMWidgets
