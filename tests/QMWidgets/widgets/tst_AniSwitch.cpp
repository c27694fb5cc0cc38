#include "HangBound.h"
#include "TestApp.h"
#include "WidgetPaint.h"

#include "QMWidgets/widgets/AniSwitch.h"
#include "QMWidgets/widgets/CheckButton.h"
#include "resources/Resources.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>

using QMWidgets::AniSwitch;
using QMWidgets::CheckButton;

namespace {

const int SwitchWidth = 200;
const int SwitchHeight = 40;

QPushButton *part(AniSwitch &sw, const char *name)
{
    return sw.findChild<QPushButton *>(QString::fromLatin1(name));
}

// Clicks the window at the centre of the widget, so the click goes to whatever lies on top there, as a
// user's click does.
void clickOver(QWidget *widget)
{
    QWidget *window = widget->window();
    const QPoint at = widget->mapTo(window, widget->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

// A shown switch of 200 x 40 whose state machine has entered its first state.
bool showSwitch(AniSwitch &sw, bool withIcon, bool on)
{
    sw.resize(SwitchWidth, SwitchHeight);
    sw.setupSwitch(withIcon, on);
    sw.show();
    return QTest::qWaitForWindowExposed(&sw);
}

// The same in the application style, its handle at rest on the side of the state, and the picture of it.
bool showStyledSwitch(AniSwitch &sw, bool on, QImage *image)
{
    Resources::init();
    sw.setStyleSheet(Resources::styleSheet());
    if (!showSwitch(sw, true, on))
        return false;
    QPushButton *handle = part(sw, "AniSwitchHandler");
    if (!QTest::qWaitFor([&] { return handle->pos() == QPoint(on ? handle->width() : 0, 0); }))
        return false;
    *image = sw.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return true;
}

} // namespace

class tst_AniSwitch : public QObject
{
    Q_OBJECT

private slots:
    void clickSlidesHandle_data();
    void clickSlidesHandle();
    void withoutIconHandleIsHalfWide();
    void settersChangeOnlyRealChanges();
    void unbuiltSwitchIgnoresSetters();
    void secondSetupBuildsNothing();
    void stateSetRightAfterSetupIsKept();
    void deletedWhileSliding();
    void styledHandleStandsOut();
    void styledTrackIsOnePiece_data();
    void styledTrackIsOnePiece();
    void styledSwitchIsOneBar_data();
    void styledSwitchIsOneBar();
};

// With the icon the track is 160 wide and the handle 80: it covers one area and leaves the other free.
void tst_AniSwitch::clickSlidesHandle_data()
{
    QTest::addColumn<bool>("startOn");
    QTest::addColumn<QString>("target");
    QTest::newRow("free off-area switches on") << false << "AniSwitchOffArea";
    QTest::newRow("free on-area switches off") << true << "AniSwitchOnArea";
    QTest::newRow("handle switches on") << false << "AniSwitchHandler";
    QTest::newRow("handle switches off") << true << "AniSwitchHandler";
    QTest::newRow("icon switches on") << false << "AniSwitchIcon";
    QTest::newRow("icon switches off") << true << "AniSwitchIcon";
    // The handle lies over the area on its side, so a click there goes to the handle.
    QTest::newRow("covered on-area reaches the handle") << false << "AniSwitchOnArea";
}

void tst_AniSwitch::clickSlidesHandle()
{
    QFETCH(bool, startOn);
    QFETCH(QString, target);
    AniSwitch sw;
    QVERIFY(showSwitch(sw, true, startOn));
    QPushButton *handle = part(sw, "AniSwitchHandler");
    QVERIFY(handle);
    QCOMPARE(handle->size(), QSize(SwitchWidth / 2 - SwitchHeight / 2, SwitchHeight));
    const int onX = handle->width();
    QTRY_COMPARE_WITH_TIMEOUT(handle->pos(), QPoint(startOn ? onX : 0, 0), HangBoundMs);
    QCOMPARE(sw.isOn(), startOn);
    QSignalSpy toggled(&sw, &AniSwitch::toggled);

    QElapsedTimer clock;
    clock.start();
    clickOver(sw.findChild<QWidget *>(target));

    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), !startOn);
    QCOMPARE(sw.isOn(), !startOn);
    // The slide takes its 400 ms (less a margin for the animation clock): the handle cannot arrive sooner,
    // however busy the machine is.
    QTRY_COMPARE_WITH_TIMEOUT(handle->pos(), QPoint(startOn ? 0 : onX, 0), HangBoundMs);
    QVERIFY2(clock.elapsed() >= 350, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(toggled.count(), 1);
}

void tst_AniSwitch::withoutIconHandleIsHalfWide()
{
    AniSwitch sw;
    QVERIFY(showSwitch(sw, false, false));
    QPushButton *handle = part(sw, "AniSwitchHandler");
    QVERIFY(!part(sw, "AniSwitchIcon")->isVisible());
    QCOMPARE(handle->size(), QSize(SwitchWidth / 2, SwitchHeight));

    clickOver(handle);
    QTRY_COMPARE_WITH_TIMEOUT(handle->pos(), QPoint(SwitchWidth / 2, 0), HangBoundMs);
    QVERIFY(sw.isOn());
}

void tst_AniSwitch::settersChangeOnlyRealChanges()
{
    AniSwitch sw;
    QVERIFY(showSwitch(sw, true, true));
    QPushButton *handle = part(sw, "AniSwitchHandler");
    QTRY_COMPARE_WITH_TIMEOUT(handle->x(), handle->width(), HangBoundMs);
    QSignalSpy toggled(&sw, &AniSwitch::toggled);

    sw.setOn(true);
    sw.slotSetOn();
    QCOMPARE(toggled.count(), 0);

    sw.slotSetOff();
    QCOMPARE(toggled.count(), 1);
    QVERIFY(!sw.isOn());
    QTRY_COMPARE_WITH_TIMEOUT(handle->x(), 0, HangBoundMs);

    sw.setOn(true);
    QCOMPARE(toggled.count(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(handle->x(), handle->width(), HangBoundMs);
}

void tst_AniSwitch::unbuiltSwitchIgnoresSetters()
{
    AniSwitch sw;
    QSignalSpy toggled(&sw, &AniSwitch::toggled);
    sw.setOn(true);
    sw.slotSetOn();
    sw.slotSetOff();
    QVERIFY(!sw.isOn());
    QCOMPARE(toggled.count(), 0);
    QVERIFY(sw.findChildren<QWidget *>().isEmpty());
}

void tst_AniSwitch::secondSetupBuildsNothing()
{
    AniSwitch sw;
    QVERIFY(showSwitch(sw, true, false));
    const int parts = sw.findChildren<QWidget *>().size();

    sw.resize(400, 80);
    sw.setupSwitch(false, true);

    QCOMPARE(sw.findChildren<QWidget *>().size(), parts);
    QVERIFY(!sw.isOn());
    QCOMPARE(part(sw, "AniSwitchHandler")->size(), QSize(80, 40));
    QVERIFY(part(sw, "AniSwitchIcon")->isVisible());
}

// The machine enters its first state only when the event loop runs; a state set before that counts.
void tst_AniSwitch::stateSetRightAfterSetupIsKept()
{
    AniSwitch sw;
    sw.resize(SwitchWidth, SwitchHeight);
    sw.setupSwitch(true, true);
    QVERIFY(sw.isOn());
    sw.setOn(false);
    sw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sw));
    QCoreApplication::processEvents();
    QVERIFY(!sw.isOn());
    QPushButton *handle = part(sw, "AniSwitchHandler");
    QCOMPARE(handle->x(), 0);

    // And the machine follows from the state it was moved to.
    clickOver(handle);
    QVERIFY(sw.isOn());
    QTRY_COMPARE_WITH_TIMEOUT(handle->x(), handle->width(), HangBoundMs);
}

void tst_AniSwitch::deletedWhileSliding()
{
    auto sw = new AniSwitch;
    QVERIFY(showSwitch(*sw, true, false));
    QPointer<QPushButton> handle = part(*sw, "AniSwitchHandler");
    sw->slotSetOn();
    QTRY_VERIFY_WITH_TIMEOUT(handle->x() > 0, HangBoundMs);
    delete sw;
    QVERIFY(handle.isNull());

    // A whole slide of another switch gives a stale animation every chance to touch the freed handle.
    AniSwitch other;
    QVERIFY(showSwitch(other, true, false));
    other.slotSetOn();
    QTRY_COMPARE_WITH_TIMEOUT(part(other, "AniSwitchHandler")->x(), 80, HangBoundMs);
}

// The parts are flat buttons: only the application style sheet tells the handle from the track behind it and
// shows the icon's state.
void tst_AniSwitch::styledHandleStandsOut()
{
    for (const bool on : {false, true}) {
        AniSwitch sw;
        QImage image;
        QVERIFY(showStyledSwitch(sw, on, &image));
        QPushButton *handle = part(sw, "AniSwitchHandler");
        const QPoint handleCentre = handle->mapTo(&sw, handle->rect().center());
        // The track's far end from the handle: the off area when off, the on area when on.
        const QPoint freeTrack = on ? QPoint(SwitchHeight + 3, SwitchHeight / 2)
                                    : QPoint(SwitchWidth - 3, SwitchHeight / 2);
        QVERIFY(image.pixel(handleCentre) != image.pixel(freeTrack));
        QVERIFY(image.pixel(handleCentre) != image.pixel(QPoint(SwitchHeight / 2, SwitchHeight / 2)));
    }
}

void tst_AniSwitch::styledTrackIsOnePiece_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("off: the free half at the right") << false;
    QTest::newRow("on: the free half at the left") << true;
}

