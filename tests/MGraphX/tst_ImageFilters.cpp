#include "MGraphX/ImageFilters.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <climits>
#include <functional>

using Filter = std::function<QImage(const QImage &)>;
Q_DECLARE_METATYPE(Filter)

namespace {

QImage filled(int w, int h, QRgb colour, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(w, h, format);
    image.fill(colour);
    return image;
}

QImage randomImage(int w, int h, quint32 seed)
{
    QRandomGenerator generator(seed);
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = int(generator.bounded(256));
            image.setPixel(x, y, qRgba(int(generator.bounded(a + 1)), int(generator.bounded(a + 1)), int(generator.bounded(a + 1)), a));
        }
    return image;
}

// The exponential blur written out plainly, pixel by pixel, to hold the library's against.
QImage referenceBlur(QImage image, QRect rect, int radius, bool alphaOnly)
{
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    rect = rect.normalized() & image.rect();
    static const int factors[17] = {14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2};
    const int alpha = radius < 1 ? 16 : (radius > 17 ? 1 : factors[radius - 1]);
    const auto byteAt = [&](int x, int y, int c) -> uchar & { return image.scanLine(y)[x * 4 + c]; };
    const auto pass = [&](bool columns, bool reverse) {
        const int lines = columns ? rect.width() : rect.height();
        const int length = columns ? rect.height() : rect.width();
        for (int line = 0; line < lines; ++line) {
            for (int c = alphaOnly ? 3 : 0; c < 4; ++c) {
                const auto at = [&](int i) -> uchar & {
                    const int along = reverse ? length - 1 - i : i;
                    return columns ? byteAt(rect.left() + line, rect.top() + along, c)
                                   : byteAt(rect.left() + along, rect.top() + line, c);
                };
                int acc = at(0) * 16;
                for (int i = 1; i < length; ++i) {
                    acc += (at(i) * 16 - acc) * alpha / 16;
                    at(i) = uchar(acc >> 4);
                }
            }
        }
    };
    if (!rect.isEmpty()) {
        pass(true, false);
        pass(false, false);
        pass(true, true);
        pass(false, true);
    }
    return image;
}

QRgb grey(int v, int a = 255)
{
    return qRgba(v, v, v, a);
}

} // namespace

class tst_ImageFilters : public QObject
{
    Q_OBJECT

private slots:
    void midRange();
    void channelFilters_data();
    void channelFilters();
    void geometry_data();
    void geometry();
    void indexedRotationKeepsItsColours();
    void levels_data();
    void levels();
    void combinations_data();
    void combinations();
    void interlace();
    void edgeImage();
    void recolor_data();
    void recolor();
    void blurMatchesTheFormula_data();
    void blurMatchesTheFormula();
    void fitImage();
    void alphaMask();
    void dataUrl_data();
    void dataUrl();
    void dataUrlRoundTrip();
    void recompress();
    void badge();
    void degenerateInput_data();
    void degenerateInput();
};

void tst_ImageFilters::midRange()
{
    QCOMPARE(MGraphX::midRange(3, 9, 1, 4), 5);
    QCOMPARE(MGraphX::midRange(-3, -9, -1, -4), -5);
    QCOMPARE(MGraphX::midRange(INT_MAX, INT_MAX, 0, 1), INT_MAX / 2);
}

