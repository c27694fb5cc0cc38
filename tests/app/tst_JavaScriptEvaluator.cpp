#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "resources/Resources.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include "JavaScriptEvaluatorFixtures.h"
#include "ButtonLookup.h"
#include "ChildRun.h"
#include "HangBound.h"
#include "LinkCatcher.h"
#include "PaintedText.h"
#include "ScaledRun.h"
#include "TestApp.h"
#include "WidgetPaint.h"

#include <QDialog>
#include <QPointer>
#include <QUrlQuery>
#include <QPushButton>
#include <QScopeGuard>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <memory>

using namespace EvaluatorTest;

namespace {

// The windows that New and the examples open have no parent; the test owns them.
std::unique_ptr<JavaScriptEvaluator> takeOtherWindow(const JavaScriptEvaluator *known)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        auto *window = qobject_cast<JavaScriptEvaluator *>(widget);
        if (window && window != known && window->isVisible())
            return std::unique_ptr<JavaScriptEvaluator>(window);
    }
    return nullptr;
}

} // namespace

class tst_JavaScriptEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void freshWindowHasDefaultSize();
    void promotionBarOfThisWindow();
    void toolBarCaptionsKeepApart();
    void runItemRunsScript();
    void scriptWindowOutlivesDeleteLater();
    void newOpensWindowBesideThisOne();
    void examplesPrintTheirResults_data();
    void examplesPrintTheirResults();
    void nextWindowOpensAtLastSize();
    void findItemShowsTheFindBar();
    void scriptCannotDeleteAWindow_data();
    void scriptCannotDeleteAWindow();
    void disabledCommandsLookDisabled();
    void toolBarPicturesShowTheirDetail();
    void windowFitsTheScreen();
    void windowFitsTheScaledScreen_data();
    void windowFitsTheScaledScreen();
    void runSignalsFromAScriptChangeNoControl_data();
    void runSignalsFromAScriptChangeNoControl();
};

void tst_JavaScriptEvaluator::runItemRunsScript()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("printout('six sevens: ' + 6 * 7);"));

    clickItem(&window, QStringLiteral("Run"));
    QTRY_VERIFY_WITH_TIMEOUT(!editorOf(&window)->isEvaluating(), HangBoundMs);
    QCOMPARE(outputOf(&window), QStringLiteral("six sevens: 42"));
}

// The window holds its script window by pointer and passes the tool bar's commands to it.
void tst_JavaScriptEvaluator::scriptWindowOutlivesDeleteLater()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("var w = parent(editorOf(output)); printout(className(w)); w.deleteLater();\n"
                                  "function editorOf(o) { while (className(o) != 'QMMistlark::Editor') o = parent(o);"
                                  " return o; }"));
    clickItem(&window, QStringLiteral("Run"));
    QTRY_VERIFY_WITH_TIMEOUT(!editorOf(&window)->isEvaluating(), HangBoundMs);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(outputOf(&window),
             QStringLiteral("JSMainWindow\nA script may not delete a part of the script window: it stays."));

    window.setText(QStringLiteral("printout('again');"));
    clickItem(&window, QStringLiteral("Run"));
    QTRY_COMPARE_WITH_TIMEOUT(outputOf(&window), QStringLiteral("again"), HangBoundMs);
}

void tst_JavaScriptEvaluator::newOpensWindowBesideThisOne()
{
    JavaScriptEvaluator window(nullptr);
    // Room on the screen for the new window 25 pixels further on.
    window.move(20, 20);
    window.resize(463, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("var mine = 1;"));
    const QString titleBefore = window.windowTitle();

    clickItem(&window, QStringLiteral("New"));
    std::unique_ptr<JavaScriptEvaluator> second = takeOtherWindow(&window);
    QVERIFY(second);
    QCOMPARE(second->pos(), window.pos() + QPoint(25, 25));
    QCOMPARE(editorOf(second.get())->document()->toPlainText(), defaultText);
    QCOMPARE(editorOf(&window)->document()->toPlainText(), QStringLiteral("var mine = 1;"));
    QCOMPARE(window.windowTitle(), titleBefore);
}

void tst_JavaScriptEvaluator::examplesPrintTheirResults_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expectedOutput");

    QTest::newRow("fibonaci: the first nine numbers") << QStringLiteral("fibonaci.js")
                                                     << QStringLiteral("1\n1\n2\n3\n5\n8\n13\n21\n34");
    QTest::newRow("json: a name, a lover, then the age") << QStringLiteral("json.js")
                                                        << QStringLiteral("Nelda loves Bertil\n47");
    QTest::newRow("regex: every match whatever its case") << QStringLiteral("regex.js")
                                                         << QStringLiteral("Test,TEST,test");
    // Checked as a number below: only its closeness to pi is promised.
    QTest::newRow("pi: the Leibniz series") << QStringLiteral("pi.js") << QString();
}