// The click areas sit at the ends of the track with room between them: the free half of the track must read
// as one colour from the handle to its end, with no gap showing what lies behind the switch.
void tst_AniSwitch::styledTrackIsOnePiece()
{
    QFETCH(bool, on);
    AniSwitch sw;
    QImage image;
    QVERIFY(showStyledSwitch(sw, on, &image));

    QPushButton *handle = part(sw, "AniSwitchHandler");
    const QRect handleArea(handle->mapTo(&sw, QPoint(0, 0)), handle->size());
    // A few pixels off the handle and the track's rounded ends.
    const int from = on ? SwitchHeight + 5 : handleArea.right() + 3;
    const int to = on ? handleArea.left() - 3 : SwitchWidth - 5;
    const int y = SwitchHeight / 2;
    const QRgb half = image.pixel(from, y);
    for (int x = from; x <= to; ++x) {
        const QString seen = QStringLiteral("x %1: %2, not %3").arg(x).arg(describePixel(image.pixel(x, y)),
                                                                          describePixel(half));
        QVERIFY2(image.pixel(x, y) == half, qPrintable(seen));
    }
}

void tst_AniSwitch::styledSwitchIsOneBar_data()
{
    QTest::addColumn<bool>("withIcon");
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("inDialog");
    for (const bool inDialog : {false, true}) {
        const char *where = inDialog ? ", in a dialog" : "";
        QTest::addRow("icon, off%s", where) << true << false << inDialog;
        QTest::addRow("icon, on%s", where) << true << true << inDialog;
        QTest::addRow("no icon, off%s", where) << false << false << inDialog;
        QTest::addRow("no icon, on%s", where) << false << true << inDialog;
    }
}

