#include "ChildRun.h"
#include "DesktopStandIn.h"
#include "ModalAnswer.h"
#include "TestApp.h"
#include "WidgetFinder.h"

#include "QMWidgets/desktop/ScreenMeasurer.h"

#include <QPointer>
#include <QPushButton>
#include <QScreen>

using QMWidgets::ScreenCropper;
using QMWidgets::ScreenMeasurer;

class tst_ScreenMeasurer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void measuresTheDraggedRectangle_data();
    void measuresTheDraggedRectangle();
    void grabReportsDoneWithoutShowing();
    void ownerMayDeleteItOnDone();
    void closingReportsQuit_data();
    void closingReportsQuit();
    void secondGrabShowsTheNewDesktop();
    void cursorFollowsThePointer();
    void keyAShowsTheAboutBox();

private:
    // Shown as a normal window smaller than the screen, so the stand-in stays the desktop that is grabbed.
    void showSmall(ScreenMeasurer &measurer);

    DesktopStandIn *m_desktop = nullptr;
};

void tst_ScreenMeasurer::initTestCase()
{
    // The measurer grabs the screen and takes the cursor: never on a desktop that someone is using.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QFAIL("this test runs only on the offscreen platform");
}

void tst_ScreenMeasurer::init()
{
    m_desktop = new DesktopStandIn;
    m_desktop->setPicture(DesktopStandIn::pattern(1));
    m_desktop->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_desktop));
}

void tst_ScreenMeasurer::cleanup()
{
    delete m_desktop;
    m_desktop = nullptr;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void tst_ScreenMeasurer::showSmall(ScreenMeasurer &measurer)
{
    measurer.setGeometry(100, 100, 400, 300);
    measurer.show();
    QVERIFY(QTest::qWaitForWindowActive(&measurer));
}

void tst_ScreenMeasurer::measuresTheDraggedRectangle_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("size");
    QTest::newRow("down and to the right") << QPoint(100, 100) << QPoint(299, 149) << "200x50";
    QTest::newRow("up and to the left measures the same") << QPoint(299, 149) << QPoint(100, 100) << "200x50";
    QTest::newRow("up and to the right") << QPoint(100, 149) << QPoint(299, 100) << "200x50";
    QTest::newRow("a plain click is one pixel") << QPoint(40, 30) << QPoint(40, 30) << "1x1";
    QTest::newRow("a few pixels high") << QPoint(10, 50) << QPoint(309, 52) << "300x3";
}

void tst_ScreenMeasurer::measuresTheDraggedRectangle()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, size);
    ScreenMeasurer measurer;
    measurer.grabScreen();
    showSmall(measurer);

    QTest::mousePress(&measurer, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, measurer.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&measurer, &move);
    QCOMPARE(measurer.sizeText(), size);
    // The label is painted while measuring, whichever place it takes.
    QVERIFY(!measurer.grab().isNull());
    QTest::mouseRelease(&measurer, Qt::LeftButton, Qt::NoModifier, to);
    QCOMPARE(measurer.sizeText(), size);
}

void tst_ScreenMeasurer::grabReportsDoneWithoutShowing()
{
    ScreenMeasurer measurer;
    QSignalSpy done(&measurer, SIGNAL(done()));
    QSignalSpy doneWithPiece(&measurer, SIGNAL(done(QPixmap)));
    measurer.grabScreen();
    QCOMPARE(done.count(), 1);
    QVERIFY(measurer.isHidden());

    showSmall(measurer);
    dragSelection(&measurer, QPoint(10, 10), QPoint(50, 50));
    QCOMPARE(done.count(), 1);
    QCOMPARE(doneWithPiece.count(), 0);
    QVERIFY(measurer.isVisible());
}

// The grab went on with the measurer after done(): an owner that deleted it there made it read freed memory
// (in a process of its own: that aborts the sanitizer build).
void tst_ScreenMeasurer::ownerMayDeleteItOnDone()
{
    if (ranRowInChild())
        return;
    QPointer<ScreenMeasurer> measurer = new ScreenMeasurer;
    int done = 0;
    connect(measurer, &ScreenMeasurer::done, [&] {
        ++done;
        delete measurer;
    });
    measurer->grabScreen();
    QCOMPARE(done, 1);
    QVERIFY(measurer.isNull());
    QVERIFY2(!QGuiApplication::overrideCursor(), "a cursor of the measurer stayed on the application's stack");
}

void tst_ScreenMeasurer::closingReportsQuit_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("slotClose") << false;
    QTest::newRow("Escape") << true;
}

void tst_ScreenMeasurer::closingReportsQuit()
{
    QFETCH(bool, byEscape);
    ScreenMeasurer measurer;
    measurer.grabScreen();
    showSmall(measurer);
    QStringList events;
    connect(&measurer, &ScreenMeasurer::doQuit, [&] { events << "doQuit"; });
    connect(&measurer, &ScreenCropper::closed, [&] { events << "closed"; });
    connect(&measurer, &ScreenCropper::escaped, [&] { events << "escaped"; });
    if (byEscape)
        QTest::keyClick(&measurer, Qt::Key_Escape);
    else
        measurer.slotClose();
    QCOMPARE(events, byEscape ? QStringList({"doQuit", "escaped"}) : QStringList({"doQuit"}));
    QVERIFY(measurer.isHidden());
    QVERIFY2(!QGuiApplication::overrideCursor(), "a cursor of the measurer stayed on the application's stack");
}

void tst_ScreenMeasurer::secondGrabShowsTheNewDesktop()
{
    ScreenMeasurer measurer;
    measurer.grabScreen();
    showSmall(measurer);
    // The 800 x 600 desktop is centred in the 400 x 300 window; its top-left corner stays clear of the help
    // box, which grows to two thirds of the window's height to hold its text.
    const QRect corner(0, 0, 100, 40);
    const QRect shownPart = corner.translated(200, 150);
    QImage shown = measurer.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(shown.copy(corner) == m_desktop->picture().copy(shownPart));

    m_desktop->setPicture(DesktopStandIn::pattern(2));
    measurer.grabScreen();
    shown = measurer.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY2(shown.copy(corner) == m_desktop->picture().copy(shownPart), "the previous desktop is still shown");
}

void tst_ScreenMeasurer::cursorFollowsThePointer()
{
    ScreenMeasurer measurer;
    measurer.grabScreen();
    showSmall(measurer);
    QVERIFY(QGuiApplication::overrideCursor());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&measurer, &leave);
    QVERIFY2(!QGuiApplication::overrideCursor(), "a cursor of the measurer stayed after the pointer left");

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&measurer, &enter);
    QApplication::sendEvent(&measurer, &enter);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QApplication::sendEvent(&measurer, &leave);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_ScreenMeasurer::keyAShowsTheAboutBox()
{
    ScreenMeasurer measurer;
    measurer.grabScreen();
    showSmall(measurer);
    QString shown;
    answerNextModal(this, [&shown](QWidget *box) {
        shown = box->objectName();
        findButton(box, "&Ok")->click();
    });
    QTest::keyClick(&measurer, Qt::Key_A);
    QCOMPARE(shown, QString("AboutDialog"));
    QVERIFY(measurer.isVisible());
}

TARSEL_APP_TEST_MAIN(tst_ScreenMeasurer)
#include "tst_ScreenMeasurer.moc"
