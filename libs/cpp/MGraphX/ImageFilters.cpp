#include "MGraphX/ImageFilters.h"

#include "MGraphX/ColorMatrix.h"
#include "MGraphX/ImageProcess.h"
#include "MTools/Encodings.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace MGraphX {

namespace {

int clampByte(qint64 v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : int(v));
}

// Clamped before the truncation, so that no float outside the int range reaches the conversion.
int clampByte(float v)
{
    return v >= 255.0f ? 255 : (v > 0.0f ? int(v) : 0);
}

template <typename F>
QImage mapPixels(const QImage &image, F f)
{
    QImage result = as32Bit(image);
    for (int y = 0; y < result.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = f(line[x]);
    }
    return result;
}

template <typename F>
QImage mapChannels(const QImage &image, F f)
{
    return mapPixels(image, [&](QRgb p) {
        return QRgb(qAlpha(p)) << 24 | QRgb(f(qRed(p))) << 16 | QRgb(f(qGreen(p))) << 8 | QRgb(f(qBlue(p)));
    });
}

// Over the common area of a (copied, 32-bit) and b, f(a pixel, b pixel) gives the new a pixel.
template <typename F>
QImage combine(const QImage &a, const QImage &b, F f)
{
    QImage result = as32Bit(a);
    const QImage other = as32Bit(b);
    const int w = std::min(result.width(), other.width());
    const int h = std::min(result.height(), other.height());
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        const QRgb *otherLine = reinterpret_cast<const QRgb *>(other.constScanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = f(line[x], otherLine[x]);
    }
    return result;
}

bool isIndexed(const QImage &image)
{
    return image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono
        || image.format() == QImage::Format_MonoLSB;
}

// A blank image of the size in the source's format, with its colour table.
QImage blankLike(const QImage &source, int width, int height)
{
    QImage result(width, height, source.format());
    if (isIndexed(source))
        result.setColorTable(source.colorTable());
    return result;
}

void copyPixel(const QImage &source, int sx, int sy, QImage &target, int tx, int ty)
{
    if (isIndexed(source))
        target.setPixel(tx, ty, uint(source.pixelIndex(sx, sy)));
    else
        target.setPixel(tx, ty, source.pixel(sx, sy));
}

// A new image in the source's format, each pixel (x, y) taken from sourceOf(x, y); transposed
// swaps width and height.
template <typename F>
QImage remapped(const QImage &image, bool transposed, F sourceOf)
{
    if (image.isNull())
        return image;
    const int w = transposed ? image.height() : image.width();
    const int h = transposed ? image.width() : image.height();
    QImage result = blankLike(image, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QPoint from = sourceOf(x, y);
            copyPixel(image, from.x(), from.y(), result, x, y);
        }
    return result;
}

