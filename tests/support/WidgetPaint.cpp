#include "WidgetPaint.h"

#include <QPushButton>
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

bool showsMoreThanBackground(QPushButton &button)
{
    const QImage shown = paintWidget(button);
    const QString sheet = button.styleSheet();
    const QString text = button.text();
    const QIcon icon = button.icon();
    // The button's own sheet wins over the inherited ones whatever their selectors.
    button.setStyleSheet(sheet + QStringLiteral("\nQPushButton{image: none;}"));
    button.setText(QString());
    button.setIcon(QIcon());
    const QImage bare = paintWidget(button);
    button.setStyleSheet(sheet);
    button.setText(text);
    button.setIcon(icon);
    return shown != bare;
}
