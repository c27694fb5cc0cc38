#include "MGraphX/ImageProcess.h"
#include "MGraphX/ImageProcessDouble.h"
#include "MGraphX/ImageProcessFloat.h"

#include <QTemporaryDir>
#include <QtTest>

using MGraphX::ImageProcess;
using MGraphX::ImageProcessDouble;
using MGraphX::ImageProcessFloat;

// A plane class whose pixel reads every value as its mirror: toImage must ask the override.
class MirroredPlanes : public ImageProcess
{
public:
    using ImageProcess::ImageProcess;
    int pixel(int x, int y) const override { return ImageProcess::pixel(width() - 1 - x, y); }
};

static QImage twoPixels(QRgb first, QRgb second, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(2, 1, format);
    image.setPixel(0, 0, first);
    image.setPixel(1, 0, second);
    return image;
}

class tst_ImageProcess : public QObject
{
    Q_OBJECT

private slots:
    void constructorsFill_data();
    void constructorsFill();
    void negativeSizeIsEmpty();
    void pixelOutsideIsZero_data();
    void pixelOutsideIsZero();
    void fromImageAndBack();
    void transparentSourceComesBackOpaque();
    void copyIsDeepAndKeepsNoImage();
    void fromFile();
    void addBrightness_data();
    void addBrightness();
    void brightnessOfIndexedChangesTablesUntilGrey();
    void monoStaysBlackAndWhite();
    void threshold_data();
    void threshold();
    void applyTableAndHistogram();
    void toImageMapsIndicesAndMono();
    void toImageAsksTheOverride();
    void floatAndDoubleVariants();
};

void tst_ImageProcess::constructorsFill_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("expectedPixel");
    QTest::addColumn<int>("expectedRed");
    QTest::newRow("mono 1 holds 255, reads 1")         << 1 << 1 << 1 << 255;
    QTest::newRow("mono 2 wraps to 254")                << 1 << 2 << 1 << 254;
    QTest::newRow("indexed keeps the low byte")         << 8 << 0x1234 << 0x34 << 0x34;
    QTest::newRow("rgb splits the fill")                << 24 << 0x102030 << 0x102030 << 0x10;
    QTest::newRow("other depth is rgb")                 << 16 << 0xff00aa << 0xff << 0xff;
}

void tst_ImageProcess::constructorsFill()
{
    QFETCH(int, depth);
    QFETCH(int, fill);
    QFETCH(int, expectedPixel);
    QFETCH(int, expectedRed);
    ImageProcess planes(depth, 3, 2, fill);
    QCOMPARE(planes.width(), 3);
    QCOMPARE(planes.height(), 2);
    QCOMPARE(planes.depth(), depth);
    QCOMPARE(planes.pixel(2, 1), expectedPixel);
    QCOMPARE(int(planes.redPlane()[5]), expectedRed);
    QCOMPARE(planes.greenPlane() != nullptr, depth != 1 && depth != 8);
    QCOMPARE(planes.redTable() != nullptr, depth == 8);
    if (depth == 8)
        QCOMPARE(int(planes.redTable()[200]), 200);
}

void tst_ImageProcess::negativeSizeIsEmpty()
{
    ImageProcess planes(24, -5, 7, 0);
    QCOMPARE(planes.width(), 0);
    QCOMPARE(planes.height(), 7);
    QCOMPARE(planes.pixel(0, 0), 0);
    QVERIFY(planes.toImage().size().isEmpty());
    ImageProcessDouble doubles(8, 4, -1, 3);
    QCOMPARE(doubles.height(), 0);
}

void tst_ImageProcess::pixelOutsideIsZero_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("left of the image")  << -1 << 0;
    QTest::newRow("right of the image") << 4 << 0;
    QTest::newRow("above")              << 0 << -1;
    QTest::newRow("below")              << 0 << 3;
}

void tst_ImageProcess::pixelOutsideIsZero()
{
    QFETCH(int, x);
    QFETCH(int, y);
    ImageProcess planes(24, 4, 3, 0x0a0b0c);
    QCOMPARE(planes.pixel(x, y), 0);
    planes.setPixel(x, y, 0xffffff);
    for (int py = 0; py < 3; ++py)
        for (int px = 0; px < 4; ++px)
            QCOMPARE(planes.pixel(px, py), 0x0a0b0c);
}

