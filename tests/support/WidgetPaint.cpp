#include "WidgetPaint.h"

#include <QWidget>

QImage paintWidget(QWidget &widget)
{
    const qreal ratio = widget.devicePixelRatioF();
    QImage image(widget.size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QString describePixel(QRgb pixel)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel)).arg(qAlpha(pixel));
}
