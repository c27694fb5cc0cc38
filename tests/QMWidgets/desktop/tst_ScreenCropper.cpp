#include "ChildRun.h"
#include "DesktopStandIn.h"
#include "ModalAnswer.h"
#include "PaintedText.h"
#include "TestApp.h"
#include "WidgetFinder.h"
#include "LinkCatcher.h"

#include "QMWidgets/desktop/ScreenCropper.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

using QMWidgets::ScreenCropper;

class tst_ScreenCropper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cropsTheDraggedPiece_data();
    void cropsTheDraggedPiece();
    void ownerMayDeleteItOnItsSignals_data();
    void ownerMayDeleteItOnItsSignals();
    void helpTextFitsItsBox_data();
    void helpTextFitsItsBox();
    void escapeWhileSelectingCancels();
    void closingTakesItsCursorsAway_data();
    void closingTakesItsCursorsAway();
    void savesUnderTheHomeWithoutDesktop();
    void savesOnTheDesktopWhenItExists();
    void saveRevealsTheFileWhenAsked_data();
    void saveRevealsTheFileWhenAsked();
    void failedSaveWarnsAndIsNotReported();
    void keyAShowsTheAboutBox();

private:
    QImage cropWith(ScreenCropper &cropper, const QPoint &from, const QPoint &to,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    DesktopStandIn *m_desktop = nullptr;
    LinkCatcher m_links{{"file"}};
};

void tst_ScreenCropper::initTestCase()
{
    // The cropper grabs and covers the whole screen: never on a desktop that someone is using.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QFAIL("this test runs only on the offscreen platform");
}

void tst_ScreenCropper::init()
{
    m_desktop = new DesktopStandIn;
    m_desktop->setPicture(DesktopStandIn::pattern(1));
    m_desktop->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_desktop));
    m_links.clear();
}

