#include "MGraphX/ColorReducer.h"

#include <QRandomGenerator>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using MGraphX::ColorReducer;

namespace {

// Smooth gradients with a little noise: many colours, as in a photograph.
QImage photoLike(int w, int h, bool withAlpha = false)
{
    QRandomGenerator generator(11);
    QImage image(w, h, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int noise = int(generator.bounded(9)) - 4;
            const int alpha = withAlpha ? (x < w / 4 ? 0 : (x < w / 2 ? 126 : 255)) : 255;
            image.setPixel(x, y, qRgba(qBound(0, x * 255 / w + noise, 255), qBound(0, y * 255 / h - noise, 255),
                                       qBound(0, (x + y) * 127 / (w + h) + 60 + noise, 255), alpha));
        }
    return image;
}

QImage greyRamp(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = (x + y * w) * 255 / (w * h - 1);
            image.setPixel(x, y, qRgb(v, v, v));
        }
    return image;
}

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

QSet<int> indicesOf(const QImage &image)
{
    QSet<int> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            indices.insert(image.pixelIndex(x, y));
    return indices;
}

} // namespace

class tst_ColorReducer : public QObject
{
    Q_OBJECT

private slots:
    void twoColoursGiveTwoBoxes();
    void entryIsTheMeanOfItsPixels_data();
    void entryIsTheMeanOfItsPixels();
    void colourCountIsKept_data();
    void colourCountIsKept();
    void sameKeySameIndexWithoutDithering();
    void ditheringUsesOnlyTheBoxes();
    void transparency_data();
    void transparency();
    void greyPath_data();
    void greyPath();
    void greyShortcutOffTakesTheMedianCut();
    void reducingTwiceGivesTheSame();
    void progress();
    void receiverMayDeleteTheReducer_data();
    void receiverMayDeleteTheReducer();
    void posterize();
    void save();
};

void tst_ColorReducer::twoColoursGiveTwoBoxes()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    image.setPixel(3, 3, qRgb(0, 0, 255));
    ColorReducer reducer(image);
    reducer.setDithering(false);
    const QImage result = reducer.reduce(16);
    QCOMPARE(result.format(), QImage::Format_Indexed8);
    QCOMPARE(result.colorCount(), 2);
    QCOMPARE(result.pixel(3, 3), qRgb(0, 0, 255));
    QCOMPARE(result.pixel(0, 0), qRgb(255, 0, 0));
}

void tst_ColorReducer::entryIsTheMeanOfItsPixels_data()
{
    QTest::addColumn<QVector<QRgb>>("pixels");
    QTest::addColumn<QRgb>("entry");
    // Every pixel of a row shares one key, so the row is a single box; black beside it is a box of its own.
    QTest::newRow("white stays white") << QVector<QRgb>{qRgb(255, 255, 255)} << qRgb(255, 255, 255);
    QTest::newRow("light grey is not made white") << QVector<QRgb>{qRgb(250, 250, 250)} << qRgb(250, 250, 250);
    QTest::newRow("top of a bin is not cut to its low edge") << QVector<QRgb>{qRgb(15, 135, 199)} << qRgb(15, 135, 199);
    QTest::newRow("halves round up") << QVector<QRgb>{qRgb(250, 9, 0), qRgb(253, 10, 0)} << qRgb(252, 10, 0);
    QTest::newRow("weighted by count") << QVector<QRgb>{qRgb(0, 9, 0), qRgb(0, 9, 0), qRgb(0, 10, 0)} << qRgb(0, 9, 0);
}

void tst_ColorReducer::entryIsTheMeanOfItsPixels()
{
    QFETCH(QVector<QRgb>, pixels);
    QFETCH(QRgb, entry);
    QImage image(pixels.size() + 1, 1, QImage::Format_RGB32);
    image.setPixel(pixels.size(), 0, qRgb(0, 0, 0));
    for (int x = 0; x < pixels.size(); ++x)
        image.setPixel(x, 0, pixels[x]);
    for (bool dithering : {false, true}) {
        ColorReducer reducer(image);
        reducer.setGrayShortcut(false);
        reducer.setDithering(dithering);
        const QImage result = reducer.reduce(4);
        QCOMPARE(coloursOf(result), (QSet<QRgb>{entry, qRgb(0, 0, 0)}));
        QCOMPARE(result.pixel(0, 0), entry);
    }
}

void tst_ColorReducer::colourCountIsKept_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("dithering");
    QTest::addColumn<int>("expectedTable");
    QTest::newRow("16, dithered") << 16 << true << 16;
    QTest::newRow("64, plain") << 64 << false << 64;
    QTest::newRow("256, dithered") << 256 << true << 256;
    QTest::newRow("1000 counts as 256") << 1000 << false << 256;
    QTest::newRow("1 gives one box") << 1 << true << 1;
    QTest::newRow("0 gives one box") << 0 << false << 1;
}