QImage applyLevelTable(const QImage &image, const unsigned char *table)
{
    if (image.isNull())
        return image;
    ImageProcess planes(image);
    planes.applyTable(table);
    return planes.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Entries below lo are 0, from lo to hi - 1 a ramp, from the larger of the two up to 255 white.
// Bounds in 64 bits: a black point or white cut at the ends of the int range must not overflow.
void fillLevelTable(unsigned char *table, qint64 lo, qint64 hi)
{
    for (int k = 0; k < 256; ++k) {
        if (k < lo)
            table[k] = 0;
        else if (k < hi)
            table[k] = static_cast<unsigned char>(std::min(255, int(256.0 / (hi - lo) * (k - lo))));
        else
            table[k] = 255;
    }
}

int snapToLevels(int v, const QVector<int> &levels)
{
    const int n = levels.size();
    for (int k = 0; k < n; ++k) {
        if (k == 0) {
            if (v < levels[0])
                v = 0;
        } else if (levels[k - 1] <= v && v <= levels[k]) {
            v = v - levels[k - 1] < levels[k] - v ? levels[k - 1] : levels[k];
        }
        if (k == n - 1 && v > levels[k])
            v = 255;
    }
    return clampByte(qint64(v));
}

QImage interlace(const QImage &a, const QImage &b, bool quarter)
{
    if (a.isNull() || b.isNull() || a.width() == 0 || a.height() == 0)
        return a;
    QImage bigA = as32Bit(a.scaled(a.width() * 2, a.height() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    const QImage bigB = as32Bit(b.scaled(b.width() * 2, b.height() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    const int w = std::min(bigA.width(), bigB.width());
    const int h = std::min(bigA.height(), bigB.height());
    for (int y = 0; y + 1 < h; y += 2) {
        QRgb *line = reinterpret_cast<QRgb *>(bigA.scanLine(y));
        QRgb *next = reinterpret_cast<QRgb *>(bigA.scanLine(y + 1));
        const QRgb *source = reinterpret_cast<const QRgb *>(bigB.constScanLine(y));
        for (int x = 0; x + 1 < w; x += 2) {
            line[x + 1] = source[x];
            next[x] = source[x];
            if (quarter)
                next[x + 1] = source[x];
        }
    }
    return bigA.scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// One exponential pass along the columns of the rectangle, every column at once, row by row:
// the accumulators sit side by side, so the pass walks memory in order. The first row seeds them.
void blurColumns(QImage &image, const QRect &r, int alpha, bool alphaOnly, bool upward)
{
    const int bytes = r.width() * 4;
    std::vector<int> acc(static_cast<size_t>(bytes));
    const int firstRow = upward ? r.bottom() : r.top();
    const int step = upward ? -1 : 1;
    const unsigned char *seed = image.constScanLine(firstRow) + r.left() * 4;
    for (int i = 0; i < bytes; ++i)
        acc[size_t(i)] = seed[i] << 4;
    int *a = acc.data();
    for (int y = firstRow + step, n = 1; n < r.height(); y += step, ++n) {
        unsigned char *line = image.scanLine(y) + r.left() * 4;
        if (alphaOnly) {
            for (int i = 3; i < bytes; i += 4) {
                a[i] += ((line[i] << 4) - a[i]) * alpha / 16;
                line[i] = static_cast<unsigned char>(a[i] >> 4);
            }
        } else {
            for (int i = 0; i < bytes; ++i) {
                a[i] += ((line[i] << 4) - a[i]) * alpha / 16;
                line[i] = static_cast<unsigned char>(a[i] >> 4);
            }
        }
    }
}

// One exponential pass along each row of the rectangle.
void blurRows(QImage &image, const QRect &r, int alpha, bool alphaOnly, bool leftward)
{
    const int first = alphaOnly ? 3 : 0;
    const int width = r.width();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        unsigned char *line = image.scanLine(y) + r.left() * 4;
        const int start = leftward ? width - 1 : 0;
        const int step = leftward ? -4 : 4;
        int acc[4];
        for (int c = first; c < 4; ++c)
            acc[c] = line[start * 4 + c] << 4;
        unsigned char *p = line + start * 4 + step;
        for (int n = 1; n < width; ++n, p += step) {
            for (int c = first; c < 4; ++c) {
                acc[c] += ((p[c] << 4) - acc[c]) * alpha / 16;
                p[c] = static_cast<unsigned char>(acc[c] >> 4);
            }
        }
    }
}

} // namespace

QImage as32Bit(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    case QImage::Format_Invalid:
        return QImage();
    default:
        return image.convertToFormat(QImage::Format_ARGB32);
    }
}

int midRange(int a, int b, int c, int d)
{
    const int largest = std::max({a, b, c, d});
    const int smallest = std::min({a, b, c, d});
    return int((static_cast<long long>(largest) + smallest) / 2);
}

void drawBadge(QPainter *painter, const QPoint &position, const QString &text, const QFont &font,
               const QColor &colour, bool outline, float opacity)
{
    if (!painter)
        return;
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const int x = position.x();
    const int y = position.y();
    painter->save();
    painter->setFont(font);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);
    painter->setOpacity(0.6);
    painter->setBrush(Qt::black);
    painter->drawRoundedRect(QRect(x, y, w + 15, h + 6), 100, 100, Qt::RelativeSize);
    painter->setOpacity(1.0);
    painter->setOpacity(double(opacity));
    QRadialGradient gradient(QPointF(x + 2, y + 2), w + 12, QPointF(x + 2, y + 2));
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, colour);
    painter->setBrush(gradient);
    if (outline)
        painter->setPen(Qt::white);
    painter->drawRoundedRect(QRect(x, y, w + 12, h + 3), 100, 100, Qt::RelativeSize);
    painter->setPen(Qt::white);
    painter->drawText(QRect(QPoint(x, y), QPoint(x + w + 11, y + h + 2)), Qt::AlignCenter, text);
    painter->restore();
}

QImage grayscaleImage(const QImage &image)
{
    return mapPixels(image, [](QRgb p) {
        const int grey = clampByte(float((qRed(p) + qGreen(p) + qBlue(p)) / 3.0));
        return QRgb(qAlpha(p)) << 24 | QRgb(grey) << 16 | QRgb(grey) << 8 | QRgb(grey);
    });
}

QImage brightnessContrastImage(const QImage &image, int brightness, int contrast)
{
    const float f = float(qint64(contrast) + 127) / 127.0f;
    return mapChannels(image, [&](int c) { return clampByte((float(c) + float(brightness)) * f); });
}

// Perceived brightness of a pixel, the pivot of the saturation filters.
static float perceived(QRgb p)
{
    const float r = float(qRed(p)), g = float(qGreen(p)), b = float(qBlue(p));
    return std::sqrt(0.299f * r * r + 0.587f * g * g + 0.114f * b * b);
}

QImage saturateImage(const QImage &image, float factor)
{
    return mapPixels(image, [&](QRgb p) {
        const float pivot = perceived(p);
        const auto channel = [&](int c) { return QRgb(clampByte(pivot + factor * (float(c) - pivot))); };
        return QRgb(qAlpha(p)) << 24 | channel(qRed(p)) << 16 | channel(qGreen(p)) << 8 | channel(qBlue(p));
    });
}

QImage adjustImage(const QImage &image, int brightness, int contrast, float factor)
{
    return mapPixels(image, [&](QRgb p) {
        const float pivot = perceived(p);
        const auto channel = [&](int c) {
            return QRgb(clampByte((float(brightness) + pivot + factor * (float(c) - pivot)) * float(qint64(contrast) + 127) / 127.0f));
        };
        return QRgb(qAlpha(p)) << 24 | channel(qRed(p)) << 16 | channel(qGreen(p)) << 8 | channel(qBlue(p));
    });
}

QImage invertImage(const QImage &image)
{
    QImage result = image;
    result.invertPixels(QImage::InvertRgb);
    return result;
}

QImage mirrorImage(const QImage &image, bool horizontal, bool vertical)
{
    return image.mirrored(horizontal, vertical);
}

QImage rotateImageLeft(const QImage &image)
{
    return remapped(image, true, [w = image.width()](int x, int y) { return QPoint(w - 1 - y, x); });
}

QImage rotateImageRight(const QImage &image)
{
    return remapped(image, true, [h = image.height()](int x, int y) { return QPoint(y, h - 1 - x); });
}

QImage rotateImage180(const QImage &image)
{
    return remapped(image, false, [w = image.width(), h = image.height()](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); });
}