void tst_ScreenCropper::cleanup()
{
    delete m_desktop;
    m_desktop = nullptr;
    QDir(TestApp::homePath() + "/Desktop").removeRecursively();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

QImage tst_ScreenCropper::cropWith(ScreenCropper &cropper, const QPoint &from, const QPoint &to,
                                   Qt::KeyboardModifiers modifiers)
{
    cropper.grabScreen();
    if (!QTest::qWaitForWindowExposed(&cropper))
        return QImage();
    dragSelection(&cropper, from, to, modifiers);
    return cropper.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

void tst_ScreenCropper::cropsTheDraggedPiece_data()
{
    QTest::addColumn<QSize>("window"); // none: full screen
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("piece");
    QTest::newRow("down and to the right") << QSize() << QPoint(100, 100) << QPoint(299, 149) << QRect(100, 100, 200, 50);
    QTest::newRow("up and to the left gives the same piece") << QSize() << QPoint(299, 149) << QPoint(100, 100)
                                                             << QRect(100, 100, 200, 50);
    QTest::newRow("a plain click gives one pixel") << QSize() << QPoint(40, 30) << QPoint(40, 30) << QRect(40, 30, 1, 1);
    // (0, 0) would stand for the centre in QTest's mouse functions.
    QTest::newRow("up to the screen's last pixel") << QSize() << QPoint(1, 1) << QPoint(799, 599) << QRect(1, 1, 799, 599);
    // An empty rectangle used to copy the whole desktop.
    QTest::newRow("ending one pixel left of the press") << QSize() << QPoint(300, 100) << QPoint(299, 400)
                                                        << QRect(299, 100, 2, 301);
    QTest::newRow("ending one pixel above the press") << QSize() << QPoint(100, 300) << QPoint(400, 299)
                                                      << QRect(100, 299, 301, 2);
    // The desktop is drawn stretched over a smaller window: the piece used to be cut at window coordinates.
    QTest::newRow("half the screen's size") << QSize(400, 300) << QPoint(100, 50) << QPoint(149, 99)
                                            << QRect(200, 100, 100, 100);
    QTest::newRow("three quarters of it") << QSize(600, 450) << QPoint(30, 30) << QPoint(59, 59)
                                          << QRect(40, 40, 40, 40);
    QTest::newRow("a click in a half-size window") << QSize(400, 300) << QPoint(40, 30) << QPoint(40, 30)
                                                   << QRect(80, 60, 2, 2);
}

void tst_ScreenCropper::cropsTheDraggedPiece()
{
    QFETCH(QSize, window);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, piece);

    ScreenCropper cropper;
    if (window.isValid()) {
        cropper.setDisplayMode(2);
        cropper.resize(window);
    }
    QStringList events;
    QImage signalled;
    connect(&cropper, qOverload<QPixmap>(&ScreenCropper::done), [&](const QPixmap &pixmap) {
        events << QStringLiteral("done(QPixmap) hidden=%1").arg(cropper.isHidden());
        signalled = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    });
    connect(&cropper, qOverload<>(&ScreenCropper::done), [&] { events << QStringLiteral("done()"); });

    const QImage cropped = cropWith(cropper, from, to);
    if (window.isValid())
        QCOMPARE(cropper.size(), window);
    else
        QCOMPARE(cropper.geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(events, QStringList({"done(QPixmap) hidden=1", "done()"}));
    const QImage expected = m_desktop->picture().copy(piece);
    QCOMPARE(cropped.size(), piece.size());
    QVERIFY(cropped == expected);
    QVERIFY(signalled == expected);
}

void tst_ScreenCropper::ownerMayDeleteItOnItsSignals_data()
{
    QTest::addColumn<QString>("deletingSignal");
    QTest::addColumn<QStringList>("seen");
    QTest::newRow("on closed()") << "closed()" << QStringList{"closed()"};
    QTest::newRow("on done(QPixmap)") << "done(QPixmap)" << QStringList{"closed()", "done(QPixmap) 100x50"};
}

// The owner deletes the cropper in a slot on one of the signals of a release: the release must read nothing of
// it afterwards (in a process of its own: freed memory aborts the sanitizer build).
void tst_ScreenCropper::ownerMayDeleteItOnItsSignals()
{
    if (ranRowInChild())
        return;
    QFETCH(QString, deletingSignal);
    QFETCH(QStringList, seen);
    QPointer<ScreenCropper> cropper = new ScreenCropper;
    QStringList events;
    const auto owner = [&](const QString &event) {
        events << event;
        if (event.startsWith(deletingSignal))
            delete cropper;
    };
    connect(cropper, &ScreenCropper::closed, [&] { owner("closed()"); });
    connect(cropper, qOverload<QPixmap>(&ScreenCropper::done), [&](const QPixmap &piece) {
        owner(QStringLiteral("done(QPixmap) %1x%2").arg(piece.width()).arg(piece.height()));
    });
    connect(cropper, qOverload<>(&ScreenCropper::done), [&] { owner("done()"); });

    cropper->grabScreen();
    QVERIFY(QTest::qWaitForWindowExposed(cropper));
    dragSelection(cropper, QPoint(100, 100), QPoint(199, 149));
    QVERIFY(cropper.isNull());
    QCOMPARE(events, seen);
}

void tst_ScreenCropper::helpTextFitsItsBox_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QString>("helpText"); // none: the built-in one
    // The box used to be a fifth of the window's height, too low for the text even on this small screen.
    QTest::newRow("full screen") << QSize(800, 600) << QString();
    QTest::newRow("half the screen's size") << QSize(400, 300) << QString();
    QTest::newRow("a small window") << QSize(220, 160) << QString();
    QTest::newRow("a text of one's own") << QSize(400, 300) << QString("Drag over the chart\nEscape cancels");
}

// Text that does not fit the rectangle it is drawn into is clipped to it, and lines are cut off: every line
// must lie inside the box, unclipped.
void tst_ScreenCropper::helpTextFitsItsBox()
{
    QFETCH(QSize, window);
    QFETCH(QString, helpText);
    helpText.replace("\\n", "\n");
    ScreenCropper cropper;
    cropper.setHelpText(helpText);
    cropper.resize(window);
    const QList<PaintedText> lines = paintedTexts(cropper);

    QVERIFY(!lines.isEmpty());
    QString painted;
    for (const PaintedText &line : lines) {
        const auto show = [](const QRectF &r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        const QString where = QStringLiteral("\"%1\" at %2 in the box %3, clipped to %4")
                                  .arg(line.text, show(line.box), show(line.shape), show(line.clip));
        QVERIFY2(QRectF(QPointF(0, 0), window).contains(line.shape), qPrintable(where));
        QVERIFY2(line.shape.contains(line.box), qPrintable(where));
        QVERIFY2(line.clip.isNull(), qPrintable(where));
        painted += line.text + ' ';
    }
    const QString shown = helpText.isEmpty() ? cropper.helpText() : helpText;
    QCOMPARE(painted.simplified(), shown.simplified());
}

void tst_ScreenCropper::escapeWhileSelectingCancels()
{
    ScreenCropper cropper;
    cropper.grabScreen();
    QVERIFY(QTest::qWaitForWindowActive(&cropper));
    QStringList events;
    connect(&cropper, &ScreenCropper::closed, [&] { events << "closed"; });
    connect(&cropper, &ScreenCropper::escaped, [&] { events << "escaped"; });
    connect(&cropper, qOverload<>(&ScreenCropper::done), [&] { events << "done"; });

    QTest::mousePress(&cropper, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::keyClick(&cropper, Qt::Key_Escape);
    QCOMPARE(events, QStringList({"closed", "escaped"}));
    QVERIFY(cropper.isHidden());
}

void tst_ScreenCropper::closingTakesItsCursorsAway_data()
{
    QTest::addColumn<int>("ending");
    QTest::newRow("release") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("slotClose") << 2;
    QTest::newRow("a second grab, then release") << 3;
}

void tst_ScreenCropper::closingTakesItsCursorsAway()
{
    QFETCH(int, ending);
    ScreenCropper cropper;
    cropper.grabScreen();
    QVERIFY(QTest::qWaitForWindowActive(&cropper));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);

    switch (ending) {
    case 0:
        dragSelection(&cropper, QPoint(5, 5), QPoint(20, 20));
        break;
    case 1:
        QTest::keyClick(&cropper, Qt::Key_Escape);
        break;
    case 2:
        cropper.slotClose();
        break;
    case 3:
        cropper.grabScreen();
        dragSelection(&cropper, QPoint(5, 5), QPoint(20, 20));
        break;
    }
    QVERIFY(cropper.isHidden());
    QVERIFY2(!QGuiApplication::overrideCursor(), "a cursor of the cropper stayed on the application's stack");
}

void tst_ScreenCropper::savesUnderTheHomeWithoutDesktop()
{
    ScreenCropper cropper;
    QVERIFY(cropper.helpText().contains("The image file will be saved in Home Location\n"));
    const QImage piece = cropWith(cropper, QPoint(10, 20), QPoint(59, 39));
    QSignalSpy saved(&cropper, &ScreenCropper::saved);
    const QDateTime before = QDateTime::currentDateTime();
    cropper.slotSave();
    QCOMPARE(saved.count(), 1);

    const QStringList files = QDir(TestApp::homePath()).entryList({"ScreenShot_*.png"}, QDir::Files);
    QCOMPARE(files.size(), 1);
    const QDateTime stamp = QDateTime::fromString(files.first().mid(11, 19), "yyyy-MM-dd_hh-mm-ss");
    QVERIFY2(stamp.isValid(), qPrintable(files.first()));
    QVERIFY(qAbs(stamp.secsTo(before)) <= 1);
    QImage reloaded(TestApp::homePath() + '/' + files.first());
    QVERIFY(reloaded.convertToFormat(QImage::Format_RGB32) == piece);
    QVERIFY(QFile::remove(TestApp::homePath() + '/' + files.first()));
    QVERIFY(m_links.links().isEmpty());
}

void tst_ScreenCropper::savesOnTheDesktopWhenItExists()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QVERIFY(QDir().mkpath(desktop));
    ScreenCropper cropper;
    QVERIFY(cropper.helpText().contains("The image file will be saved on Desktop\n"));
    const QImage piece = cropWith(cropper, QPoint(300, 200), QPoint(250, 100));
    cropper.slotSave();
    const QStringList files = QDir(desktop).entryList({"ScreenShot_*.png"}, QDir::Files);
    QCOMPARE(files.size(), 1);
    QVERIFY(QImage(desktop + '/' + files.first()).convertToFormat(QImage::Format_RGB32) == piece);
}

void tst_ScreenCropper::saveRevealsTheFileWhenAsked_data()
{
    QTest::addColumn<bool>("altAtRelease");
    QTest::addColumn<bool>("returnPressed");
    QTest::addColumn<bool>("revealed");
    QTest::newRow("neither") << false << false << false;
    QTest::newRow("Alt held at the release") << true << false << true;
    QTest::newRow("Return pressed while selecting") << false << true << true;
}

void tst_ScreenCropper::saveRevealsTheFileWhenAsked()
{
    QFETCH(bool, altAtRelease);
    QFETCH(bool, returnPressed);
    QFETCH(bool, revealed);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QVERIFY(QDir().mkpath(desktop));
    ScreenCropper cropper;
    cropper.grabScreen();
    QVERIFY(QTest::qWaitForWindowActive(&cropper));
    if (returnPressed)
        QTest::keyClick(&cropper, Qt::Key_Return);
    dragSelection(&cropper, QPoint(1, 1), QPoint(8, 8), altAtRelease ? Qt::AltModifier : Qt::NoModifier);
    cropper.slotSave();
    cropper.slotSave();

    // With no file manager on the machine the file's folder is opened, once for each save.
    QList<QUrl> expected;
    if (revealed)
        expected = {QUrl::fromLocalFile(desktop), QUrl::fromLocalFile(desktop)};
    QCOMPARE(m_links.links(), expected);
}

void tst_ScreenCropper::failedSaveWarnsAndIsNotReported()
{
    ScreenCropper cropper;
    cropWith(cropper, QPoint(10, 10), QPoint(20, 20));
    // Folders at the names the next few seconds give leave no way to write the file.
    const QDateTime now = QDateTime::currentDateTime();
    QStringList names;
    for (int second = 0; second < 3; ++second) {
        names << TestApp::homePath() + "/ScreenShot_" + now.addSecs(second).toString("yyyy-MM-dd_hh-mm-ss") + ".png";
        QVERIFY(QDir().mkpath(names.last()));
    }
    QSignalSpy saved(&cropper, &ScreenCropper::saved);
    QString warning;
    answerNextModal(this, [&warning](QWidget *box) {
        for (QLabel *label : box->findChildren<QLabel *>())
            warning += label->text();
        box->findChild<QPushButton *>()->click();
    });
    cropper.slotSave();
    QCOMPARE(saved.count(), 0);
    const bool namesTheFile = std::any_of(names.cbegin(), names.cend(), [&](const QString &name) {
        return warning.contains(QDir::toNativeSeparators(name));
    });
    QVERIFY2(namesTheFile, qPrintable(warning));
    for (const QString &name : names)
        QDir(name).removeRecursively();
}

void tst_ScreenCropper::keyAShowsTheAboutBox()
{
    ScreenCropper cropper;
    cropper.grabScreen();
    QVERIFY(QTest::qWaitForWindowActive(&cropper));
    QString shown;
    answerNextModal(this, [&shown](QWidget *box) {
        shown = box->objectName();
        findButton(box, "&Ok")->click();
    });
    QTest::keyClick(&cropper, Qt::Key_A);
    QCOMPARE(shown, QString("AboutDialog"));
    QVERIFY(!QApplication::activeModalWidget());
    // The box leaves the selection as it was.
    QVERIFY(cropper.isVisible());
}

TARSEL_APP_TEST_MAIN(tst_ScreenCropper)
#include "tst_ScreenCropper.moc"
