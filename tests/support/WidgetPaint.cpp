#include "WidgetPaint.h"

#include <QPushButton>
#include <QVector>
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

double textContrast(const QImage &image, const QRectF &logicalBox)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect box = QRectF(logicalBox.topLeft() * ratio, logicalBox.size() * ratio).toAlignedRect()
                          .intersected(image.rect());
    QVector<double> luminances;
    luminances.reserve(box.width() * box.height());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            luminances << luminance(QColor(image.pixel(x, y)));
    }
    if (luminances.isEmpty())
        return 0;
    auto middle = luminances.begin() + luminances.size() / 2;
    std::nth_element(luminances.begin(), middle, luminances.end());
    const double ground = *middle;
    const auto [darkest, lightest] = std::minmax_element(luminances.begin(), luminances.end());
    return std::max(luminanceContrast(ground, *darkest), luminanceContrast(ground, *lightest));
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