void tst_ColorReducer::colourCountIsKept()
{
    QFETCH(int, count);
    QFETCH(bool, dithering);
    QFETCH(int, expectedTable);
    const QImage image = photoLike(96, 64);
    ColorReducer reducer(image);
    reducer.setDithering(dithering);
    const QImage result = reducer.reduce(count);
    QCOMPARE(result.size(), image.size());
    QCOMPARE(result.colorCount(), expectedTable);
    QVERIFY(coloursOf(result).size() <= expectedTable);
    for (int index : indicesOf(result))
        QVERIFY(index < result.colorCount());
}

void tst_ColorReducer::sameKeySameIndexWithoutDithering()
{
    QImage image = photoLike(64, 32);
    // Two pixels whose colours differ only below the 5 bits a channel keeps.
    image.setPixel(0, 0, qRgb(80, 160, 240));
    image.setPixel(63, 31, qRgb(87, 167, 247));
    ColorReducer reducer(image);
    reducer.setDithering(false);
    const QImage result = reducer.reduce(32);
    QCOMPARE(result.pixelIndex(0, 0), result.pixelIndex(63, 31));
}

void tst_ColorReducer::ditheringUsesOnlyTheBoxes()
{
    // Three light colours reduced to 16: three boxes, and the thirteen unused entries must not
    // attract the diffused error, or black would appear.
    QImage image(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, (x + y) % 3 == 0 ? qRgb(200, 200, 40) : ((x + y) % 3 == 1 ? qRgb(40, 200, 200) : qRgb(230, 230, 230)));
    ColorReducer reducer(image);
    const QImage result = reducer.reduce(16);
    QCOMPARE(result.colorCount(), 3);
    QVERIFY(!coloursOf(result).contains(qRgb(0, 0, 0)));
}

void tst_ColorReducer::transparency_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("dithering");
    QTest::newRow("256 with dithering") << 256 << true;
    QTest::newRow("255 plain") << 255 << false;
    QTest::newRow("16 plain") << 16 << false;
}

void tst_ColorReducer::transparency()
{
    QFETCH(int, count);
    QFETCH(bool, dithering);
    const QImage image = photoLike(64, 40, true);
    ColorReducer reducer(image);
    reducer.setDithering(dithering);
    const QImage result = reducer.reduce(count);
    QCOMPARE(result.colorCount(), 256);
    QCOMPARE(result.color(255), QRgb(0));
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) {
            const bool clear = qAlpha(image.pixel(x, y)) < 127;
            QCOMPARE(result.pixelIndex(x, y) == 255, clear);
            if (!clear)
                QVERIFY(result.pixelIndex(x, y) < qMin(count, 254));
        }
}

void tst_ColorReducer::greyPath_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("dithering");
    QTest::addColumn<int>("levels");
    // g = n / 2 levels of posterizing give g + 1 greys; 2 colours get g = 1.
    QTest::newRow("2 colours, 2 greys") << 2 << false << 2;
    QTest::newRow("2 colours dithered") << 2 << true << 2;
    QTest::newRow("3 colours") << 3 << false << 3;
    QTest::newRow("8 colours") << 8 << false << 5;
    QTest::newRow("16 colours dithered") << 16 << true << 9;
    QTest::newRow("256 colours") << 256 << false << 129;
}

void tst_ColorReducer::greyPath()
{
    QFETCH(int, count);
    QFETCH(bool, dithering);
    QFETCH(int, levels);
    const QImage image = greyRamp(64, 32);
    ColorReducer reducer(image);
    reducer.setDithering(dithering);
    const QImage result = reducer.reduce(count);
    QCOMPARE(result.colorCount(), 256);
    const QSet<QRgb> colours = coloursOf(result);
    QVERIFY2(colours.size() <= qMin(count, levels), qPrintable(QString::number(colours.size())));
    QVERIFY(colours.contains(qRgb(0, 0, 0)));
    QVERIFY(colours.contains(qRgb(255, 255, 255)));
    for (QRgb colour : colours)
        QVERIFY(qIsGray(colour));
    // The greys come first, in ascending order; the entries after them are unused.
    const QSet<int> indices = indicesOf(result);
    QCOMPARE(*std::max_element(indices.begin(), indices.end()), colours.size() - 1);
    for (int i = 1; i < colours.size(); ++i)
        QVERIFY(qRed(result.color(i)) > qRed(result.color(i - 1)));
}

void tst_ColorReducer::greyShortcutOffTakesTheMedianCut()
{
    const QImage image = greyRamp(64, 32);
    ColorReducer reducer(image);
    reducer.setDithering(false);
    QCOMPARE(coloursOf(reducer.reduce(4)), (QSet<QRgb>{qRgb(0, 0, 0), qRgb(127, 127, 127), qRgb(255, 255, 255)}));
    reducer.setGrayShortcut(false);
    const QImage cut = reducer.reduce(4);
    QCOMPARE(cut.colorCount(), 4);
    QCOMPARE(coloursOf(cut).size(), 4);
}