// In the application style the icon, the track and the handle form one bar: between its outer rounded ends
// nothing behind the switch shows through, not at the icon's joint nor at the handle's rounded corners, and
// while off no on colour peeks out around the handle, and the handle rests visibly against the icon end.
void tst_AniSwitch::styledSwitchIsOneBar()
{
    QFETCH(bool, withIcon);
    QFETCH(bool, on);
    QFETCH(bool, inDialog);
    Resources::init();
    // The dialog's own rules for the kit's buttons apply to the switch's parts too.
    QDialog dialog;
    QWidget plain;
    QWidget &host = inDialog ? static_cast<QWidget &>(dialog) : plain;
    host.setStyleSheet(Resources::styleSheet());
    // Magenta right behind the switch, to see where it lets through what lies behind it.
    auto *backdrop = new QWidget(&host);
    backdrop->setObjectName("Backdrop");
    backdrop->setStyleSheet("QWidget#Backdrop{background: rgb(255, 0, 255);}");
    backdrop->setGeometry(0, 0, SwitchWidth, SwitchHeight);
    host.resize(SwitchWidth, SwitchHeight);
    auto *sw = new AniSwitch(backdrop);
    sw->resize(SwitchWidth, SwitchHeight);
    sw->setupSwitch(withIcon, on);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QPushButton *handle = part(*sw, "AniSwitchHandler");
    QTRY_COMPARE_WITH_TIMEOUT(handle->x(), on ? handle->width() : 0, HangBoundMs);
    const QImage image = backdrop->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The backdrop shows at the switch's outer rounded ends.
    QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 255));

    const auto behind = [](QRgb p) { return qRed(p) - qGreen(p) > 40 && qBlue(p) - qGreen(p) > 40; };
    const auto green = [](QRgb p) { return qGreen(p) - qRed(p) > 40 && qGreen(p) - qBlue(p) > 40; };
    for (const int y : {0, 1, SwitchHeight - 2, SwitchHeight - 1}) {
        for (int x = 5; x < SwitchWidth - 5; ++x) {
            const QRgb p = image.pixel(x, y);
            const QString where = QStringLiteral("(%1, %2): %3").arg(x).arg(y).arg(describePixel(p));
            QVERIFY2(!behind(p), qPrintable(where));
        }
    }
    // Off, the handle rests against the icon end. In the track's grey that end read as more track and the
    // handle seemed to float a bar's height from the left end: the end differs from the track at 3:1, as a part
    // of a control must from what lies beside it.
    if (withIcon && !on) {
        const QRgb end = image.pixel(SwitchHeight - 3, SwitchHeight / 2);
        const QRgb track = image.pixel(handle->mapTo(sw, QPoint(handle->width(), 0)).x() + 3, SwitchHeight / 2);
        const double ratio = contrastRatio(QColor(end), QColor(track));
        QVERIFY2(ratio >= 3, qPrintable(QStringLiteral("end %1, track %2: %3:1")
                                            .arg(describePixel(end), describePixel(track))
                                            .arg(ratio, 0, 'f', 2)));
    }
    if (!on) {
        for (int y = 0; y < SwitchHeight; ++y) {
            for (int x = 0; x < SwitchWidth; ++x) {
                const QRgb p = image.pixel(x, y);
                const QString where = QStringLiteral("(%1, %2): %3").arg(x).arg(y).arg(describePixel(p));
                QVERIFY2(!green(p), qPrintable(where));
            }
        }
    }
}

TARSEL_APP_TEST_MAIN(tst_AniSwitch)
#include "tst_AniSwitch.moc"