void tst_ImageFilters::channelFilters_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("grayscale truncates the mean")
        << Filter([](const QImage &i) { return MGraphX::grayscaleImage(i); }) << qRgba(10, 20, 31, 99) << grey(20, 99);
    QTest::newRow("brightness and contrast")
        << Filter([](const QImage &i) { return MGraphX::brightnessContrastImage(i, 10, 127); }) << qRgba(10, 200, 0, 7)
        << qRgba(40, 255, 20, 7);
    QTest::newRow("contrast -127 is black")
        << Filter([](const QImage &i) { return MGraphX::brightnessContrastImage(i, 10, -127); }) << qRgb(10, 200, 0) << qRgb(0, 0, 0);
    // P of (30, 60, 90) is 57.49.
    QTest::newRow("saturation 0 is the perceived grey")
        << Filter([](const QImage &i) { return MGraphX::saturateImage(i, 0); }) << qRgb(30, 60, 90) << grey(57);
    QTest::newRow("saturation 2 pushes away from it")
        << Filter([](const QImage &i) { return MGraphX::saturateImage(i, 2); }) << qRgb(30, 60, 90) << qRgb(2, 62, 122);
    QTest::newRow("adjust combines the three")
        << Filter([](const QImage &i) { return MGraphX::adjustImage(i, 10, 127, 0); }) << qRgb(30, 60, 90) << grey(134);
    // Arguments at the ends of the int range follow the formula instead of overflowing.
    QTest::newRow("largest contrast")
        << Filter([](const QImage &i) { return MGraphX::brightnessContrastImage(i, 0, INT_MAX); }) << qRgb(0, 1, 200)
        << qRgb(0, 255, 255);
    QTest::newRow("smallest brightness, largest contrast")
        << Filter([](const QImage &i) { return MGraphX::brightnessContrastImage(i, INT_MIN, INT_MAX); }) << qRgb(0, 1, 255)
        << qRgb(0, 0, 0);
    QTest::newRow("adjust with the largest contrast")
        << Filter([](const QImage &i) { return MGraphX::adjustImage(i, 0, INT_MAX, 1); }) << qRgb(0, 1, 200) << qRgb(0, 255, 255);
    QTest::newRow("threshold keeps alpha")
        << Filter([](const QImage &i) { return MGraphX::thresholdImage(i, 128); }) << qRgba(127, 128, 200, 5) << qRgba(0, 255, 255, 5);
    QTest::newRow("posterize snaps below, nearer and on ties up")
        << Filter([](const QImage &i) { return MGraphX::posterizeImage(i, {64, 128, 192}); }) << qRgb(10, 90, 96) << qRgb(0, 64, 128);
    QTest::newRow("posterize above the last level is white")
        << Filter([](const QImage &i) { return MGraphX::posterizeImage(i, {64, 128, 192}); }) << qRgb(100, 200, 192) << qRgb(128, 255, 192);
    QTest::newRow("posterize without levels changes nothing")
        << Filter([](const QImage &i) { return MGraphX::posterizeImage(i, {}); }) << qRgb(1, 2, 3) << qRgb(1, 2, 3);
    QTest::newRow("invert keeps alpha")
        << Filter([](const QImage &i) { return MGraphX::invertImage(i); }) << qRgba(1, 2, 3, 40) << qRgba(254, 253, 252, 40);
    QTest::newRow("swap red and blue")
        << Filter([](const QImage &i) { return MGraphX::swapRedBlue(i); }) << qRgba(1, 2, 3, 4) << qRgba(3, 2, 1, 4);
    QTest::newRow("swap red and green")
        << Filter([](const QImage &i) { return MGraphX::swapRedGreen(i); }) << qRgba(1, 2, 3, 4) << qRgba(2, 1, 3, 4);
    QTest::newRow("swap green and blue")
        << Filter([](const QImage &i) { return MGraphX::swapGreenBlue(i); }) << qRgba(1, 2, 3, 4) << qRgba(1, 3, 2, 4);
    QTest::newRow("scale channels by n / 127")
        << Filter([](const QImage &i) { return MGraphX::scaleChannels(i, 254, 127, 0); }) << qRgba(100, 100, 100, 9)
        << qRgba(200, 100, 0, 9);
    QTest::newRow("scale brightness by percent, in floating point")
        << Filter([](const QImage &i) { return MGraphX::scaleBrightness(i, 50); }) << qRgba(101, 51, 3, 9) << qRgba(50, 25, 1, 9);
}

void tst_ImageFilters::channelFilters()
{
    QFETCH(Filter, filter);
    QFETCH(QRgb, pixel);
    QFETCH(QRgb, expected);
    const QImage source = filled(2, 2, pixel);
    const QImage result = filter(source);
    QCOMPARE(result.size(), source.size());
    QCOMPARE(result.pixel(1, 1), expected);
    QCOMPARE(source.pixel(1, 1), pixel);
    // Other formats go through ARGB32 instead of being read as 32-bit pixels.
    QCOMPARE(filter(source.convertToFormat(QImage::Format_RGB888)).pixel(0, 0) | 0xff000000u, expected | 0xff000000u);
}