void tst_ColorReducer::reducingTwiceGivesTheSame()
{
    ColorReducer reducer(photoLike(50, 40));
    const QImage first = reducer.reduce(24);
    QCOMPARE(reducer.reduce(24), first);
}

void tst_ColorReducer::progress()
{
    ColorReducer reducer(photoLike(50, 20));
    QSignalSpy spy(&reducer, &ColorReducer::progress);
    reducer.reduce(16);
    QVERIFY(spy.count() > 50);
    QCOMPARE(spy.first().first().toInt(), 0);
    int previous = 0;
    int diffusion = 0;
    for (const QList<QVariant> &arguments : spy) {
        const int value = arguments.first().toInt();
        QVERIFY2(value >= previous && value <= 100, qPrintable(QString::number(value)));
        diffusion += value >= 10;
        previous = value;
    }
    // One value a column during error diffusion, the last round(10 + 49 * 90 / 50).
    QCOMPARE(diffusion, 50);
    QCOMPARE(spy.last().first().toInt(), 98);

    spy.clear();
    reducer.setDithering(false);
    reducer.reduce(16);
    QVERIFY(spy.count() >= 2);
    QVERIFY(spy.last().first().toInt() < 10);
}

void tst_ColorReducer::receiverMayDeleteTheReducer_data()
{
    QTest::addColumn<QString>("work");
    QTest::addColumn<int>("deleteAt"); // the emission, counted from 1
    QTest::newRow("reduce, at the start") << "reduce" << 1;
    QTest::newRow("reduce, during the cut") << "reduce" << 3;
    QTest::newRow("reduce, during diffusion") << "reduce" << 30;
    QTest::newRow("grey, during diffusion") << "grey" << 5;
    QTest::newRow("posterize") << "posterize" << 2;
}

// A receiver of progress may delete the reducer (a dialog's Cancel, say): the work ends without touching it,
// which the address sanitizer would report otherwise.
void tst_ColorReducer::receiverMayDeleteTheReducer()
{
    QFETCH(QString, work);
    QFETCH(int, deleteAt);
    auto *reducer = new ColorReducer(work == QLatin1String("grey") ? greyRamp(50, 20) : photoLike(50, 20));
    int emissions = 0;
    QObject context;
    connect(reducer, &ColorReducer::progress, &context, [&] {
        if (++emissions == deleteAt)
            delete reducer;
    });
    const QImage result = work == QLatin1String("posterize") ? reducer->posterize(4) : reducer->reduce(16);
    QCOMPARE(emissions, deleteAt);
    if (work != QLatin1String("posterize"))
        QVERIFY(result.isNull());
}

void tst_ColorReducer::posterize()
{
    QImage image(4, 1, QImage::Format_RGB32);
    const int values[4] = {0, 64, 128, 255};
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, qRgb(values[x], 255 - values[x], values[x]));
    ColorReducer reducer(image);
    QSignalSpy spy(&reducer, &ColorReducer::progress);
    const QImage result = reducer.posterize(4);
    QCOMPARE(result.format(), QImage::Format_ARGB32);
    // Four levels: c = 251; 64 -> 252 -> 63, 128 -> 253 -> 127.
    const int expected[4] = {0, 63, 127, 255};
    for (int x = 0; x < 4; ++x)
        QCOMPARE(result.pixel(x, 0), qRgb(expected[x], expected[3 - x], expected[x]));
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.first().first().toInt(), 10);
    spy.clear();
    reducer.setDithering(false);
    QCOMPARE(reducer.posterize(4), result);
    QCOMPARE(spy.count(), 0);
    // One level keeps only full channels.
    QCOMPARE(coloursOf(reducer.posterize(1)), (QSet<QRgb>{qRgb(0, 255, 0), qRgb(0, 0, 0), qRgb(255, 0, 255)}));
    QCOMPARE(reducer.posterize(0), reducer.posterize(1));
}

void tst_ColorReducer::save()
{
    QTemporaryDir dir;
    const QImage image = photoLike(40, 30);
    const QString path = dir.filePath("reduced.png");
    QVERIFY(MGraphX::saveReducedImage(image, path, 8));
    const QImage saved(path);
    QCOMPARE(saved.size(), image.size());
    QVERIFY(coloursOf(saved).size() <= 8);
    QVERIFY(MGraphX::saveReducedImageAs(image, dir.filePath("reduced.bmp"), 8, "BMP"));
    QVERIFY(QImage(dir.filePath("reduced.bmp")).size() == image.size());
    QVERIFY(!MGraphX::saveReducedImage(image, dir.filePath("no/such/folder/reduced.png"), 8));
}

QTEST_MAIN(tst_ColorReducer)
#include "tst_ColorReducer.moc"
