// Times blurImage over a generated 1920 x 1080 image at radius 2, 10 and 17 next to Qt's own
// exponential blur at radius 10 (quality off); prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MGraphX/ImageFilters.h"

#include <QElapsedTimer>
#include <QImage>

#include <cstdio>
#include <functional>

// Exported by Qt Widgets, declared in none of its public headers.
void qt_blurImage(QImage &blurImage, qreal radius, bool quality, int transposed);

static const int repetitions = 7;

int main()
{
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int a = 128 + ((x / 64 + y / 64) % 2) * 127;
            image.setPixel(x, y, qPremultiply(qRgba(x * 255 / 1920, y * 255 / 1080, (x * y) & 255, a)));
        }

    qint64 sink = 0;
    double radius10 = 0;
    for (int radius : {2, 10, 17}) {
        const double ms = bestMilliseconds(repetitions, [&] { sink += MGraphX::blurImage(image, image.rect(), radius, false).width(); });
        if (radius == 10)
            radius10 = ms;
        std::printf("blurImage radius %d\t%.2f\tms\t-\n", radius, ms);
    }
    const double qt = bestMilliseconds(repetitions, [&] {
        QImage copy = image;
        qt_blurImage(copy, 10, false, 0);
        sink += copy.width();
    });
    std::printf("qt_blurImage radius 10\t%.2f\tms\t-\n", qt);
    printRow(QStringLiteral("blurImage / qt_blurImage at 10"), radius10 / qt, "x", QStringLiteral("<= 1.5"));
    return sink > 0 ? 0 : 1;
}