void tst_ImageFilters::geometry_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("expected");
    // The source is 3 x 2: a b c / d e f.
    QTest::newRow("rotate left") << Filter([](const QImage &i) { return MGraphX::rotateImageLeft(i); }) << QSize(2, 3)
                                 << QStringList{"cf", "be", "ad"};
    QTest::newRow("rotate right") << Filter([](const QImage &i) { return MGraphX::rotateImageRight(i); }) << QSize(2, 3)
                                  << QStringList{"da", "eb", "fc"};
    QTest::newRow("rotate 180") << Filter([](const QImage &i) { return MGraphX::rotateImage180(i); }) << QSize(3, 2)
                                << QStringList{"fed", "cba"};
    QTest::newRow("mirror both") << Filter([](const QImage &i) { return MGraphX::mirrorImage(i, true, true); }) << QSize(3, 2)
                                 << QStringList{"fed", "cba"};
    QTest::newRow("crop") << Filter([](const QImage &i) { return MGraphX::cropImage(i, 1, 0, 1, 0); }) << QSize(2, 1)
                          << QStringList{"ef"};
    QTest::newRow("crop percent") << Filter([](const QImage &i) { return MGraphX::cropImagePercent(i, 34, 34, 0, 50); })
                                  << QSize(1, 1) << QStringList{"b"};
    // 34 % of 3 is a border of 1.
    QTest::newRow("border") << Filter([](const QImage &i) { return MGraphX::addBorder(i, 34, QColor(qRgb(9, 9, 9))); })
                            << QSize(5, 4) << QStringList{".....", ".abc.", ".def.", "....."};
    QTest::newRow("negative border leaves the image")
        << Filter([](const QImage &i) { return MGraphX::addBorder(i, -10, Qt::red); }) << QSize(3, 2) << QStringList{"abc", "def"};
    QTest::newRow("negative crop margin") << Filter([](const QImage &i) { return MGraphX::cropImage(i, -1, 0, 0, 0); })
                                          << QSize(0, 0) << QStringList{};
    QTest::newRow("crop margins that leave nothing")
        << Filter([](const QImage &i) { return MGraphX::cropImage(i, 2, 1, 0, 0); }) << QSize(0, 0) << QStringList{};
    QTest::newRow("crop percent over 100")
        << Filter([](const QImage &i) { return MGraphX::cropImagePercent(i, 0, 0, 0, 200); }) << QSize(0, 0) << QStringList{};
}

void tst_ImageFilters::geometry()
{
    QFETCH(Filter, filter);
    QFETCH(QSize, size);
    QFETCH(QStringList, expected);
    QImage source(3, 2, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i)
        source.setPixel(i % 3, i / 3, qRgb('a' + i, 0, 0));
    const QImage result = filter(source);
    QCOMPARE(result.size(), size);
    if (size.isEmpty())
        return;
    QCOMPARE(result.format(), source.format());
    QStringList rows;
    for (int y = 0; y < result.height(); ++y) {
        QString row;
        for (int x = 0; x < result.width(); ++x) {
            const int red = qRed(result.pixel(x, y));
            row += red >= 'a' ? QChar(red) : QLatin1Char('.');
        }
        rows << row;
    }
    QCOMPARE(rows, expected);
}

