#include "HangBound.h"
#include "QMWidgets/widgets/SimpleProgress.h"

#include "PaintedText.h"
#include "ScaledRun.h"
#include "TextLayers.h"
#include "WidgetPaint.h"

#include <QTimerEvent>
#include <QtTest>

using QMWidgets::SimpleProgress;

namespace {
bool isBar(QRgb pixel)
{
    return qGreen(pixel) > qRed(pixel) + 80 && qRed(pixel) == qBlue(pixel);
}

bool isBackground(QRgb pixel)
{
    return qRed(pixel) >= 100 && qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

// Records the timer events a widget receives, by timer id.
class TimerEvents : public QObject
{
public:
    explicit TimerEvents(QObject *watched) { watched->installEventFilter(this); }
    QList<int> ids;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            ids << static_cast<QTimerEvent *>(event)->timerId();
        return false;
    }
};
}

class tst_SimpleProgress : public QObject
{
    Q_OBJECT

private slots:
    void barIsFixedInHeight()
    {
        SimpleProgress progress;
        QCOMPARE(progress.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(progress.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(progress.minimumHeight(), 20);
        QCOMPARE(progress.value(), 0);
    }

    void valueFillsItsShareOfTheWidth_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("filled");
        QTest::newRow("a quarter of 200") << 25 << 200 << 50;
        QTest::newRow("half of 150") << 50 << 150 << 75;
        QTest::newRow("1 of 150 truncates to one column") << 1 << 150 << 1;
        QTest::newRow("all of it") << 100 << 200 << 200;
        // 50000000 times 150 used to overflow an int to a negative width: nothing filled.
        QTest::newRow("huge value fills the bar only") << 50000000 << 150 << 150;
        QTest::newRow("negative value fills nothing") << -5 << 200 << 0;
    }

    void valueFillsItsShareOfTheWidth()
    {
        QFETCH(int, value);
        QFETCH(int, width);
        QFETCH(int, filled);
        SimpleProgress progress;
        progress.resize(width, 20);
        progress.setValue(value);
        QCOMPARE(progress.value(), value);
        const QImage image = paintWidget(progress);
        if (filled > 0) {
            QVERIFY2(isBar(image.pixel(0, 10)), qPrintable(describePixel(image.pixel(0, 10))));
            QVERIFY2(isBar(image.pixel(filled - 1, 10)), qPrintable(describePixel(image.pixel(filled - 1, 10))));
        }
        if (filled < width)
            QVERIFY2(isBackground(image.pixel(filled, 10)), qPrintable(describePixel(image.pixel(filled, 10))));
    }

    // Stripes are 10 wide every 20 on a 200-wide bar, and lean: halfway down they have moved 10 to the left.
    void busyBarShowsLeaningStripes()
    {
        SimpleProgress progress;
        progress.resize(200, 20);
        const QImage image = paintWidget(progress);
        QVERIFY2(isBar(image.pixel(15, 1)), qPrintable(describePixel(image.pixel(15, 1))));
        QVERIFY2(isBackground(image.pixel(25, 1)), qPrintable(describePixel(image.pixel(25, 1))));
        QVERIFY2(isBackground(image.pixel(15, 11)), qPrintable(describePixel(image.pixel(15, 11))));
        QVERIFY2(isBar(image.pixel(25, 11)), qPrintable(describePixel(image.pixel(25, 11))));
    }

    void stripesMoveOnlyWhileBusy()
    {
        SimpleProgress progress;
        progress.resize(200, 20);
        const QImage still = paintWidget(progress);
        QTRY_VERIFY_WITH_TIMEOUT(paintWidget(progress) != still, HangBoundMs);

        progress.setValue(30);
        const QImage filled = paintWidget(progress);
        TimerEvents ticks(&progress);
        SimpleProgress clock;
        TimerEvents clockTicks(&clock);
        QTRY_VERIFY_WITH_TIMEOUT(clockTicks.ids.size() >= 3, HangBoundMs);
        QVERIFY(ticks.ids.isEmpty());
        QCOMPARE(paintWidget(progress), filled);

        progress.setValue(0);
        const QImage busy = paintWidget(progress);
        QTRY_VERIFY_WITH_TIMEOUT(!ticks.ids.isEmpty(), HangBoundMs);
        QTRY_VERIFY_WITH_TIMEOUT(paintWidget(progress) != busy, HangBoundMs);
    }

    // The caption's line fits the bar's height, whatever the height; a long one is shortened in the middle.
    void captionFitsTheBar_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lowest bar") << "Copying" << QSize(200, 20) << "Copying";
        QTest::newRow("taller bar") << "Copying" << QSize(200, 45) << "Copying";
        QTest::newRow("caption wider than the bar")
            << "Copying the scripts of the whole project folder to the backup disc" << QSize(120, 24) << QString(QChar(0x2026));
    }

    void captionFitsTheBar()
    {
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QString, shown);
        SimpleProgress progress;
        progress.resize(size);
        progress.setValue(40);
        progress.setText(caption);
        const QRectF box = paintedBox(paintedTexts(progress), shown);
        QVERIFY2(!box.isNull(), "no caption drawn");
        QVERIFY2(QRectF(0, 0, size.width(), size.height()).contains(box),
                 qPrintable(QString("caption box %1,%2 %3 x %4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    }

    void captionFitsTheBarAtRatioTwo()
    {
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QSKIP("this run is the scaled one");
        const ScaledRun run = runScaled({"captionFitsTheBar"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
    }

    // The caption is near-white; on the bar's bright green and the track's light grey it read at 3:1.
    void captionReadsOnBarAndTrack_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("on the bar") << 100;
        QTest::newRow("on the track") << -1;
        QTest::newRow("across both") << 50;
    }

    void captionReadsOnBarAndTrack()
    {
        QFETCH(int, value);
        SimpleProgress progress;
        progress.resize(200, 24);
        progress.setValue(value);
        progress.setText("Copying");
        const QRectF box = paintedBox(paintedTexts(progress), "Copying");
        QVERIFY2(!box.isNull(), "no caption drawn");
        // Each half of the caption on its own, so that the part over the bar and the part over the track both read.
        const TextLayers layers = paintTextLayers(progress);
        for (const QRectF &half : {QRectF(box.topLeft(), QSizeF(box.width() / 2, box.height())),
                                   QRectF(box.center().x(), box.top(), box.width() / 2, box.height())}) {
            const double measured = textContrast(layers, half);
            QVERIFY2(measured >= 4.5, qPrintable(QString::number(measured)));
        }
    }

    // Every busy value set used to start a further timer, and each one moved the stripes again.
    void repeatedBusyValuesKeepOneTimer()
    {
        SimpleProgress progress;
        progress.resize(200, 20);
        for (int i = 0; i < 5; ++i)
            progress.setValue(0);
        progress.setValue(40);
        progress.setValue(0);
        TimerEvents ticks(&progress);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.ids.size() >= 4, HangBoundMs);
        for (int id : qAsConst(ticks.ids))
            QCOMPARE(id, ticks.ids.first());
    }
};

QTEST_MAIN(tst_SimpleProgress)
#include "tst_SimpleProgress.moc"
