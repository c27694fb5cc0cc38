#include "HangBound.h"
#include "ShortcutWindow.h"
#include "TestApp.h"

#include "QMWidgets/desktop/ScreenLocker.h"

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
    void keysNeverUnlock_data();
    void keysNeverUnlock();
    void destroyingLeavesNoGrab();
    void noShortcutFiresWhileLocked();

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

    QTRY_COMPARE_WITH_TIMEOUT(QWidget::keyboardGrabber(), button, HangBoundMs);
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
    QTRY_COMPARE_WITH_TIMEOUT(QWidget::mouseGrabber(), button, HangBoundMs);
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

void tst_ScreenLocker::keysNeverUnlock_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    // Space clicked the hidden button that the grabs feed.
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Alt+F4") << int(Qt::Key_F4) << int(Qt::AltModifier);
}

void tst_ScreenLocker::keysNeverUnlock()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ScreenLocker locker;
    QPushButton *button = unlockButton(locker);
    QSignalSpy unlocked(&locker, &ScreenLocker::unlocked);
    QTRY_COMPARE_WITH_TIMEOUT(QWidget::keyboardGrabber(), button, HangBoundMs);
    // As the platform delivers it, and straight into the widget that takes the keys under the grab.
    QTest::keyClick(locker.windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyClick(QWidget::keyboardGrabber(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(unlocked.count(), 0);
    QCOMPARE(QWidget::keyboardGrabber(), button);
    QCOMPARE(QWidget::mouseGrabber(), button);
    QVERIFY(relockTimer(locker)->isActive());

    locker.showUnlockButton();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(unlocked.count(), 1);
    QVERIFY(!QWidget::keyboardGrabber());
}

void tst_ScreenLocker::destroyingLeavesNoGrab()
{
    auto *locker = new ScreenLocker;
    QTRY_VERIFY_WITH_TIMEOUT(QWidget::mouseGrabber(), HangBoundMs);
    delete locker;
    QVERIFY(!QWidget::keyboardGrabber());
    QVERIFY(!QWidget::mouseGrabber());
}

// An application-wide shortcut of another window went through the shortcut map past both grabs.
void tst_ScreenLocker::noShortcutFiresWhileLocked()
{
    ShortcutWindow other(QKeySequence(QStringLiteral("Ctrl+W")), Qt::ApplicationShortcut);
    QVERIFY(other.showActive());
    {
        ScreenLocker locker;
        QTRY_COMPARE_WITH_TIMEOUT(QWidget::keyboardGrabber(), unlockButton(locker), HangBoundMs);
        QTest::keyClick(locker.windowHandle(), Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(other.windowHandle(), Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(&other, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(other.triggered(), 0);

        locker.slotReleaseInputDevices();
        QTest::keyClick(&other, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(other.triggered(), 1);
        locker.slotLock();
        QTest::keyClick(&other, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(other.triggered(), 1);
    }
    // Gone, the locker blocks nothing.
    QVERIFY(other.showActive());
    QTest::keyClick(&other, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(other.triggered(), 2);
}

TARSEL_APP_TEST_MAIN(tst_ScreenLocker)
#include "tst_ScreenLocker.moc"
