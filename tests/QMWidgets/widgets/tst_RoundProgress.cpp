#include "QMWidgets/widgets/RoundProgress.h"

#include "PaintedText.h"
#include "ScaledRun.h"
#include "WidgetPaint.h"

#include <QtTest>

#include <cmath>

using QMWidgets::RoundProgress;

namespace {
bool isPie(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) < 30 && qBlue(pixel) < 30 && qGreen(pixel) > 80;
}

bool isGauge(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) >= 90 && qRed(pixel) == qGreen(pixel);
}
}

class tst_RoundProgress : public QObject
{
    Q_OBJECT

private slots:
    void sizePolicyExpands()
    {
        RoundProgress progress;
        QCOMPARE(progress.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(progress.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(progress.value(), 0);
        progress.setValue(140);
        QCOMPARE(progress.value(), 140);
    }

    // The gauge sits in the 100 x 100 square in the middle of a 200 x 100 widget, centred at (100, 50). The
    // ring between the inner disc (radius 45) and the edge (radius 50) shows the pie; it is probed 47 pixels
    // out, diagonally, above and below the centred percentage.
    void pieFillsClockwiseFromTop_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QPoint>("filled");
        QTest::addColumn<QPoint>("empty");
        QTest::newRow("half covers the right side") << 50 << QPoint(132, 82) << QPoint(66, 82);
        QTest::newRow("quarter covers the upper right") << 25 << QPoint(132, 16) << QPoint(132, 82);
        QTest::newRow("three quarters reach the lower left") << 75 << QPoint(66, 82) << QPoint(66, 16);
        QTest::newRow("negative turns counter-clockwise") << -25 << QPoint(66, 16) << QPoint(132, 16);
        QTest::newRow("above 100 is drawn unchanged, a full ring") << 125 << QPoint(66, 16) << QPoint(99, 10);
    }

    void pieFillsClockwiseFromTop()
    {
        QFETCH(int, value);
        QFETCH(QPoint, filled);
        QFETCH(QPoint, empty);
        RoundProgress progress;
        progress.resize(200, 100);
        progress.setValue(value);
        const QImage image = paintWidget(progress);
        QVERIFY2(isPie(image.pixel(filled)), qPrintable(describePixel(image.pixel(filled))));
        QVERIFY2(!isPie(image.pixel(empty)), qPrintable(describePixel(image.pixel(empty))));
    }

    void emptyGaugeShowsItsGreyRing()
    {
        RoundProgress progress;
        progress.resize(200, 100);
        const QImage image = paintWidget(progress);
        for (const QPoint &ring : {QPoint(132, 16), QPoint(66, 82), QPoint(99, 2), QPoint(99, 96)})
            QVERIFY2(isGauge(image.pixel(ring)), qPrintable(describePixel(image.pixel(ring))));
        QCOMPARE(image.pixel(10, 49), qRgba(0, 0, 0, 0));
        QCOMPARE(image.pixel(190, 49), qRgba(0, 0, 0, 0));
    }

    // The percentage stays inside the inner disc (diameter s - s / 10 in a square of side s): every corner of its
    // box is within the disc's radius of the centre.
    void percentStaysInsideTheDisc_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QSize>("size");
        QTest::newRow("62 on a wide gauge") << 62 << QSize(200, 100);
        QTest::newRow("100 on a square gauge") << 100 << QSize(120, 120);
        QTest::newRow("-100 on a tall gauge") << -100 << QSize(60, 150);
        QTest::newRow("5 on a small gauge") << 5 << QSize(32, 32);
    }

    void percentStaysInsideTheDisc()
    {
        QFETCH(int, value);
        QFETCH(QSize, size);
        RoundProgress progress;
        progress.resize(size);
        progress.setValue(value);
        const QString text = QString::number(value) + '%';
        const QRectF box = paintedBox(paintedTexts(progress), text);
        QVERIFY2(!box.isNull(), "no percentage drawn");
        const int side = qMin(size.width(), size.height());
        const qreal radius = (side - side / 10) / 2.0;
        const QPointF centre(size.width() / 2.0, size.height() / 2.0);
        for (const QPointF &corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            const QPointF off = corner - centre;
            QVERIFY2(std::hypot(off.x(), off.y()) <= radius + 0.5,
                     qPrintable(QString("%1 reaches %2 from the centre, the disc %3")
                                    .arg(text).arg(std::hypot(off.x(), off.y())).arg(radius)));
        }
    }

    void percentStaysInsideTheDiscAtRatioTwo()
    {
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QSKIP("this run is the scaled one");
        const ScaledRun run = runScaled({"percentStaysInsideTheDisc"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
    }

    // The inner disc is dark inside its circle and leaves the corners of its square to the background:
    // a filled square would cover the gauge's round edge.
    void innerDiscIsRound()
    {
        RoundProgress progress;
        progress.resize(200, 100);
        progress.setValue(100);
        const QImage image = paintWidget(progress);
        QCOMPARE(image.pixel(99, 10), qRgb(45, 45, 45));
        QCOMPARE(image.pixel(99, 88), qRgb(45, 45, 45));
        for (const QPoint &corner : {QPoint(57, 7), QPoint(142, 7), QPoint(57, 92), QPoint(142, 92)})
            QCOMPARE(image.pixel(corner), qRgba(0, 0, 0, 0));
        QVERIFY2(isPie(image.pixel(66, 16)), qPrintable(describePixel(image.pixel(66, 16))));
    }
};

QTEST_MAIN(tst_RoundProgress)
#include "tst_RoundProgress.moc"