QImage addBorder(const QImage &image, int percent, const QColor &colour)
{
    if (image.isNull())
        return image;
    const double border = percent * double(image.width()) / 100.0;
    // Negative, or so wide that no image of that size could exist.
    if (border < 0 || image.width() + 2 * border > 32767 || image.height() + 2 * border > 32767)
        return image;
    const int b = int(border);
    QImage result = blankLike(image, image.width() + 2 * b, image.height() + 2 * b);
    if (result.isNull())
        return image;
    result.fill(colour);
    if (image.depth() >= 8) {
        const int bytesPerPixel = image.depth() / 8;
        const size_t rowBytes = size_t(image.width()) * size_t(bytesPerPixel);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(result.scanLine(y + b) + b * bytesPerPixel, image.constScanLine(y), rowBytes);
    } else {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                copyPixel(image, x, y, result, x + b, y + b);
    }
    return result;
}

QImage autoLevels(const QImage &image, int brightClip, int darkClip)
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return image;
    ImageProcess planes(image);
    int counts[256];
    planes.histogram(counts);
    const double n = double(image.width()) * image.height();
    const auto limitFor = [n](int clip) { return (long long)(n * std::min(clip * 0.5, 100.0) / 100.0); };

    const long long darkLimit = limitFor(darkClip);
    int lo = 256;
    long long sum = 0;
    for (int k = 0; k < 256; ++k) {
        sum += counts[k];
        if (sum > darkLimit) {
            lo = k;
            break;
        }
    }
    const long long brightLimit = limitFor(brightClip);
    int hi = -1;
    sum = 0;
    for (int k = 255; k >= 0; --k) {
        sum += counts[k];
        if (sum > brightLimit) {
            hi = k;
            break;
        }
    }
    unsigned char table[256];
    fillLevelTable(table, lo, hi);
    planes.applyTable(table);
    return planes.toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage inputLevels(const QImage &image, int blackPoint, int whiteCut)
{
    unsigned char table[256];
    fillLevelTable(table, blackPoint, 255 - qint64(whiteCut));
    return applyLevelTable(image, table);
}