void tst_ImageFilters::indexedRotationKeepsItsColours()
{
    QImage source(2, 1, QImage::Format_Indexed8);
    source.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    source.setPixel(0, 0, 0);
    source.setPixel(1, 0, 1);
    const QImage left = MGraphX::rotateImageLeft(source);
    QCOMPARE(left.size(), QSize(1, 2));
    QCOMPARE(left.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(left.pixel(0, 1), qRgb(255, 0, 0));
    QCOMPARE(MGraphX::rotateImage180(source).pixel(0, 0), qRgb(0, 0, 255));
}

void tst_ImageFilters::levels_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QVector<int>>("in");
    QTest::addColumn<QVector<int>>("out");
    // Red values 50 .. 200: with no clipping they stretch to 0 .. 255.
    QTest::newRow("auto levels") << Filter([](const QImage &i) { return MGraphX::autoLevels(i, 0, 0); })
                                 << QVector<int>{50, 125, 200} << QVector<int>{0, 128, 255};
    QTest::newRow("input levels") << Filter([](const QImage &i) { return MGraphX::inputLevels(i, 10, 55); })
                                  << QVector<int>{5, 10, 110, 200, 250} << QVector<int>{0, 0, 134, 255, 255};
    QTest::newRow("input levels with the black point past the white")
        << Filter([](const QImage &i) { return MGraphX::inputLevels(i, 200, 155); })
        << QVector<int>{0, 150, 199, 200, 255} << QVector<int>{0, 0, 0, 255, 255};
    QTest::newRow("input levels at 256 are all black")
        << Filter([](const QImage &i) { return MGraphX::inputLevels(i, 256, 0); }) << QVector<int>{0, 255} << QVector<int>{0, 0};
    QTest::newRow("output levels") << Filter([](const QImage &i) { return MGraphX::outputLevels(i, 20, 35); })
                                   << QVector<int>{0, 128, 255} << QVector<int>{20, 120, 219};
    // Bounds at the ends of the int range: the ramp spans far beyond 0 .. 255.
    QTest::newRow("input levels from the smallest black point")
        << Filter([](const QImage &i) { return MGraphX::inputLevels(i, INT_MIN, 0); })
        << QVector<int>{0, 128, 255} << QVector<int>{255, 255, 255};
    QTest::newRow("input levels with the smallest white cut")
        << Filter([](const QImage &i) { return MGraphX::inputLevels(i, 0, INT_MIN); })
        << QVector<int>{0, 128, 255} << QVector<int>{0, 0, 0};
    QTest::newRow("input levels with both smallest")
        << Filter([](const QImage &i) { return MGraphX::inputLevels(i, INT_MIN, INT_MIN); })
        << QVector<int>{0, 127, 128, 255} << QVector<int>{127, 127, 128, 128};
    QTest::newRow("output levels from the smallest low")
        << Filter([](const QImage &i) { return MGraphX::outputLevels(i, INT_MIN, 0); })
        << QVector<int>{0, 128, 255} << QVector<int>{0, 0, 0};
    QTest::newRow("output levels with the smallest high cut")
        << Filter([](const QImage &i) { return MGraphX::outputLevels(i, 0, INT_MIN); })
        << QVector<int>{0, 1, 255} << QVector<int>{0, 255, 255};
    QTest::newRow("output levels with both largest")
        << Filter([](const QImage &i) { return MGraphX::outputLevels(i, INT_MAX, INT_MAX); })
        << QVector<int>{0, 127, 128, 129, 255} << QVector<int>{255, 255, 128, 0, 0};
    QTest::newRow("levels at the smallest value")
        << Filter([](const QImage &i) { return MGraphX::levels(i, INT_MIN); })
        << QVector<int>{0, 128, 255} << QVector<int>{127, 127, 128};
    // Output levels 20 .. 234 first, then input levels 20 .. 235 stretch them back, a little short.
    QTest::newRow("levels") << Filter([](const QImage &i) { return MGraphX::levels(i, 20); })
                            << QVector<int>{0, 128, 255} << QVector<int>{0, 127, 254};
}

void tst_ImageFilters::levels()
{
    QFETCH(Filter, filter);
    QFETCH(QVector<int>, in);
    QFETCH(QVector<int>, out);
    QImage source(in.size(), 1, QImage::Format_RGB32);
    for (int x = 0; x < in.size(); ++x)
        source.setPixel(x, 0, qRgb(in[x], in[x], 255 - in[x]));
    const QImage result = filter(source);
    QCOMPARE(result.format(), QImage::Format_ARGB32);
    for (int x = 0; x < in.size(); ++x) {
        QCOMPARE(qRed(result.pixel(x, 0)), out[x]);
        QCOMPARE(qGreen(result.pixel(x, 0)), out[x]);
    }
}