void tst_ImageProcess::fromImageAndBack()
{
    const QImage source = twoPixels(qRgb(250, 10, 0), qRgb(1, 2, 3));
    ImageProcess planes(source);
    QCOMPARE(planes.depth(), 24);
    QCOMPARE(planes.pixel(0, 0), 0xfa0a00);
    QCOMPARE(planes.pixel(1, 0), 0x010203);
    QCOMPARE(int(planes.alphaPlane()[0]), 255);
    const QImage back = planes.toImage();
    QCOMPARE(back.format(), QImage::Format_ARGB32);
    QCOMPARE(back.pixel(0, 0), qRgb(250, 10, 0));
    QCOMPARE(back.pixel(1, 0), qRgb(1, 2, 3));
}

void tst_ImageProcess::transparentSourceComesBackOpaque()
{
    const QImage source = twoPixels(qRgba(10, 20, 30, 0), qRgba(40, 50, 60, 128));
    const QImage back = ImageProcess(source).toImage();
    QCOMPARE(qAlpha(back.pixel(0, 0)), 255);
    QCOMPARE(qAlpha(back.pixel(1, 0)), 255);
    QCOMPARE(back.pixel(1, 0), QImage(source).convertToFormat(QImage::Format_RGB32).pixel(1, 0));
}

void tst_ImageProcess::copyIsDeepAndKeepsNoImage()
{
    ImageProcess original(twoPixels(qRgb(1, 2, 3), qRgb(4, 5, 6)));
    original.threshold(3);
    ImageProcess copy(original);
    QVERIFY(copy.isGrey());
    QVERIFY(copy.redPlane() != original.redPlane());
    copy.setPixel(0, 0, 0x000000);
    QCOMPARE(original.pixel(0, 0), 0x000000);
    QCOMPARE(original.pixel(1, 0), 0xffffff);
    copy.setPixel(1, 0, 0x123456);
    QCOMPARE(original.pixel(1, 0), 0xffffff);
    QCOMPARE(copy.toImage().pixel(1, 0), qRgb(0x12, 0x34, 0x56));
}

void tst_ImageProcess::fromFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("two.png");
    QVERIFY(twoPixels(qRgb(9, 8, 7), qRgb(6, 5, 4)).save(path));
    ImageProcess planes(path.toLocal8Bit().constData());
    QCOMPARE(planes.width(), 2);
    QCOMPARE(planes.pixel(1, 0), 0x060504);
    ImageProcess missing(dir.filePath("missing.png").toLocal8Bit().constData());
    QCOMPARE(missing.width(), 0);
    QCOMPARE(missing.height(), 0);
    QVERIFY(missing.toImage().size().isEmpty());
}

void tst_ImageProcess::addBrightness_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected");
    QTest::newRow("clamped at the top")    << qRgb(250, 10, 0) << 30 << 0xff281e;
    QTest::newRow("clamped at the bottom") << qRgb(5, 100, 0) << -20 << 0x005000;
    QTest::newRow("huge delta saturates")  << qRgb(5, 100, 0) << INT_MAX << 0xffffff;
    QTest::newRow("huge negative delta")   << qRgb(5, 100, 0) << INT_MIN << 0x000000;
}

void tst_ImageProcess::addBrightness()
{
    QFETCH(QRgb, pixel);
    QFETCH(int, delta);
    QFETCH(int, expected);
    ImageProcess planes(twoPixels(pixel, pixel));
    QCOMPARE(planes.addBrightness(delta).pixel(1, 0), expected);
}

void tst_ImageProcess::brightnessOfIndexedChangesTablesUntilGrey()
{
    ImageProcess planes(8, 2, 2, 100);
    planes.addBrightness(10);
    QCOMPARE(planes.pixel(0, 0), 100);
    QCOMPARE(int(planes.redTable()[100]), 110);
    QCOMPARE(int(planes.blueTable()[250]), 255);
    planes.threshold(0);
    QVERIFY(planes.isGrey());
    QCOMPARE(int(planes.redTable()[100]), 100);
    planes.setPixel(0, 0, 40);
    planes.addBrightness(10);
    QCOMPARE(planes.pixel(0, 0), 50);
    QCOMPARE(planes.pixel(1, 1), 255);
}