void tst_JavaScriptEvaluator::examplesPrintTheirResults()
{
    QFETCH(QString, entry);
    QFETCH(QString, expectedOutput);

    JavaScriptEvaluator window(nullptr);
    window.show();
    QPushButton *examples = buttonWithText(&window, QStringLiteral("Examples"));
    QVERIFY(examples && examples->menu());
    QAction *action = nullptr;
    for (QAction *candidate : examples->menu()->actions()) {
        if (candidate->text() == entry)
            action = candidate;
    }
    QVERIFY(action);
    action->trigger();
    std::unique_ptr<JavaScriptEvaluator> example = takeOtherWindow(&window);
    QVERIFY(example);
    QCOMPARE(example->windowTitle(), QStringLiteral(" [modified]"));

    clickItem(example.get(), QStringLiteral("Run"));
    QTRY_VERIFY_WITH_TIMEOUT(!editorOf(example.get())->isEvaluating(), HangBoundMs);
    QVERIFY2(!editorOf(example.get())->hasError(), qPrintable(outputOf(example.get())));
    const QString output = outputOf(example.get());
    if (expectedOutput.isNull()) {
        bool isNumber = false;
        const double value = output.toDouble(&isNumber);
        QVERIFY2(isNumber, qPrintable(output));
        QVERIFY2(qAbs(value - M_PI) < 1e-6, qPrintable(output));
    } else {
        QCOMPARE(output, expectedOutput);
    }
}

void tst_JavaScriptEvaluator::nextWindowOpensAtLastSize()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Wider than the full tool bar, which the window cannot be made narrower than, and within the screen.
    window.resize(780, 410);
    QMWidgets::App *app = QMWidgets::App::instance();
    QTRY_COMPARE_WITH_TIMEOUT(app->value(QStringLiteral("Width")).toInt(), 780, HangBoundMs);
    QTRY_COMPARE_WITH_TIMEOUT(app->value(QStringLiteral("Height")).toInt(), 410, HangBoundMs);

    std::unique_ptr<JavaScriptEvaluator> next(window.slotCreateNewWindow());
    QCOMPARE(next->size(), QSize(780, 410));
}

// Runs first, on fresh settings: the captions are measured in the style sheet's font, not the platform's.
void tst_JavaScriptEvaluator::freshWindowHasDefaultSize()
{
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());
    {
        JavaScriptEvaluator window(nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(463, 515));
    }
    qApp->setStyleSheet(QString());
}

// At the default width every caption of the tool bar, with its shadow, keeps at least a pixel from the next one.
void tst_JavaScriptEvaluator::toolBarCaptionsKeepApart()
{
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());
    const auto plainAgain = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    JavaScriptEvaluator window(nullptr);
    window.resize(463, 515);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.width(), 463);
    QList<QPair<QString, QRectF>> captions;
    for (MUITabBarItem *item : window.findChildren<MUITabBarItem *>()) {
        if (item->isVisible() && !item->text().isEmpty()) {
            const QRectF box = paintedBox(paintedTexts(*item), item->text());
            captions << qMakePair(item->text(), box.translated(item->mapTo(&window, QPoint())));
        }
    }
    QCOMPARE(captions.size(), 13);
    std::sort(captions.begin(), captions.end(), [](const auto &a, const auto &b) { return a.second.left() < b.second.left(); });
    for (int i = 1; i < captions.size(); ++i) {
        const QRectF &left = captions.at(i - 1).second;
        const QRectF &right = captions.at(i).second;
        QVERIFY2(left.right() + 1 <= right.left(), qPrintable(QString("\"%1\" ends at %2, \"%3\" starts at %4")
            .arg(captions.at(i - 1).first).arg(left.right()).arg(captions.at(i).first).arg(right.left())));
    }
}