void tst_ImageFilters::combinations_data()
{
    using Combination = std::function<QImage(const QImage &, const QImage &)>;
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QRgb>("inside");
    QTest::addColumn<QRgb>("outside");
    const QImage b = filled(2, 1, qRgba(100, 90, 110, 10));
    const auto with = [b](Combination f) { return Filter([=](const QImage &a) { return f(a, b); }); };
    QTest::newRow("difference") << with(MGraphX::differenceImage) << qRgba(20, 10, 10, 255) << qRgba(120, 100, 120, 30);
    QTest::newRow("average") << with(MGraphX::averageImage) << qRgba(110, 95, 115, 20) << qRgba(120, 100, 120, 30);
    QTest::newRow("replace similar within 21")
        << with([](const QImage &a, const QImage &b) { return MGraphX::replaceSimilar(a, b, 21); }) << qRgba(100, 90, 110, 10)
        << qRgba(120, 100, 120, 30);
    QTest::newRow("replace similar needs all three within")
        << with([](const QImage &a, const QImage &b) { return MGraphX::replaceSimilar(a, b, 20); }) << qRgba(120, 100, 120, 30)
        << qRgba(120, 100, 120, 30);
    // The mask is black only at (0, 0) and (1, 0), and only 1 pixel high: nothing past it is read.
    QImage mask = filled(3, 1, qRgba(0, 0, 0, 255));
    mask.setPixel(2, 0, qRgb(0, 0, 1));
    QTest::newRow("mask") << Filter([b, mask](const QImage &a) { return MGraphX::maskImages(a, b, mask); })
                          << qRgba(100, 90, 110, 10) << qRgba(120, 100, 120, 30);
}

void tst_ImageFilters::combinations()
{
    QFETCH(Filter, filter);
    QFETCH(QRgb, inside);
    QFETCH(QRgb, outside);
    const QImage a = filled(3, 2, qRgba(120, 100, 120, 30));
    const QImage result = filter(a);
    QCOMPARE(result.size(), a.size());
    QCOMPARE(result.pixel(1, 0), inside);
    QCOMPARE(result.pixel(2, 0), outside);
    QCOMPARE(result.pixel(0, 1), outside);
}

void tst_ImageFilters::interlace()
{
    const QImage a = filled(4, 4, qRgb(0, 0, 0), QImage::Format_RGB32);
    const QImage b = filled(4, 4, qRgb(200, 200, 200), QImage::Format_RGB32);
    // Half of every 2 x 2 block comes from B, then the doubled image is smoothed back down.
    const QImage half = MGraphX::interlaceImages(a, b);
    const QImage quarter = MGraphX::interlaceImagesQuarter(a, b);
    QCOMPARE(half.size(), a.size());
    QVERIFY2(qAbs(qRed(half.pixel(1, 1)) - 100) <= 2, qPrintable(QString::number(qRed(half.pixel(1, 1)))));
    QVERIFY2(qAbs(qRed(quarter.pixel(1, 1)) - 150) <= 2, qPrintable(QString::number(qRed(quarter.pixel(1, 1)))));
    // A B smaller than A mixes only over the common area.
    const QImage small = MGraphX::interlaceImages(a, filled(1, 1, qRgb(200, 200, 200), QImage::Format_RGB32));
    QCOMPARE(qRed(small.pixel(3, 3)), 0);
}

void tst_ImageFilters::edgeImage()
{
    QImage source = filled(6, 5, qRgb(10, 10, 10));
    source.setPixel(2, 2, qRgb(100, 19, 10));
    const QImage result = MGraphX::edgeImage(source);
    QCOMPARE(result.size(), source.size());
    // (8 * 100 - 8 * 10) / 9 = 80; (8 * 19 - 80) / 9 = 8; a flat neighbourhood gives 0.
    QCOMPARE(result.pixel(2, 2), qRgba(80, 8, 0, 255));
    // A neighbour of the bright pixel goes negative: 0.
    QCOMPARE(result.pixel(1, 1), qRgba(0, 0, 0, 255));
    QCOMPARE(result.pixel(3, 2), qRgba(0, 0, 0, 255));
    // Outside columns 1 .. 3 and rows 1 .. 2: transparent black.
    for (const QPoint &p : {QPoint(0, 0), QPoint(4, 2), QPoint(5, 4), QPoint(2, 3), QPoint(1, 4)})
        QCOMPARE(result.pixel(p), QRgb(0));
    const QImage narrow = MGraphX::edgeImage(filled(3, 5, qRgb(10, 10, 10)));
    QCOMPARE(narrow.pixel(1, 1), QRgb(0));
}

