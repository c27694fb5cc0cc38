#include "TestApp.h"

#include "QMWidgets/ScreenLocker.h"

#include <QPushButton>
#include <QTimer>

using QMWidgets::ScreenLocker;

class tst_ScreenLocker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void locksByItselfAfterConstruction();
    void unlockUnlocksForGood();
    void lockingAgain_data();
    void lockingAgain();
    void destroyingLeavesNoGrab();

private:
    static QPushButton *unlockButton(ScreenLocker &locker) { return locker.findChild<QPushButton *>(); }
    // The timer that asserts the lock; stopped, the lock cannot come back by itself.
    static QTimer *relockTimer(ScreenLocker &locker) { return locker.findChild<QTimer *>(); }
};

void tst_ScreenLocker::initTestCase()
{
    // On X11 the grabs take the whole display's keyboard and mouse, not just this program's windows.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QFAIL("this test runs only on the offscreen platform: the locker would grab the real keyboard and mouse");
}

void tst_ScreenLocker::locksByItselfAfterConstruction()
{
    ScreenLocker locker;
    QPushButton *button = unlockButton(locker);
    QCOMPARE(button->text(), QString("Unlock"));
    QVERIFY(!QWidget::keyboardGrabber());

    QTRY_COMPARE(QWidget::keyboardGrabber(), button);
    QCOMPARE(QWidget::mouseGrabber(), button);
    QVERIFY(locker.isFullScreen());
    QVERIFY(locker.isVisible());
    QCOMPARE(locker.windowFlags(), Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    QVERIFY(button->isHidden());
}

void tst_ScreenLocker::unlockUnlocksForGood()
{
    ScreenLocker locker;
    QPushButton *button = unlockButton(locker);
    QTRY_COMPARE(QWidget::mouseGrabber(), button);
    locker.showUnlockButton();
    QVERIFY(button->isVisible());
    QSignalSpy unlocked(&locker, &ScreenLocker::unlocked);

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(unlocked.count(), 1);
    QVERIFY(!QWidget::keyboardGrabber());
    QVERIFY(!QWidget::mouseGrabber());
    QVERIFY(!relockTimer(locker)->isActive());

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(unlocked.count(), 2);
    QVERIFY(!QWidget::mouseGrabber());
}

void tst_ScreenLocker::lockingAgain_data()
{
    QTest::addColumn<QString>("slot");
    QTest::newRow("slotLock") << "slotLock";
    QTest::newRow("slotTest") << "slotTest";
    QTest::newRow("slotCheck") << "slotCheck";
}

void tst_ScreenLocker::lockingAgain()
{
    QFETCH(QString, slot);
    ScreenLocker locker;
    QPushButton *button = unlockButton(locker);
    locker.slotReleaseInputDevices();
    QVERIFY(!QWidget::keyboardGrabber());

    QVERIFY(QMetaObject::invokeMethod(&locker, qPrintable(slot)));
    QCOMPARE(QWidget::keyboardGrabber(), button);
    QCOMPARE(QWidget::mouseGrabber(), button);
    QVERIFY(locker.isFullScreen());
    QVERIFY(relockTimer(locker)->isActive());
    QCOMPARE(relockTimer(locker)->interval(), 10);
    locker.slotReleaseInputDevices();
}

void tst_ScreenLocker::destroyingLeavesNoGrab()
{
    auto *locker = new ScreenLocker;
    QTRY_VERIFY(QWidget::mouseGrabber());
    delete locker;
    QVERIFY(!QWidget::keyboardGrabber());
    QVERIFY(!QWidget::mouseGrabber());
}

TARSEL_APP_TEST_MAIN(tst_ScreenLocker)
#include "tst_ScreenLocker.moc"