void tst_JavaScriptEvaluator::promotionBarOfThisWindow()
{
    LinkCatcher links;
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMWidgets::PromoMenuBar *bar = window.menuBar();
    QCOMPARE(bar->parent(), &window);

    QStringList buttons = visibleButtonNames(bar);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"AppButton", "JoinButton", "MoreButton", "PushButton", "ShareButton"}));
    QCOMPARE(buttonWithText(bar, QStringLiteral("Examples"))->objectName(), QStringLiteral("PushButton"));

    QCOMPARE(visibleMenuEntries(bar->appButton()->appMenu()), (QStringList{"Rate this App", "Share", "Join Us", "More Apps", "Contact Us", "Check Updates",
                                   "About", "-", "Quit"}));

    // The developer applications, this program's own withheld, then "More Apps".
    QStringList storeNames;
    const QList<QAction *> more = bar->actions();
    for (QAction *action : more) {
        if (!action->isSeparator() && action != more.at(more.size() - 2))
            action->trigger();
    }
    for (const QUrl &link : links.links())
        storeNames << QUrlQuery(link).queryItemValue(QStringLiteral("appname"));
    QCOMPARE(storeNames, (QStringList{"QuillMark", "HexWren", "lintora", "jsonkite", "regexmoth", "diffowl", "snipjar",
                                      "codebirch", "ferrule", "GlyphForge", "iconsmith", "pixelmoss", "palettejay",
                                      "screentern"}));
    QCOMPARE(more.at(more.size() - 2)->text(), QStringLiteral("More Apps"));
}

void tst_JavaScriptEvaluator::findItemShowsTheFindBar()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    clickItem(&window, QStringLiteral("Find"));
    QDialog *bar = window.findChild<QDialog *>();
    QVERIFY(bar);
    QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), HangBoundMs);
    QVERIFY(buttonWithText(bar, QStringLiteral("Find Next")));
}

namespace {

const QString windowKept = QStringLiteral("A script may not delete a script window: it stays; close() closes it.");

enum Deletion { StackWindow, NewWindow, FromCallback, UnderNestedRun };

} // namespace

void tst_JavaScriptEvaluator::scriptCannotDeleteAWindow_data()
{
    QTest::addColumn<int>("deletion");
    // main() used to hold the first window on its stack: deleting it freed what was never allocated.
    QTest::newRow("first window held on the stack") << int(StackWindow);
    QTest::newRow("window opened by New, deleted while its run waits") << int(NewWindow);
    QTest::newRow("window deleted by its own callback during delay") << int(FromCallback);
    QTest::newRow("window deleted by another window's run nested in its own") << int(UnderNestedRun);
}

// Each window's run is in delay() when the deletion comes due: a deleted window would leave its engine
// evaluating in freed memory.
void tst_JavaScriptEvaluator::scriptCannotDeleteAWindow()
{
    QFETCH(int, deletion);
    RUN_ROW_IN_CHILD(60000);
    const QString goesOn = QStringLiteral("delay(300); printout('still here');");
    if (deletion == StackWindow) {
        JavaScriptEvaluator window(nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setText(QStringLiteral("getWidgetByClassName('JavaScriptEvaluator').deleteLater();") + goesOn);
        clickItem(&window, QStringLiteral("Run"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(outputOf(&window).trimmed(), windowKept + QStringLiteral("\nstill here"));
        return;
    }
    JavaScriptEvaluator first(nullptr);
    first.show();
    QPointer<JavaScriptEvaluator> target = first.slotCreateNewWindow();
    const std::unique_ptr<JavaScriptEvaluator> owned(target);
    QVERIFY(QTest::qWaitForWindowExposed(target));
    if (deletion == NewWindow) {
        target->setText(QStringLiteral("parentByClassName(output, 'JavaScriptEvaluator').deleteLater();") + goesOn);
        clickItem(target, QStringLiteral("Run"));
    } else if (deletion == FromCallback) {
        target->setText(QStringLiteral("var me = parentByClassName(output, 'JavaScriptEvaluator');\n"
                                       "singleShotTimer(100).timeout.connect(function() { me.deleteLater(); });")
                        + goesOn);
        clickItem(target, QStringLiteral("Run"));
    } else {
        target->setObjectName(QStringLiteral("target"));
        first.setText(QStringLiteral("getWidgetByObjectName('target').deleteLater(); delay(100);"));
        target->setText(goesOn);
        QTimer::singleShot(100, &first, [&first] { clickItem(&first, QStringLiteral("Run")); });
        clickItem(target, QStringLiteral("Run"));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(target);
    QVERIFY(!editorOf(target)->isRunning());
    // The refusal is reported where the script that asked for the deletion prints.
    if (deletion == UnderNestedRun) {
        QCOMPARE(outputOf(&first).trimmed(), windowKept);
        QCOMPARE(outputOf(target).trimmed(), QStringLiteral("still here"));
        return;
    }
    QCOMPARE(outputOf(target).trimmed(), windowKept + QStringLiteral("\nstill here"));
}

namespace {

// The most colourful pixel of the picture, as max - min of its channels weighted by its opacity.
int strongestColour(const QImage &image)
{
    int strongest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int chroma = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)})
                               - std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            strongest = std::max(strongest, chroma * qAlpha(pixel) / 255);
        }
    }
    return strongest;
}