QImage outputLevels(const QImage &image, int low, int highCut)
{
    unsigned char table[256];
    for (int k = 0; k < 256; ++k)
        table[k] = static_cast<unsigned char>(clampByte(low + (255 - qint64(highCut) - low) * k / 256));
    return applyLevelTable(image, table);
}

QImage levels(const QImage &image, int value)
{
    return inputLevels(outputLevels(image, value, value), value, value);
}

QImage edgeImage(const QImage &image)
{
    const QImage source = as32Bit(image);
    if (source.isNull())
        return source;
    QImage result(source.size(), source.format());
    if (result.isNull())
        return result;
    std::memset(result.bits(), 0, size_t(result.sizeInBytes()));
    if (source.width() <= 3)
        return result;
    for (int y = 1; y <= source.height() - 3; ++y) {
        for (int x = 1; x <= source.width() - 3; ++x) {
            int sums[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QRgb p = source.pixel(x + dx, y + dy);
                    const int weight = dx == 0 && dy == 0 ? 8 : -1;
                    sums[0] += weight * qRed(p);
                    sums[1] += weight * qGreen(p);
                    sums[2] += weight * qBlue(p);
                }
            }
            const auto edge = [](int sum) { return std::max(0, sum / 9); };
            result.setPixel(x, y, qRgba(edge(sums[0]), edge(sums[1]), edge(sums[2]), 255));
        }
    }
    return result;
}

QImage fitImage(const QImage &image, const QSize &size, const QColor &colour)
{
    if (image.isNull() || image.width() == 0 || image.height() == 0 || size.isEmpty())
        return QImage();
    const QImage scaled = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // QPainter cannot draw on indexed, mono or grey images.
    const QImage::Format format = image.depth() < 16 ? QImage::Format_ARGB32 : image.format();
    QImage result(size, format);
    if (result.isNull())
        return result;
    result.fill(colour);
    QPoint offset(0, 0);
    if (scaled.width() < size.width())
        offset = QPoint((size.width() - scaled.width()) / 2, 0);
    else if (scaled.height() < size.height())
        offset = QPoint(0, (size.height() - scaled.height()) / 2);
    QPainter painter(&result);
    painter.drawImage(offset, scaled);
    painter.end();
    return result;
}

