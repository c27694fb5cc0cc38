#include "QMWidgets/App.h"
#include "QMWidgets/CommonStyle.h"

#include <QtTest>

using QMWidgets::App;
using QMWidgets::CommonStyle;

class tst_CommonStyle : public QObject
{
    Q_OBJECT

private slots:
    void scaledScreenUnit_data();
    void scaledScreenUnit();
};

// The divisor is given as a fraction, so the expected unit comes from integer division, which truncates
// toward zero as the unit must.
void tst_CommonStyle::scaledScreenUnit_data()
{
    QTest::addColumn<float>("divisor");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::newRow("whole divisor") << 4.0f << 1 << 4;
    QTest::newRow("fractional divisor 7.5") << 7.5f << 2 << 15;
    QTest::newRow("truncated, not rounded") << 7.0f << 1 << 7; // 600 / 7 is 85.7 on the offscreen screen
    QTest::newRow("divisor below 1 enlarges") << 0.5f << 2 << 1;
    QTest::newRow("negative truncates toward zero") << -7.0f << -1 << 7;
}

void tst_CommonStyle::scaledScreenUnit()
{
    QFETCH(float, divisor);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    const int side = App::shorterScreenSide();

    QCOMPARE(CommonStyle::scaledScreenUnit(divisor), side * numerator / denominator);
}

QTEST_MAIN(tst_CommonStyle)
#include "tst_CommonStyle.moc"