int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                          std::abs(qAlpha(p) - qAlpha(q))}) > 32)
                ++count;
        }
    }
    return count;
}

// The box of an item's picture in device pixels: half the item's height, centred in its upper half.
QRect pictureBox(const MUITabBarItem &item)
{
    const int h = item.height();
    const qreal ratio = item.devicePixelRatioF();
    return QRect(QPoint(item.width() / 2 - h / 4, 3) * ratio, QSize(h / 2, h / 2) * ratio);
}

} // namespace

// While a script runs, Open, Run and Debug are disabled: their pictures go grey and faint, their captions fade.
void tst_JavaScriptEvaluator::disabledCommandsLookDisabled()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("while (true) {}"));
    const QStringList starting = {QStringLiteral("Open"), QStringLiteral("Run"), QStringLiteral("Debug")};
    QVector<QImage> enabled;
    for (const QString &caption : starting) {
        MUITabBarItem *item = toolBarItem(&window, caption);
        QVERIFY(item);
        enabled << paintWidget(*item);
    }
    QVector<QImage> disabled;
    bool allDisabled = true;
    QTimer::singleShot(300, &window, [&] {
        for (const QString &caption : starting) {
            MUITabBarItem *item = toolBarItem(&window, caption);
            allDisabled = allDisabled && !item->isEnabled();
            disabled << paintWidget(*item);
        }
        clickItem(&window, QStringLiteral("Stop"));
    });
    // Returns when the run has ended.
    clickItem(&window, QStringLiteral("Run"));

    QVERIFY(allDisabled);
    QCOMPARE(disabled.size(), starting.size());
    for (int i = 0; i < starting.size(); ++i) {
        const int changed = differingPixels(enabled.at(i), disabled.at(i));
        QVERIFY2(changed > 100, qPrintable(QStringLiteral("%1: %2 pixels change").arg(starting.at(i)).arg(changed)));
        const int colourEnabled = strongestColour(enabled.at(i));
        const int colourDisabled = strongestColour(disabled.at(i));
        QVERIFY2(colourDisabled * 2 < colourEnabled, qPrintable(QStringLiteral("%1: colour %2 enabled, %3 disabled")
            .arg(starting.at(i)).arg(colourEnabled).arg(colourDisabled)));
    }
}

// The tool-bar pictures are drawn at 48 x 48 and shown at 24: on a screen of ratio 2 each of their pixels shows, not
// a doubled copy of a picture made smaller first.
void tst_JavaScriptEvaluator::toolBarPicturesShowTheirDetail()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const ScaledRun run = runScaled({"toolBarPicturesShowTheirDetail"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    Resources::init();
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QPair<QString, QString>> pictures = {{"Open", ":/Icon_open.png"}, {"Run", ":/Icon_run.png"},
                                                     {"Find", ":/Icon_find.png"}};
    for (const auto &picture : pictures) {
        MUITabBarItem *item = toolBarItem(&window, picture.first);
        QVERIFY(item);
        const QImage source = QImage(picture.second).convertToFormat(QImage::Format_ARGB32);
        const QRect box = pictureBox(*item);
        QCOMPARE(box.size(), source.size());
        const QImage shown = paintWidget(*item).copy(box);
        // What the item shows is the picture, pixel for pixel, over the item's own background.
        item->setPicture(QIcon());
        QImage expected = paintWidget(*item).copy(box);
        expected.setDevicePixelRatio(1);
        QPainter(&expected).drawImage(0, 0, source);
        const int changed = differingPixels(shown, expected.convertToFormat(QImage::Format_ARGB32));
        QVERIFY2(changed < source.width() * source.height() / 50,
                 qPrintable(QStringLiteral("%1: %2 pixels differ from the picture").arg(picture.first).arg(changed)));
    }
}

void tst_JavaScriptEvaluator::windowFitsTheScreen()
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QSKIP("this run is the scaled one");
    const ScaledRun run = runScaled({"windowFitsTheScaledScreen"}, "2");
    QVERIFY2(run.passed, qPrintable(run.output));
}

void tst_JavaScriptEvaluator::windowFitsTheScaledScreen_data()
{
    QTest::addColumn<QSize>("saved");
    QTest::addColumn<bool>("newWindow");
    // At ratio 2 the offscreen screen counts as 400 x 300.
    // First: the scaled run starts on fresh settings.
    QTest::newRow("default size taller than the screen") << QSize() << false;
    QTest::newRow("saved size larger than the screen") << QSize(900, 650) << false;
    QTest::newRow("New beside a window in the screen's corner") << QSize(300, 200) << true;
}

