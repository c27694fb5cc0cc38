// Times the planes' brighten round trip (construct, addBrightness(30), toImage) on 1920 x 1080
// against a plain scan-line loop that does the same to a copy; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MGraphX/ImageProcess.h"

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <functional>

static const int repetitions = 7;

static QImage plainLoop(const QImage &source)
{
    QImage copy = source.convertToFormat(QImage::Format_ARGB32);
    copy.detach();
    for (int y = 0; y < copy.height(); ++y) {
        uchar *line = copy.scanLine(y);
        for (int x = 0; x < copy.width(); ++x) {
            uchar *p = line + x * 4;
            for (int c = 0; c < 3; ++c)
                p[c] = uchar(std::min(255, p[c] + 30));
            p[3] = 255;
        }
    }
    return copy;
}

int main()
{
    QImage image(1920, 1080, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 1920, y * 255 / 1080, (x ^ y) & 255));

    const QImage planes = MGraphX::ImageProcess(image).addBrightness(30).toImage();
    if (planes != plainLoop(image)) {
        std::fprintf(stderr, "bench_ImageProcess: the two ways disagree\n");
        return 1;
    }
    qint64 sink = 0;
    const double library = bestMilliseconds(repetitions, [&] { sink += MGraphX::ImageProcess(image).addBrightness(30).toImage().width(); });
    const double loop = bestMilliseconds(repetitions, [&] { sink += plainLoop(image).width(); });
    std::printf("ImageProcess brighten 1920x1080\t%.2f\tms\t-\n", library);
    std::printf("plain loop brighten 1920x1080\t%.2f\tms\t-\n", loop);
    printRow(QStringLiteral("ImageProcess / plain loop"), library / loop, "x", QStringLiteral("<= 4"));
    return sink > 0 ? 0 : 1;
}
