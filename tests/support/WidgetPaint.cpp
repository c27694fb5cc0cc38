#include "WidgetPaint.h"

#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cmath>

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

namespace {

// Relative luminance of an sRGB colour.
double luminance(const QColor &colour)
{
    const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double luminanceContrast(double first, double second)
{
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    return luminanceContrast(luminance(a), luminance(b));
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
