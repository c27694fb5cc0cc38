#include "QMWidgets/app/App.h"
#include "QMWidgets/style/CommonStyle.h"

#include "XvfbRun.h"

#include <QtTest>

#include <cmath>
#include <limits>

using QMWidgets::App;
using QMWidgets::CommonStyle;

class tst_CommonStyle : public QObject
{
    Q_OBJECT

private slots:
    void scaledScreenUnit_data();
    void scaledScreenUnit();
    void scaledScreenUnitOnFullHdScreen();
};

// The offscreen platform has one screen of 800 by 600 pixels, so the shorter side is 600.
void tst_CommonStyle::scaledScreenUnit_data()
{
    QTest::addColumn<int>("screenSide");
    QTest::addColumn<float>("divisor");
    QTest::addColumn<int>("unit");
    QTest::newRow("whole divisor") << 600 << 4.0f << 150;
    QTest::newRow("fractional divisor 7.5") << 600 << 7.5f << 80;
    QTest::newRow("truncated, not rounded: 85.7") << 600 << 7.0f << 85;
    QTest::newRow("divisor below 1 enlarges") << 600 << 0.5f << 1200;
    QTest::newRow("negative truncates toward zero") << 600 << -7.0f << -85;
    // No unit can be given: the division leaves int or is not a number.
    QTest::newRow("divisor 0") << 600 << 0.0f << 0;
    QTest::newRow("divisor -0") << 600 << -0.0f << 0;
    QTest::newRow("unit beyond int") << 600 << 1e-7f << 0;
    QTest::newRow("NaN divisor") << 600 << std::numeric_limits<float>::quiet_NaN() << 0;
    QTest::newRow("infinite divisor: zero") << 600 << std::numeric_limits<float>::infinity() << 0;
}

void tst_CommonStyle::scaledScreenUnit()
{
    QFETCH(int, screenSide);
    QFETCH(float, divisor);
    QFETCH(int, unit);
    if (qEnvironmentVariableIsSet("TARSEL_EXPECT_PLATFORM"))
        QSKIP("Rows for the offscreen screen");
    QCOMPARE(App::shorterScreenSide(), screenSide);

    QCOMPARE(CommonStyle::scaledScreenUnit(divisor), unit);
}

// The example of a 1920 by 1080 desktop, which only an X server of that size gives.
void tst_CommonStyle::scaledScreenUnitOnFullHdScreen()
{
    const QString expectedPlatform = qEnvironmentVariable("TARSEL_EXPECT_PLATFORM");
    if (expectedPlatform.isEmpty()) {
        const XvfbRun run = runUnderXvfb({QStringLiteral("scaledScreenUnitOnFullHdScreen")},
                                         QStringLiteral("1920x1080x24"));
        if (!run.started)
            QSKIP("xvfb-run is not installed (package xvfb)");
        QVERIFY2(run.passed, qPrintable(run.output));
        QVERIFY2(run.output.contains(QLatin1String("PASS   : tst_CommonStyle::scaledScreenUnitOnFullHdScreen()")),
                 qPrintable(run.output));
        return;
    }
    QCOMPARE(QGuiApplication::platformName(), expectedPlatform);
    QCOMPARE(App::shorterScreenSide(), 1080);
    QCOMPARE(CommonStyle::scaledScreenUnit(7.5f), 144);
}

QTEST_MAIN(tst_CommonStyle)
#include "tst_CommonStyle.moc"