QImage thresholdImage(const QImage &image, int level)
{
    return mapChannels(image, [level](int c) { return c >= level ? 255 : 0; });
}

QImage posterizeImage(const QImage &image, const QVector<int> &levels)
{
    if (levels.isEmpty())
        return image;
    return mapChannels(image, [&](int c) { return snapToLevels(c, levels); });
}

QImage differenceImage(const QImage &a, const QImage &b)
{
    return combine(a, b, [](QRgb p, QRgb q) {
        return qRgba(std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)), 255);
    });
}

QImage averageImage(const QImage &a, const QImage &b)
{
    return combine(a, b, [](QRgb p, QRgb q) {
        return qRgba((qRed(p) + qRed(q)) >> 1, (qGreen(p) + qGreen(q)) >> 1, (qBlue(p) + qBlue(q)) >> 1,
                     (qAlpha(p) + qAlpha(q)) >> 1);
    });
}

QImage interlaceImages(const QImage &a, const QImage &b)
{
    return interlace(a, b, false);
}

QImage interlaceImagesQuarter(const QImage &a, const QImage &b)
{
    return interlace(a, b, true);
}

QImage maskImages(const QImage &a, const QImage &b, const QImage &mask)
{
    QImage result = as32Bit(a);
    const QImage other = as32Bit(b);
    const QImage m = as32Bit(mask);
    const int w = std::min({result.width(), other.width(), m.width()});
    const int h = std::min({result.height(), other.height(), m.height()});
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        const QRgb *otherLine = reinterpret_cast<const QRgb *>(other.constScanLine(y));
        const QRgb *maskLine = reinterpret_cast<const QRgb *>(m.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if ((maskLine[x] & 0xffffffu) == 0)
                line[x] = otherLine[x];
        }
    }
    return result;
}

QImage replaceSimilar(const QImage &a, const QImage &b, const int &tolerance)
{
    return combine(a, b, [&](QRgb p, QRgb q) {
        const bool similar = std::abs(qRed(p) - qRed(q)) < tolerance && std::abs(qGreen(p) - qGreen(q)) < tolerance
            && std::abs(qBlue(p) - qBlue(q)) < tolerance;
        return similar ? q : p;
    });
}

QImage cropImage(const QImage &image, int left, int right, int top, int bottom)
{
    if (image.isNull() || left < 0 || right < 0 || top < 0 || bottom < 0)
        return QImage();
    const long long w = (long long)image.width() - left - right;
    const long long h = (long long)image.height() - top - bottom;
    if (w <= 0 || h <= 0)
        return QImage();
    return image.copy(left, top, int(w), int(h));
}

QImage cropImagePercent(const QImage &image, int left, int right, int top, int bottom)
{
    if (left < 0 || right < 0 || top < 0 || bottom < 0 || left > 100 || right > 100 || top > 100 || bottom > 100)
        return QImage();
    const int w = image.width(), h = image.height();
    return cropImage(image, left * w / 100, right * w / 100, top * h / 100, bottom * h / 100);
}

QImage swapRedBlue(const QImage &image)
{
    return mapPixels(image, [](QRgb p) { return qRgba(qBlue(p), qGreen(p), qRed(p), qAlpha(p)); });
}

QImage swapRedGreen(const QImage &image)
{
    return mapPixels(image, [](QRgb p) { return qRgba(qGreen(p), qRed(p), qBlue(p), qAlpha(p)); });
}

QImage swapGreenBlue(const QImage &image)
{
    return mapPixels(image, [](QRgb p) { return qRgba(qRed(p), qBlue(p), qGreen(p), qAlpha(p)); });
}