void tst_ImageProcess::monoStaysBlackAndWhite()
{
    ImageProcess planes(1, 2, 1, 1);
    planes.setPixel(1, 0, 0);
    planes.addBrightness(150);
    QCOMPARE(int(planes.redPlane()[0]), 255);
    QCOMPARE(int(planes.redPlane()[1]), 255);
    planes.addBrightness(-200);
    QCOMPARE(int(planes.redPlane()[0]), 0);
    QCOMPARE(planes.pixel(0, 0), 0);
}

void tst_ImageProcess::threshold_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("expected");
    QTest::newRow("mean 150 above 128") << qRgb(100, 200, 150) << 128 << 0xffffff;
    QTest::newRow("mean 20 below 128")  << qRgb(10, 20, 30) << 128 << 0x000000;
    QTest::newRow("equal to the level") << qRgb(128, 128, 128) << 128 << 0xffffff;
}

void tst_ImageProcess::threshold()
{
    QFETCH(QRgb, pixel);
    QFETCH(int, level);
    QFETCH(int, expected);
    ImageProcess planes(twoPixels(pixel, pixel));
    QVERIFY(!planes.isGrey());
    planes.threshold(level);
    QVERIFY(planes.isGrey());
    QCOMPARE(planes.pixel(0, 0), expected);
    QCOMPARE(planes.toImage().pixel(0, 0) & 0xffffff, QRgb(expected));
}

void tst_ImageProcess::applyTableAndHistogram()
{
    unsigned char invert[256];
    for (int i = 0; i < 256; ++i)
        invert[i] = static_cast<unsigned char>(255 - i);
    ImageProcess planes(twoPixels(qRgb(0, 10, 20), qRgb(0, 30, 255)));
    planes.applyTable(invert);
    QCOMPARE(planes.pixel(0, 0), 0xfff5eb);
    QCOMPARE(planes.pixel(1, 0), 0xffe100);
    int counts[256];
    std::fill(counts, counts + 256, 7);
    planes.histogram(counts);
    QCOMPARE(counts[255], 2);
    QCOMPARE(std::accumulate(counts, counts + 256, 0), 2);
    planes.histogram(counts, planes.greenPlane());
    QCOMPARE(counts[245], 1);
    QCOMPARE(counts[225], 1);

    // A mono plane is brought back to 0 and 255 even without a table.
    ImageProcess mono(1, 2, 1, 2);
    QCOMPARE(int(mono.redPlane()[0]), 254);
    mono.applyTable(nullptr);
    QCOMPARE(int(mono.redPlane()[0]), 255);
    mono.applyTable(invert);
    QCOMPARE(int(mono.redPlane()[0]), 0);
}

void tst_ImageProcess::toImageMapsIndicesAndMono()
{
    ImageProcess indexed(8, 2, 1, 7);
    indexed.addBrightness(40);
    // Index 7 through tables that now hold 47 for it: a grey, not the raw index in blue.
    QCOMPARE(indexed.toImage().pixel(0, 0), qRgb(47, 47, 47));

    ImageProcess mono(1, 2, 1, 1);
    mono.setPixel(1, 0, 0);
    const QImage image = mono.toImage();
    QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(1, 0), qRgb(0, 0, 0));
}

void tst_ImageProcess::toImageAsksTheOverride()
{
    MirroredPlanes planes(twoPixels(qRgb(1, 1, 1), qRgb(2, 2, 2)));
    const QImage image = planes.toImage();
    QCOMPARE(image.pixel(0, 0), qRgb(2, 2, 2));
    QCOMPARE(image.pixel(1, 0), qRgb(1, 1, 1));
}

void tst_ImageProcess::floatAndDoubleVariants()
{
    ImageProcessFloat floats(twoPixels(qRgb(250, 10, 0), qRgb(1, 2, 3)));
    QCOMPARE(floats.redPlane()[0], 250.0f);
    QCOMPARE(floats.pixel(0, 0), 0xfa0a00);
    ImageProcessDouble mono(1, 1, 1, 1);
    QCOMPARE(mono.redPlane()[0], 255.0);
    QCOMPARE(mono.pixel(0, 0), 1);
    mono.setPixel(0, 0, 0);
    QCOMPARE(mono.pixel(0, 0), 0);
    ImageProcessDouble grey(8, 1, 1, 300);
    QCOMPARE(grey.pixel(0, 0), 300);
    ImageProcessFloat copy(floats);
    QCOMPARE(copy.pixel(1, 0), 0x010203);
}

QTEST_MAIN(tst_ImageProcess)
#include "tst_ImageProcess.moc"