void tst_ImageFilters::recolor_data()
{
    QTest::addColumn<QColor>("pixel");
    QTest::addColumn<QColor>("source");
    QTest::addColumn<QColor>("target");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("hue moved, saturation and value scaled")
        << QColor::fromHsv(100, 100, 100) << QColor::fromHsv(95, 200, 50) << QColor::fromHsv(200, 100, 100)
        << QColor::fromHsv(205, 50, 200);
    QTest::newRow("hue 10 away is left")
        << QColor::fromHsv(110, 100, 100) << QColor::fromHsv(100, 200, 50) << QColor::fromHsv(200, 100, 100)
        << QColor::fromHsv(110, 100, 100);
    QTest::newRow("hue wraps modulo 359")
        << QColor::fromHsv(350, 100, 100) << QColor::fromHsv(355, 100, 100) << QColor::fromHsv(5, 100, 100)
        << QColor::fromHsv(0, 100, 100);
    QTest::newRow("scaled past 255 is 255")
        << QColor::fromHsv(100, 200, 200) << QColor::fromHsv(100, 100, 100) << QColor::fromHsv(100, 200, 200)
        << QColor::fromHsv(100, 255, 255);
    // A grey source colour has saturation 0: the ratio is undefined, the result 0.
    QTest::newRow("source saturation 0")
        << QColor::fromHsv(0, 100, 100) << QColor(100, 100, 100) << QColor::fromHsv(0, 100, 100) << QColor::fromHsv(0, 0, 100);
    QTest::newRow("source value 0")
        << QColor::fromHsv(0, 100, 0) << QColor(0, 0, 0) << QColor::fromHsv(0, 100, 100) << QColor::fromHsv(0, 0, 0);
}

void tst_ImageFilters::recolor()
{
    QFETCH(QColor, pixel);
    QFETCH(QColor, source);
    QFETCH(QColor, target);
    QFETCH(QColor, expected);
    QImage image = filled(2, 1, pixel.rgb(), QImage::Format_RGB32);
    const QImage result = MGraphX::recolorImage(image, source, target);
    QCOMPARE(result.format(), QImage::Format_ARGB32_Premultiplied);
    // Colours pass through HSV and back, which may round a channel by one.
    const QRgb actual = result.pixel(1, 0);
    const QRgb wanted = expected.rgb();
    QVERIFY2(qAbs(qRed(actual) - qRed(wanted)) <= 1 && qAbs(qGreen(actual) - qGreen(wanted)) <= 1
                 && qAbs(qBlue(actual) - qBlue(wanted)) <= 1,
             qPrintable(QColor(actual).name() + " instead of " + QColor(wanted).name()));
}

void tst_ImageFilters::blurMatchesTheFormula_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("radius");
    QTest::addColumn<bool>("alphaOnly");
    QTest::newRow("radius 0 changes nothing") << QRect(0, 0, 37, 29) << 0 << false;
    QTest::newRow("radius 1, whole image") << QRect(0, 0, 37, 29) << 1 << false;
    QTest::newRow("radius 10, inner rectangle") << QRect(3, 4, 20, 11) << 10 << false;
    QTest::newRow("radius 18 uses 1/16") << QRect(0, 0, 37, 29) << 18 << false;
    QTest::newRow("reversed rectangle past the edges") << QRect(50, 40, -45, -30) << 5 << false;
    QTest::newRow("alpha only") << QRect(2, 2, 30, 20) << 4 << true;
    QTest::newRow("one-pixel-wide rectangle") << QRect(5, 0, 1, 29) << 3 << false;
    QTest::newRow("rectangle outside the image") << QRect(100, 100, 5, 5) << 3 << false;
}