QImage recolorImage(const QImage &image, const QColor &source, const QColor &target)
{
    QImage result = image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
    if (result.isNull())
        return result;
    int sh, ss, sv, th, ts, tv;
    source.getHsv(&sh, &ss, &sv);
    target.getHsv(&th, &ts, &tv);
    // A source saturation or value of 0 makes the ratio infinite or undefined: the result is 0.
    const auto scaled = [](int value, int targetValue, int sourceValue) {
        if (sourceValue == 0)
            return 0;
        const double v = value * (double(targetValue) / sourceValue);
        return v >= 256.0 ? 255 : (v <= 0.0 ? 0 : int(v));
    };
    for (int y = 0; y < result.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QColor colour = QColor::fromRgba(line[x]);
            int h, s, v, a;
            colour.getHsv(&h, &s, &v, &a);
            if (std::abs(h - sh) > 9)
                continue;
            const int hue = ((h - sh + th + 359) % 359 + 359) % 359;
            line[x] = QColor::fromHsv(hue, scaled(s, ts, ss), scaled(v, tv, sv), a).rgba();
        }
    }
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage blurImage(const QImage &image, const QRect &rect, int radius, bool alphaOnly)
{
    if (image.isNull())
        return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = rect.normalized() & result.rect();
    static const int factors[17] = {14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2};
    const int alpha = radius < 1 ? 16 : (radius > 17 ? 1 : factors[radius - 1]);
    // With a factor of 16 every accumulator takes its own byte: nothing changes.
    if (area.isEmpty() || alpha == 16)
        return result;
    blurColumns(result, area, alpha, alphaOnly, false);
    blurRows(result, area, alpha, alphaOnly, false);
    blurColumns(result, area, alpha, alphaOnly, true);
    blurRows(result, area, alpha, alphaOnly, true);
    return result;
}

QPixmap applyAlphaMask(const QPixmap &pixmap, const QPixmap &mask)
{
    if (pixmap.isNull() || mask.isNull())
        return pixmap;
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage alpha = mask.scaled(pixmap.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    const int w = std::min(image.width(), alpha.width());
    const int h = std::min(image.height(), alpha.height());
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const QRgb *maskLine = reinterpret_cast<const QRgb *>(alpha.constScanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = (line[x] & 0xffffffu) | QRgb(qRed(maskLine[x])) << 24;
    }
    return QPixmap::fromImage(image);
}

QImage scaleChannels(const QImage &image, const int &r, const int &g, const int &b)
{
    ColorMatrix matrix;
    matrix.setDiagonal(float(r) / 127.0f, float(g) / 127.0f, float(b) / 127.0f, 1.0f);
    return matrix.apply(image);
}

QImage scaleBrightness(const QImage &image, const int &percent)
{
    ColorMatrix matrix;
    const float factor = float(percent) / 100.0f;
    matrix.setDiagonal(factor, factor, factor, 1.0f);
    return matrix.apply(image);
}

QImage imageFromDataUrl(const QString &text)
{
    static const QString imageMarker = QStringLiteral(":image/");
    static const QString base64Marker = QStringLiteral(";base64,");
    const int imageAt = text.indexOf(imageMarker);
    if (imageAt < 0)
        return QImage();
    const int formatAt = imageAt + imageMarker.size();
    const int base64At = text.indexOf(base64Marker, formatAt);
    if (base64At < 0)
        return QImage();
    const QString format = text.mid(formatAt, base64At - formatAt);
    const QByteArray bytes = MTools::fromBase64(text.mid(base64At + base64Marker.size()));
    QImage image;
    image.loadFromData(bytes, format.toLocal8Bit().constData());
    return image;
}

QString imageToDataUrl(const QImage &image, const QString &format, const int &quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format.toLocal8Bit().constData(), quality);
    return QStringLiteral("data:image/") + format.toLower() + QStringLiteral(";base64,") + MTools::bytesToBase64(bytes);
}

QImage recompressImage(const QImage &image, const QString &format, const int &quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QByteArray formatName = format.toLocal8Bit();
    image.save(&buffer, formatName.constData(), quality);
    QImage result;
    result.loadFromData(bytes, formatName.constData());
    return result;
}

} // namespace MGraphX