// A saved or default size or place that does not fit the screen is fitted into it, down to the minimum size.
void tst_JavaScriptEvaluator::windowFitsTheScaledScreen()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QSKIP("runs at ratio 2 from windowFitsTheScreen");
    QFETCH(QSize, saved);
    QFETCH(bool, newWindow);
    QMWidgets::App *app = QMWidgets::App::instance();
    if (saved.isValid()) {
        app->setValue(QStringLiteral("Width"), saved.width());
        app->setValue(QStringLiteral("Height"), saved.height());
    }
    JavaScriptEvaluator first(nullptr);
    std::unique_ptr<JavaScriptEvaluator> next;
    JavaScriptEvaluator *window = &first;
    const QRect available = first.screen()->availableGeometry();
    if (newWindow) {
        first.move(available.bottomRight() - QPoint(first.width(), first.height()));
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        next.reset(first.slotCreateNewWindow());
        window = next.get();
    } else {
        first.show();
    }
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QSize minimum = window->minimumSizeHint();
    // The window's own area: the frame that a window manager adds is not known before the window shows.
    const QRect area = window->geometry();
    QVERIFY2(area.height() <= std::max(available.height(), minimum.height()),
             qPrintable(QStringLiteral("%1 high, at least %2").arg(area.height()).arg(minimum.height())));
    QVERIFY2(area.width() <= std::max(available.width(), minimum.width()),
             qPrintable(QStringLiteral("%1 wide, at least %2").arg(area.width()).arg(minimum.width())));
    QVERIFY2(available.contains(area.topLeft()), qPrintable(QStringLiteral("at %1,%2").arg(area.x()).arg(area.y())));
    if (area.width() <= available.width() && area.height() <= available.height())
        QVERIFY(available.contains(area));
}

void tst_JavaScriptEvaluator::runSignalsFromAScriptChangeNoControl_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("runsOn");
    const QString emitters = QStringLiteral(
        "var all = parentByClassName(output, 'JavaScriptEvaluator').findChildren(), emitters = [];\n"
        "for (var i = 0; i < all.length; i++) if (typeof all[i].runningChanged == 'function') emitters.push(all[i]);\n"
        "function tell(running) { for (var i = 0; i < emitters.length; i++) emitters[i].runningChanged(running); "
        "printout('told ' + emitters.length); }\n");
    // Told so after its end, the window showed a run with none going, and nothing brought the controls back.
    QTest::newRow("a run said to go after its end")
        << emitters + "singleShotTimer(100).timeout.connect(function() { tell(true); });" << false;
    // Told so during the run, Run, Open and Debug came on and did nothing.
    QTest::newRow("a run said to be over while it goes") << emitters + "tell(false);\nwhile (true) { delay(50); }"
                                                         << true;
}

// The controls show the run's own state, whatever a script emits.
void tst_JavaScriptEvaluator::runSignalsFromAScriptChangeNoControl()
{
    QFETCH(QString, script);
    QFETCH(bool, runsOn);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(script);
    MUITabBarItem *run = toolBarItem(&window, QStringLiteral("Run"));
    MUITabBarItem *open = toolBarItem(&window, QStringLiteral("Open"));
    MUITabBarItem *debug = toolBarItem(&window, QStringLiteral("Debug"));
    bool enabledWhileRunning = true;
    if (runsOn) {
        QTimer::singleShot(0, &window, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(outputOf(&window).contains(QLatin1String("told")), HangBoundMs);
            enabledWhileRunning = run->isEnabled() || open->isEnabled() || debug->isEnabled();
            clickItem(&window, QStringLiteral("Stop"));
        });
    }
    clickItem(&window, QStringLiteral("Run"));
    QTRY_VERIFY_WITH_TIMEOUT(outputOf(&window).contains(QLatin1String("told")), HangBoundMs);
    QVERIFY2(!outputOf(&window).contains(QLatin1String("told 0")), qPrintable(outputOf(&window)));
    if (runsOn)
        QVERIFY(!enabledWhileRunning);
    QVERIFY(!editorOf(&window)->isRunning());
    QVERIFY(run->isEnabled() && open->isEnabled() && debug->isEnabled());
}

TARSEL_APP_TEST_MAIN(tst_JavaScriptEvaluator)
#include "tst_JavaScriptEvaluator.moc"