void tst_ImageFilters::blurMatchesTheFormula()
{
    QFETCH(QRect, rect);
    QFETCH(int, radius);
    QFETCH(bool, alphaOnly);
    const QImage source = randomImage(37, 29, 7);
    const QImage result = MGraphX::blurImage(source.convertToFormat(QImage::Format_ARGB32), rect, radius, alphaOnly);
    QCOMPARE(result.format(), QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(result, referenceBlur(source, rect, radius, alphaOnly));
    if (radius == 0 || !rect.normalized().intersects(source.rect()))
        QCOMPARE(result, source);
}

void tst_ImageFilters::fitImage()
{
    const QImage wide = filled(40, 10, qRgb(255, 0, 0), QImage::Format_RGB32);
    const QImage result = MGraphX::fitImage(wide, QSize(20, 20), Qt::blue);
    QCOMPARE(result.size(), QSize(20, 20));
    // Scaled to 20 x 5 and centred vertically: bars of the colour above and below.
    QCOMPARE(result.pixel(10, 1), qRgb(0, 0, 255));
    QCOMPARE(result.pixel(10, 10), qRgb(255, 0, 0));
    QCOMPARE(result.pixel(10, 18), qRgb(0, 0, 255));
    const QImage tall = MGraphX::fitImage(filled(10, 40, qRgb(255, 0, 0), QImage::Format_RGB32), QSize(20, 20), Qt::blue);
    QCOMPARE(tall.pixel(1, 10), qRgb(0, 0, 255));
    QCOMPARE(tall.pixel(10, 10), qRgb(255, 0, 0));
    QVERIFY(MGraphX::fitImage(wide, QSize(0, 5), Qt::blue).isNull());
    QVERIFY(MGraphX::fitImage(QImage(), QSize(5, 5), Qt::blue).isNull());
}

void tst_ImageFilters::alphaMask()
{
    const QPixmap pixmap = QPixmap::fromImage(filled(4, 4, qRgb(10, 20, 30)));
    QImage mask(2, 2, QImage::Format_RGB32);
    mask.fill(qRgb(128, 0, 0));
    mask.setPixel(1, 1, qRgb(0, 255, 255));
    const QImage result = MGraphX::applyAlphaMask(pixmap, QPixmap::fromImage(mask)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(result.size(), QSize(4, 4));
    QCOMPARE(qAlpha(result.pixel(0, 0)), 128);
    QCOMPARE(qAlpha(result.pixel(3, 3)), 0);
    QCOMPARE(qBlue(result.pixel(0, 0)), 30);
}

void tst_ImageFilters::dataUrl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("loads");
    QImage image = filled(3, 2, qRgb(1, 2, 3));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QString payload = QString::fromLatin1(png.toBase64());
    QTest::newRow("data url") << "data:image/png;base64," + payload << true;
    QTest::newRow("text before the marker") << "src=\"data:image/png;base64," + payload << true;
    QTest::newRow("no image marker") << "data:text/png;base64," + payload << false;
    QTest::newRow("image marker without base64") << "data:image/png," + payload << false;
    QTest::newRow("base64 marker before the image marker") << ";base64,data:image/png" + payload << false;
    QTest::newRow("payload that is no image") << QString("data:image/png;base64,AAAA") << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_ImageFilters::dataUrl()
{
    QFETCH(QString, text);
    QFETCH(bool, loads);
    const QImage image = MGraphX::imageFromDataUrl(text);
    QCOMPARE(!image.isNull(), loads);
    if (loads)
        QCOMPARE(image.pixel(2, 1), qRgb(1, 2, 3));
}

void tst_ImageFilters::dataUrlRoundTrip()
{
    QImage image = filled(5, 3, qRgba(10, 20, 30, 255));
    image.setPixel(4, 2, qRgba(200, 100, 0, 255));
    const QString text = MGraphX::imageToDataUrl(image, "PNG", -1);
    QVERIFY(text.startsWith("data:image/png;base64,"));
    QCOMPARE(MGraphX::imageFromDataUrl(text).convertToFormat(image.format()), image);
}

void tst_ImageFilters::recompress()
{
    const QImage image = filled(8, 8, qRgb(10, 200, 30));
    const QImage png = MGraphX::recompressImage(image, "PNG", -1);
    QCOMPARE(png.convertToFormat(image.format()), image);
    const QImage jpeg = MGraphX::recompressImage(image, "JPG", 50);
    QCOMPARE(jpeg.size(), image.size());
    QVERIFY(MGraphX::recompressImage(image, "NOSUCHFORMAT", -1).isNull());
}

void tst_ImageFilters::badge()
{
    QImage canvas = filled(200, 60, qRgb(0, 0, 0), QImage::Format_RGB32);
    QFont font;
    font.setPixelSize(14);
    {
        QPainter painter(&canvas);
        MGraphX::drawBadge(&painter, QPoint(20, 10), "42", font, Qt::red, true, 1.0f);
    }
    const int w = QFontMetrics(font).horizontalAdvance("42");
    const int h = QFontMetrics(font).height();
    int lit = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            // The outline pen straddles the edge by half a pixel.
            const bool inside = QRect(20, 10, w + 15, h + 6).adjusted(-1, -1, 1, 1).contains(x, y);
            if (canvas.pixel(x, y) != qRgb(0, 0, 0)) {
                QVERIFY2(inside, qPrintable(QString("%1,%2").arg(x).arg(y)));
                ++lit;
            }
        }
    QVERIFY(lit > (w * h) / 2);
    MGraphX::drawBadge(nullptr, QPoint(), "x", font, Qt::red, false, 1.0f);
}

void tst_ImageFilters::degenerateInput_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::newRow("grayscale") << Filter([](const QImage &i) { return MGraphX::grayscaleImage(i); });
    QTest::newRow("rotate left") << Filter([](const QImage &i) { return MGraphX::rotateImageLeft(i); });
    QTest::newRow("rotate 180") << Filter([](const QImage &i) { return MGraphX::rotateImage180(i); });
    QTest::newRow("border") << Filter([](const QImage &i) { return MGraphX::addBorder(i, 10, Qt::red); });
    QTest::newRow("auto levels") << Filter([](const QImage &i) { return MGraphX::autoLevels(i, 1, 1); });
    QTest::newRow("input levels") << Filter([](const QImage &i) { return MGraphX::inputLevels(i, 1, 1); });
    QTest::newRow("edges") << Filter([](const QImage &i) { return MGraphX::edgeImage(i); });
    QTest::newRow("difference") << Filter([](const QImage &i) { return MGraphX::differenceImage(i, QImage()); });
    QTest::newRow("mask") << Filter([](const QImage &i) { return MGraphX::maskImages(i, i, QImage()); });
    QTest::newRow("interlace") << Filter([](const QImage &i) { return MGraphX::interlaceImages(i, i); });
    QTest::newRow("crop") << Filter([](const QImage &i) { return MGraphX::cropImage(i, 0, 0, 0, 0); });
    QTest::newRow("recolor") << Filter([](const QImage &i) { return MGraphX::recolorImage(i, Qt::red, Qt::blue); });
    QTest::newRow("blur") << Filter([](const QImage &i) { return MGraphX::blurImage(i, QRect(0, 0, 9, 9), 5, false); });
    QTest::newRow("scale channels") << Filter([](const QImage &i) { return MGraphX::scaleChannels(i, 1, 2, 3); });
    QTest::newRow("fit") << Filter([](const QImage &i) { return MGraphX::fitImage(i, QSize(3, 3), Qt::red); });
}

// A null image and a 0 x 0 one give a null or empty image back, and nothing reads outside them.
void tst_ImageFilters::degenerateInput()
{
    QFETCH(Filter, filter);
    const QImage fromNull = filter(QImage());
    QVERIFY(fromNull.isNull() || fromNull.size().isEmpty());
    const QImage fromEmpty = filter(QImage(0, 0, QImage::Format_ARGB32));
    QVERIFY(fromEmpty.isNull() || fromEmpty.size().isEmpty());
}

QTEST_MAIN(tst_ImageFilters)
#include "tst_ImageFilters.moc"
