// Reduces a generated 1024 x 768 photo-like image to 64 and 256 colours, with dithering on and
// off, next to libimagequant at the same settings: time and PSNR over RGB. Prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MGraphX/ColorReducer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>

#include <libimagequant.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <functional>
#include <vector>

static const int repetitions = 3;

// Soft gradients, a few shaded discs and sensor-like noise.
static QImage photoLike(int w, int h)
{
    QRandomGenerator generator(5);
    QImage image(w, h, QImage::Format_RGB32);
    struct Disc { double x, y, r; int red, green, blue; };
    std::vector<Disc> discs;
    for (int i = 0; i < 12; ++i)
        discs.push_back({generator.bounded(double(w)), generator.bounded(double(h)), 40 + generator.bounded(160.0),
                         int(generator.bounded(256)), int(generator.bounded(256)), int(generator.bounded(256))});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double r = 40 + 150.0 * x / w, g = 60 + 120.0 * y / h, b = 200 - 150.0 * (x + y) / (w + h);
            for (const Disc &d : discs) {
                const double dist = std::hypot(x - d.x, y - d.y) / d.r;
                if (dist < 1) {
                    const double shade = 1 - 0.6 * dist * dist;
                    r = d.red * shade;
                    g = d.green * shade;
                    b = d.blue * shade;
                }
            }
            const int noise = int(generator.bounded(13)) - 6;
            image.setPixel(x, y, qRgb(qBound(0, int(r) + noise, 255), qBound(0, int(g) + noise, 255), qBound(0, int(b) + noise, 255)));
        }
    return image;
}

static double psnr(const QImage &original, const QImage &reduced)
{
    double sum = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const QRgb a = original.pixel(x, y), b = reduced.pixel(x, y);
            sum += std::pow(qRed(a) - qRed(b), 2) + std::pow(qGreen(a) - qGreen(b), 2) + std::pow(qBlue(a) - qBlue(b), 2);
        }
    const double mse = sum / (3.0 * original.width() * original.height());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

static QImage quantized(const QImage &rgba, int colours, bool dithering)
{
    liq_attr *attr = liq_attr_create();
    liq_set_max_colors(attr, colours);
    liq_image *input = liq_image_create_rgba(attr, rgba.constBits(), rgba.width(), rgba.height(), 0);
    liq_result *result = nullptr;
    QImage out(rgba.width(), rgba.height(), QImage::Format_Indexed8);
    if (liq_image_quantize(input, attr, &result) == LIQ_OK) {
        liq_set_dithering_level(result, dithering ? 1.0f : 0.0f);
        std::vector<unsigned char> pixels(size_t(rgba.width()) * rgba.height());
        liq_write_remapped_image(result, input, pixels.data(), pixels.size());
        const liq_palette *palette = liq_get_palette(result);
        QVector<QRgb> table;
        for (unsigned i = 0; i < palette->count; ++i)
            table << qRgba(palette->entries[i].r, palette->entries[i].g, palette->entries[i].b, palette->entries[i].a);
        out.setColorTable(table);
        for (int y = 0; y < rgba.height(); ++y)
            std::copy(pixels.begin() + y * rgba.width(), pixels.begin() + (y + 1) * rgba.width(), out.scanLine(y));
        liq_result_destroy(result);
    }
    liq_image_destroy(input);
    liq_attr_destroy(attr);
    return out;
}

int main(int, char **argv)
{
    // libimagequant's OpenMP workers spin while they wait, which on a busy machine measures the
    // machine rather than the algorithm: run it on one thread, like the reducer. The runtime reads
    // the setting when it loads, hence the restart.
    if (!std::getenv("OMP_NUM_THREADS")) {
        setenv("OMP_NUM_THREADS", "1", 1);
        execv("/proc/self/exe", argv);
    }
    const QImage image = photoLike(1024, 768);
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    for (int colours : {64, 256}) {
        for (bool dithering : {true, false}) {
            const char *mode = dithering ? "dithered" : "plain";
            QImage ours, theirs;
            const double oursMs = bestMilliseconds(repetitions, [&] {
                MGraphX::ColorReducer reducer(image);
                reducer.setDithering(dithering);
                ours = reducer.reduce(colours);
            });
            const double theirsMs = bestMilliseconds(repetitions, [&] { theirs = quantized(rgba, colours, dithering); });
            const double oursPsnr = psnr(image, ours);
            const double theirsPsnr = psnr(image, theirs);
            std::printf("reduce(%d) %s\t%.1f\tms\t-\n", colours, mode, oursMs);
            std::printf("libimagequant %d %s\t%.1f\tms\t-\n", colours, mode, theirsMs);
            printRow(QStringLiteral("reduce / libimagequant time, %1 %2").arg(colours).arg(QLatin1String(mode)),
                     oursMs / theirsMs, "x", QLatin1String(dithering ? "<= 1.5" : "<= 0.25"));
            std::printf("reduce(%d) %s PSNR\t%.2f\tdB\t-\n", colours, mode, oursPsnr);
            std::printf("libimagequant %d %s PSNR\t%.2f\tdB\t-\n", colours, mode, theirsPsnr);
            printRow(QStringLiteral("PSNR below libimagequant, %1 %2").arg(colours).arg(QLatin1String(mode)),
                     theirsPsnr - oursPsnr, "dB", QStringLiteral("<= 2"));
        }
    }
    return 0;
}
