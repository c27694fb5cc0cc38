#include "MTools/Delay.h"

#include "HangBound.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

class tst_Delay : public QObject
{
    Q_OBJECT

private slots:
    void waitsItsTimeWhileEventsRun();
    void zeroReturnsAfterOnePass();
    void negativeReturnsAtOnce_data();
    void negativeReturnsAtOnce();
    void cancelEndsTheWait();
    void waitInEventLoopWaitsItsTime();
};

void tst_Delay::waitsItsTimeWhileEventsRun()
{
    bool timerFired = false;
    QTimer::singleShot(10, [&timerFired] { timerFired = true; });
    QElapsedTimer clock;
    clock.start();
    MTools::Delay().wait(80);
    QVERIFY2(clock.elapsed() >= 79, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(timerFired, "a timer due during the wait did not fire");
}

void tst_Delay::zeroReturnsAfterOnePass()
{
    bool posted = false;
    QTimer::singleShot(0, [&posted] { posted = true; });
    MTools::Delay().wait(0);
    QVERIFY(posted);
}

void tst_Delay::negativeReturnsAtOnce_data()
{
    QTest::addColumn<bool>("withObject");
    QTest::newRow("Delay::wait") << true;
    QTest::newRow("waitInEventLoop") << false;
}

// The single-shot timer refuses a negative time, so nothing would ever leave the loop.
void tst_Delay::negativeReturnsAtOnce()
{
    QFETCH(bool, withObject);
    // Ends a wait that did not return by itself, and says so; the plain function's wait has no handle, and
    // CTest's timeout ends it.
    bool hung = false;
    if (withObject) {
        MTools::Delay delay;
        QTimer::singleShot(HangBoundMs, &delay, [&] {
            hung = true;
            delay.cancel();
        });
        delay.wait(-5);
    } else {
        MTools::waitInEventLoop(-5);
    }
    QVERIFY(!hung);
}

void tst_Delay::cancelEndsTheWait()
{
    MTools::Delay delay;
    QTimer::singleShot(20, &delay, &MTools::Delay::cancel);
    // A wait that the cancel missed runs into this second cancel.
    bool missed = false;
    QTimer::singleShot(HangBoundMs, &delay, [&] {
        missed = true;
        delay.cancel();
    });
    delay.wait(10 * HangBoundMs);
    QVERIFY(!missed);
}

void tst_Delay::waitInEventLoopWaitsItsTime()
{
    QElapsedTimer clock;
    clock.start();
    MTools::waitInEventLoop(60);
    QVERIFY2(clock.elapsed() >= 59, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(tst_Delay)
#include "tst_Delay.moc"
