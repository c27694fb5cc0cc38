#include "MGraphX/ColorMatrix.h"

#include <QtTest>

#include <functional>

using MGraphX::ColorMatrix;

Q_DECLARE_METATYPE(std::function<void(ColorMatrix &)>)

class tst_ColorMatrix : public QObject
{
    Q_OBJECT

private slots:
    void presets_data();
    void presets();
    void copyAndAssignTakeTheValues();
    void applyMapsEveryPixel();
    void applyConvertsOtherFormats();
};

using Preset = std::function<void(ColorMatrix &)>;

void tst_ColorMatrix::presets_data()
{
    QTest::addColumn<Preset>("preset");
    QTest::addColumn<QVector<int>>("rgba");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("identity") << Preset([](ColorMatrix &) {}) << QVector<int>{12, 34, 56, 78} << qRgba(12, 34, 56, 78);
    QTest::newRow("saturation 0 is the mean grey")
        << Preset([](ColorMatrix &m) { m.setSaturation(0); }) << QVector<int>{30, 60, 90, 255} << qRgba(60, 60, 60, 255);
    QTest::newRow("saturation 1 is the identity")
        << Preset([](ColorMatrix &m) { m.setSaturation(1); }) << QVector<int>{30, 60, 90, 200} << qRgba(30, 60, 90, 200);
    QTest::newRow("diagonal clamps at 255")
        << Preset([](ColorMatrix &m) { m.setDiagonal(2, 1, 1, 1); }) << QVector<int>{200, 10, 10, 255} << qRgba(255, 10, 10, 255);
    QTest::newRow("negative factor clamps at 0")
        << Preset([](ColorMatrix &m) { m.setDiagonal(-1, 1, 1, 1); }) << QVector<int>{200, 10, 10, 255} << qRgba(0, 10, 10, 255);
    QTest::newRow("brightness leaves alpha")
        << Preset([](ColorMatrix &m) { m.setBrightness(0.5f); }) << QVector<int>{100, 51, 3, 77} << qRgba(50, 25, 1, 77);
    QTest::newRow("average grey truncates")
        << Preset([](ColorMatrix &m) { m.setAverageGray(); }) << QVector<int>{10, 20, 31, 255} << qRgba(20, 20, 20, 255);
    QTest::newRow("luminance grey")
        << Preset([](ColorMatrix &m) { m.setLuminanceGray(); }) << QVector<int>{100, 100, 100, 255} << qRgba(99, 99, 99, 255);
    QTest::newRow("tint to red")
        << Preset([](ColorMatrix &m) { m.setTint(1, 0, 0, 1); }) << QVector<int>{10, 20, 30, 255} << qRgba(60, 0, 0, 255);
    QTest::newRow("tint of nothing is black")
        << Preset([](ColorMatrix &m) { m.setTint(0, 0, 0, 1); }) << QVector<int>{10, 20, 30, 255} << qRgba(0, 0, 0, 255);
    QTest::newRow("alpha from channels")
        << Preset([](ColorMatrix &m) { m.setAlphaFromChannels(); }) << QVector<int>{100, 100, 100, 0} << qRgba(0, 0, 0, 255);
    QTest::newRow("swap red and blue")
        << Preset([](ColorMatrix &m) { m.swapRedBlue(); }) << QVector<int>{1, 2, 3, 4} << qRgba(3, 2, 1, 4);
    QTest::newRow("swap red and green")
        << Preset([](ColorMatrix &m) { m.swapRedGreen(); }) << QVector<int>{1, 2, 3, 4} << qRgba(2, 1, 3, 4);
    QTest::newRow("swap green and blue")
        << Preset([](ColorMatrix &m) { m.swapGreenBlue(); }) << QVector<int>{1, 2, 3, 4} << qRgba(1, 3, 2, 4);
    QTest::newRow("reset after a preset")
        << Preset([](ColorMatrix &m) { m.setTint(1, 0, 0, 1); m.reset(); }) << QVector<int>{5, 6, 7, 8} << qRgba(5, 6, 7, 8);
    QTest::newRow("infinite factor clamps")
        << Preset([](ColorMatrix &m) { m.setDiagonal(std::numeric_limits<float>::infinity(), 1, 1, 1); })
        << QVector<int>{1, 2, 3, 4} << qRgba(255, 2, 3, 4);
}

void tst_ColorMatrix::presets()
{
    QFETCH(Preset, preset);
    QFETCH(QVector<int>, rgba);
    QFETCH(QRgb, expected);
    ColorMatrix matrix;
    preset(matrix);
    QCOMPARE(matrix.map(rgba[0], rgba[1], rgba[2], rgba[3]), expected);
}

void tst_ColorMatrix::copyAndAssignTakeTheValues()
{
    QObject owner;
    ColorMatrix original(&owner);
    original.setTint(1, 0, 0, 1);
    const ColorMatrix copy(original);
    QCOMPARE(copy.parent(), nullptr);
    QCOMPARE(copy.map(10, 20, 30, 255), qRgba(60, 0, 0, 255));
    ColorMatrix other;
    other.assign(original);
    QCOMPARE(other.value(2, 0), 1.0f);
    original.reset();
    QCOMPARE(other.map(10, 20, 30, 255), qRgba(60, 0, 0, 255));
}

void tst_ColorMatrix::applyMapsEveryPixel()
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.fill(qRgba(1, 2, 3, 4));
    image.setPixel(1, 1, qRgba(10, 20, 30, 40));
    ColorMatrix matrix;
    matrix.swapRedBlue();
    const QImage result = matrix.apply(image);
    QCOMPARE(result.pixel(0, 0), qRgba(3, 2, 1, 4));
    QCOMPARE(result.pixel(1, 1), qRgba(30, 20, 10, 40));
    QCOMPARE(image.pixel(0, 0), qRgba(1, 2, 3, 4));
}

void tst_ColorMatrix::applyConvertsOtherFormats()
{
    QImage grey(3, 1, QImage::Format_Grayscale8);
    grey.fill(100);
    ColorMatrix matrix;
    matrix.setBrightness(2);
    const QImage result = matrix.apply(grey);
    QCOMPARE(result.format(), QImage::Format_ARGB32);
    QCOMPARE(result.pixel(2, 0), qRgb(200, 200, 200));
    QVERIFY(matrix.apply(QImage()).isNull());
}

QTEST_MAIN(tst_ColorMatrix)
#include "tst_ColorMatrix.moc"
