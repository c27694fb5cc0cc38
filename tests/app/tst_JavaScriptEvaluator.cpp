#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "resources/Resources.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include "ButtonLookup.h"
#include "ChildRun.h"
#include "HangBound.h"
#include "LinkCatcher.h"
#include "ModalAnswer.h"
#include "PaintedText.h"
#include "ScaledRun.h"
#include "TestApp.h"
#include "WidgetPaint.h"

#include <QCloseEvent>
#include <QFile>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QMessageBox>
#include <QUrlQuery>
#include <QPushButton>
#include <QScopeGuard>
#include <QPainter>
#include <QScreen>
#include <QScriptEngine>
#include <QTemporaryDir>
#include <QTimer>
#include <QTextDocument>
#include <QWindow>

#include <memory>

namespace {

const QString defaultText = QStringLiteral("printout(\"Hello World 1\");\nalert(\"Hello World 2\");");

QMMistlark::Editor *editorOf(JavaScriptEvaluator *window)
{
    return window->findChild<QMMistlark::Editor *>();
}

QString outputOf(JavaScriptEvaluator *window)
{
    QTextDocument output;
    output.setHtml(editorOf(window)->outputHtml());
    return output.toPlainText();
}

void clickItem(JavaScriptEvaluator *window, const QString &caption)
{
    const QList<MUITabBarItem *> items = window->findChildren<MUITabBarItem *>();
    for (MUITabBarItem *item : items) {
        if (item->text() == caption) {
            QTest::mouseClick(item, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no tool-bar item \"%1\"").arg(caption)));
}

MUITabBarItem *toolBarItem(JavaScriptEvaluator *window, const QString &caption)
{
    const QList<MUITabBarItem *> items = window->findChildren<MUITabBarItem *>();
    for (MUITabBarItem *item : items) {
        if (item->text() == caption)
            return item;
    }
    return nullptr;
}

// Answers the next message box Yes or No and keeps its question; any other dialog is closed unanswered.
void answerNextQuestion(QObject *context, bool yes, QString *question)
{
    answerNextModal(context, [yes, question](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        *question = box->text();
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
}

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
    void closingAsksOnlyAfterTyping_data();
    void closingAsksOnlyAfterTyping();
    void savedDocumentClosesWithoutAsking();
    void windowDeletedWhileItAsks();
    void closingABusyWindowStopsItsScriptFirst_data();
    void closingABusyWindowStopsItsScriptFirst();
    void nextWindowOpensAtLastSize();
    void closingStopsABusyCallback_data();
    void closingStopsABusyCallback();
    void callbackStartingAfterClosingEnds_data();
    void callbackStartingAfterClosingEnds();
    void quitAsksEveryChangedWindow_data();
    void quitAsksEveryChangedWindow();
    void findItemShowsTheFindBar();
    void scriptCannotDeleteAWindow_data();
    void scriptCannotDeleteAWindow();
    void stopAndCloseEndEveryPartOfARun_data();
    void stopAndCloseEndEveryPartOfARun();
    void disabledCommandsLookDisabled();
    void toolBarPicturesShowTheirDetail();
    void windowFitsTheScreen();
    void windowFitsTheScaledScreen_data();
    void windowFitsTheScaledScreen();
    void closingAgainWhileItAsks_data();
    void closingAgainWhileItAsks();
    void runSignalsFromAScriptChangeNoControl_data();
    void runSignalsFromAScriptChangeNoControl();
};

// The question at closing has no parent and outlives a window deleted while it is up; answered Yes after that,
// it stopped the script window of the window that was gone (in a process of its own: that aborts the sanitizer
// build).
void tst_JavaScriptEvaluator::windowDeletedWhileItAsks()
{
    if (ranRowInChild())
        return;
    QPointer<JavaScriptEvaluator> window = new JavaScriptEvaluator(nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::keyClicks(editorOf(window)->document(), QStringLiteral("x"));
    QObject context;
    QString deletedAt;
    deleteOnNextModal(&context, window, &deletedAt, [](QWidget *box) {
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
    });
    window->close();
    QVERIFY(window.isNull());
    QCOMPARE(deletedAt, QString("QMessageBox"));
}

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

void tst_JavaScriptEvaluator::closingAsksOnlyAfterTyping_data()
{
    QTest::addColumn<bool>("typeIntoIt");
    QTest::addColumn<bool>("answerYes");
    // The default text of a fresh window is no change: closing it asks nothing.
    QTest::newRow("fresh window closes without a question") << false << true;
    QTest::newRow("typed into: Yes closes without saving") << true << true;
    QTest::newRow("typed into: No keeps the window and its text") << true << false;
}

void tst_JavaScriptEvaluator::closingAsksOnlyAfterTyping()
{
    QFETCH(bool, typeIntoIt);
    QFETCH(bool, answerYes);
    const QMessageBox::StandardButton answer = answerYes ? QMessageBox::Yes : QMessageBox::No;

    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMMistlark::DocWindow *document = editorOf(&window)->document();
    if (typeIntoIt)
        QTest::keyClicks(document, QStringLiteral("x"));
    const QString text = document->toPlainText();

    QObject context;
    bool asked = false;
    QString title;
    QString question;
    bool noIsDefault = false;
    answerNextModal(&context, [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        asked = true;
        title = box->windowTitle();
        question = box->text();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        box->button(answer)->click();
    });
    const bool closed = window.close();

    QCOMPARE(asked, typeIntoIt);
    QCOMPARE(closed, answerYes);
    QCOMPARE(window.isVisible(), !answerYes);
    QCOMPARE(document->toPlainText(), text);
    if (!typeIntoIt) {
        QCOMPARE(text, defaultText);
        return;
    }
    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(question, QStringLiteral("The text of the \" [modified]\" file has been changed. "
                                      "Do you want to quit without saving the changes?"));
    QVERIFY(noIsDefault);
}

void tst_JavaScriptEvaluator::closingABusyWindowStopsItsScriptFirst_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes closes the stopped window") << true;
    QTest::newRow("No keeps the stopped window and its text") << false;
}

void tst_JavaScriptEvaluator::closingABusyWindowStopsItsScriptFirst()
{
    QFETCH(bool, answerYes);
    const QString script = QStringLiteral("while (true) {}");
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(script);
    MUITabBarItem *run = toolBarItem(&window, QStringLiteral("Run"));
    MUITabBarItem *open = toolBarItem(&window, QStringLiteral("Open"));
    MUITabBarItem *stop = toolBarItem(&window, QStringLiteral("Stop"));
    QVERIFY(run && open && stop);

    QObject context;
    QString question;
    answerNextQuestion(&context, answerYes, &question);
    bool startingItemsEnabled = true;
    bool stopEnabled = false;
    bool closed = !answerYes;
    QTimer::singleShot(300, &window, [&] {
        startingItemsEnabled = run->isEnabled() || open->isEnabled();
        stopEnabled = stop->isEnabled();
        closed = window.close();
    });
    // Returns when the run has ended.
    clickItem(&window, QStringLiteral("Run"));

    QVERIFY(!startingItemsEnabled);
    QVERIFY(stopEnabled);
    QVERIFY(run->isEnabled() && open->isEnabled());
    QCOMPARE(question, QStringLiteral("The text of the \" [modified]\" file has been changed. "
                                      "Do you want to quit without saving the changes?"));
    QCOMPARE(closed, answerYes);
    QCOMPARE(window.isVisible(), !answerYes);
    QVERIFY(!editorOf(&window)->isRunning());
    QVERIFY(editorOf(&window)->hasError());
    QVERIFY2(outputOf(&window).contains(QLatin1String("Script evaluation is stopped by user")),
             qPrintable(outputOf(&window)));
    QCOMPARE(editorOf(&window)->document()->toPlainText(), script);
}

void tst_JavaScriptEvaluator::closingStopsABusyCallback_data()
{
    QTest::addColumn<bool>("quit");
    QTest::newRow("closing the window") << false;
    QTest::newRow("Quit in the application menu") << true;
}

namespace {

// "Quit without saving the changes?": yes; any other modal is closed.
void quitWithoutSaving(QWidget *modal)
{
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        box->button(QMessageBox::Yes)->click();
    else
        modal->close();
}

// Closes the window as its title bar does, or quits through the application menu's last item.
void closeOrQuit(JavaScriptEvaluator *window, bool quit)
{
    if (quit)
        window->menuBar()->appButton()->appMenu()->actions().constLast()->trigger();
    else
        window->close();
}

} // namespace

// The run has ended when its callback starts looping: closing or quitting must stop the callback, or the window
// would go while its script runs on and the program could never end.
void tst_JavaScriptEvaluator::closingStopsABusyCallback()
{
    QFETCH(bool, quit);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("singleShotTimer(50).timeout.connect(function() { printout('looping'); while (true) {} });"));
    clickItem(&window, QStringLiteral("Run"));
    QVERIFY(!editorOf(&window)->isRunning());

    QObject context;
    answerNextModal(&context, quitWithoutSaving);
    bool closing = false;
    QTimer::singleShot(300, &context, [&] {
        closing = true;
        closeOrQuit(&window, quit);
    });
    // Keeps a callback that the close missed from looping for ever.
    bool missed = false;
    QTimer::singleShot(3000, &context, [&] {
        missed = true;
        editorOf(&window)->findChild<QScriptEngine *>()->abortEvaluation();
    });
    QTRY_VERIFY_WITH_TIMEOUT(closing, HangBoundMs);
    QVERIFY(!missed);
    QVERIFY(!window.isVisible());
    QVERIFY2(outputOf(&window).contains(QLatin1String("Script evaluation is stopped by user")),
             qPrintable(outputOf(&window)));
}

void tst_JavaScriptEvaluator::callbackStartingAfterClosingEnds_data()
{
    closingStopsABusyCallback_data();
}

// The script's handler stays connected after the window has gone; when it starts looping only then, nobody is
// left to press Stop, and the program could never end.
void tst_JavaScriptEvaluator::callbackStartingAfterClosingEnds()
{
    QFETCH(bool, quit);
    JavaScriptEvaluator window(nullptr);
    QPushButton button;
    editorOf(&window)->addScriptObject(&button, QStringLiteral("Button"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("Button.clicked.connect(function() { printout('looping'); while (true) {} });"));
    clickItem(&window, QStringLiteral("Run"));
    QVERIFY(!editorOf(&window)->isRunning());

    QObject context;
    answerNextModal(&context, quitWithoutSaving);
    closeOrQuit(&window, quit);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), HangBoundMs);

    // Keeps a callback that the close missed from looping for ever.
    bool missed = false;
    QTimer::singleShot(3000, &context, [&] {
        missed = true;
        editorOf(&window)->stopEvaluation();
    });
    // The handler runs inside click(), in the window's loop as a user's click would reach it.
    for (int round = 0; round < 2; ++round) {
        QTimer tick;
        QSignalSpy ticks(&tick, &QTimer::timeout);
        tick.start(10);
        QVERIFY(ticks.wait(HangBoundMs));
        button.click();
        QVERIFY(!missed);
    }
}

void tst_JavaScriptEvaluator::savedDocumentClosesWithoutAsking()
{
    QTemporaryDir folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    const QString path = folder.filePath(QStringLiteral("demo.js"));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("printout(1);");
    file.close();

    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("var a;"));
    QCOMPARE(window.windowTitle(), QStringLiteral(" [modified]"));
    editorOf(&window)->open(path);
    QCOMPARE(window.windowTitle(), path);
    // Typed into after opening, then saved: the saved text is no change any more.
    QTest::keyClicks(editorOf(&window)->document(), QStringLiteral("x"));
    QVERIFY(editorOf(&window)->isModified());
    editorOf(&window)->save();
    QCOMPARE(window.windowTitle(), path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QCOMPARE(file.readAll(), QByteArray("xprintout(1);"));
    file.close();

    QObject context;
    bool asked = false;
    answerNextModal(&context, [&](QWidget *modal) {
        asked = true;
        modal->close();
    });
    QVERIFY(window.close());
    QVERIFY(!asked);
    QVERIFY(!window.isVisible());
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

void tst_JavaScriptEvaluator::quitAsksEveryChangedWindow_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes: the window closes") << true;
    QTest::newRow("No: the window stays with its text") << false;
}

// Quit in the application menu closes the windows one by one, so a changed script is asked about.
void tst_JavaScriptEvaluator::quitAsksEveryChangedWindow()
{
    QFETCH(bool, answerYes);

    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("var unsaved = 1;"));

    QObject context;
    QString question;
    answerNextQuestion(&context, answerYes, &question);
    QAction *quit = window.menuBar()->appButton()->appMenu()->actions().constLast();
    QCOMPARE(quit->text(), QStringLiteral("Quit"));
    quit->trigger();

    QCOMPARE(question, QStringLiteral("The text of the \" [modified]\" file has been changed. "
                                      "Do you want to quit without saving the changes?"));
    QCOMPARE(window.isVisible(), !answerYes);
    QCOMPARE(editorOf(&window)->document()->toPlainText(), QStringLiteral("var unsaved = 1;"));
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

enum RunPart { IncludedLoop, DebuggerHolds, TimerChain, RepeatingTimer, DialogLoop };
enum Ending { PressStop, CloseWindow, CloseCancelled };

// The part of the run that the ending meets, reached.
bool partReached(int part, JavaScriptEvaluator *window)
{
    switch (part) {
    case IncludedLoop:
        return editorOf(window)->isRunning();
    case DebuggerHolds:
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMainWindow *>(widget) && widget->isVisible())
                return true;
        }
        return false;
    case DialogLoop:
        return qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
    default:
        return !editorOf(window)->isRunning();
    }
}

// The way a user takes: through the window system, where a modal dialog would keep the click or the close out.
void endRun(int ending, JavaScriptEvaluator *window, QObject *context)
{
    if (ending == PressStop) {
        const MUITabBarItem *stop = toolBarItem(window, QStringLiteral("Stop"));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, stop->mapTo(window, stop->rect().center()));
        return;
    }
    if (ending == CloseCancelled) {
        answerNextModal(context, [](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                box->button(QMessageBox::No)->click();
        });
    }
    window->windowHandle()->close();
}

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

void tst_JavaScriptEvaluator::stopAndCloseEndEveryPartOfARun_data()
{
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("ending");
    // loop.js beside the document loops for ever; its check before the run used to handle no events.
    const QString include = QStringLiteral("include(\"loop.js\"); printout('after');");
    const QString chain = QStringLiteral("var c = 0; function f() { c++; singleShotTimer(1).timeout.connect(f); } f();");
    const QString repeating = QStringLiteral("var c = 0; var t = createTimer(); t.singleShot = false;\n"
                                             "t.timeout.connect(function() { c++; }); t.start(5);");
    const QString dialogs = QStringLiteral("while (true) textDialog('name', 'x');");
    QTest::newRow("included loop, Stop") << int(IncludedLoop) << include << int(PressStop);
    QTest::newRow("included loop, close") << int(IncludedLoop) << include << int(CloseWindow);
    QTest::newRow("debugger holding the run, Stop") << int(DebuggerHolds) << QStringLiteral("var x = 1;") << int(PressStop);
    QTest::newRow("debugger holding the run, close") << int(DebuggerHolds) << QStringLiteral("var x = 1;") << int(CloseWindow);
    QTest::newRow("timer chain, Stop") << int(TimerChain) << chain << int(PressStop);
    QTest::newRow("timer chain, close cancelled") << int(TimerChain) << chain << int(CloseCancelled);
    QTest::newRow("repeating timer, Stop") << int(RepeatingTimer) << repeating << int(PressStop);
    QTest::newRow("repeating timer, close cancelled") << int(RepeatingTimer) << repeating << int(CloseCancelled);
    QTest::newRow("dialog loop, Stop") << int(DialogLoop) << dialogs << int(PressStop);
    QTest::newRow("dialog loop, close") << int(DialogLoop) << dialogs << int(CloseWindow);
}

// Whatever part of a run holds the script, Stop and the window's close end it within a second, and the script
// calls nothing more until it is run again.
void tst_JavaScriptEvaluator::stopAndCloseEndEveryPartOfARun()
{
    QFETCH(int, part);
    QFETCH(QString, script);
    QFETCH(int, ending);
    RUN_ROW_IN_CHILD(60000);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("script.js"));
    for (const auto &file : {qMakePair(fileName, script),
                             qMakePair(folder.filePath(QStringLiteral("loop.js")), QStringLiteral("var x = 0; while (true) { x++; }"))}) {
        QFile out(file.first);
        QVERIFY2(out.open(QIODevice::WriteOnly), qPrintable(out.errorString()));
        out.write(file.second.toUtf8());
    }
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMMistlark::Editor *editor = editorOf(&window);
    // Saved, the window closes without its question; changed, it asks, and the answer is No.
    QVERIFY(editor->load(fileName));
    if (ending == CloseCancelled)
        window.setText(script);

    QObject context;
    bool ended = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &context, [&] {
        if (!partReached(part, &window))
            return;
        poll.stop();
        ended = true;
        endRun(ending, &window, &context);
    });
    poll.start(10);
    clickItem(&window, part == DebuggerHolds ? QStringLiteral("Debug") : QStringLiteral("Run"));
    // None of the parts ends by itself: a run that the ending missed is still running here.
    QTRY_VERIFY_WITH_TIMEOUT(ended, HangBoundMs);
    QTRY_VERIFY_WITH_TIMEOUT(!editor->isRunning(), HangBoundMs);
    QCOMPARE(window.isVisible(), ending != CloseWindow);
    // The debugger's window and the script's dialog go with the run.
    QTRY_VERIFY_WITH_TIMEOUT(!partReached(DebuggerHolds, &window), HangBoundMs);
    QVERIFY(!QApplication::activeModalWidget());
    if (part == IncludedLoop)
        QVERIFY(!outputOf(&window).contains(QLatin1String("after")));
    if (part == TimerChain || part == RepeatingTimer) {
        // A timer still going would count on during the next run.
        window.setText(QStringLiteral("var before = c; delay(300); printout(c - before);"));
        clickItem(&window, QStringLiteral("Run"));
        QCOMPARE(outputOf(&window), QStringLiteral("0"));
    }
}

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

namespace {

// Answers each unsaved-changes question No; while the first one is up, the window is closed once more, as the
// window system closes it.
class CloseAgain : public QObject
{
public:
    explicit CloseAgain(JavaScriptEvaluator **window)
        : m_window(window)
    {
        connect(&m_tick, &QTimer::timeout, this, [this] { look(); });
        m_tick.start(10);
    }

    int questions = 0;
    bool secondCloseDone = false;
    bool secondCloseAccepted = true;

private:
    void look()
    {
        QMessageBox *box = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && qobject_cast<QMessageBox *>(window))
                box = static_cast<QMessageBox *>(window);
        }
        if (!box || box == m_last)
            return;
        m_last = box;
        if (++questions > 1) {
            box->button(QMessageBox::No)->click();
            return;
        }
        const QPointer<QMessageBox> first(box);
        QTimer::singleShot(0, this, [this, first] {
            QCloseEvent close;
            QApplication::sendEvent((*m_window)->windowHandle(), &close);
            secondCloseAccepted = close.isAccepted();
            secondCloseDone = true;
            if (first)
                first->button(QMessageBox::No)->click();
        });
    }

    JavaScriptEvaluator **m_window;
    QPointer<QMessageBox> m_last;
    QTimer m_tick;
};

} // namespace

void tst_JavaScriptEvaluator::closingAgainWhileItAsks_data()
{
    QTest::addColumn<bool>("closedByItsScript");
    QTest::newRow("a script closes its own window") << true;
    QTest::newRow("window B closed while window A runs") << false;
}

// A second close while the question is up waits for it like the first; "No" keeps the window shown, with its text.
void tst_JavaScriptEvaluator::closingAgainWhileItAsks()
{
    QFETCH(bool, closedByItsScript);
    RUN_ROW_IN_CHILD(2 * HangBoundMs);
    JavaScriptEvaluator first(nullptr);
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    JavaScriptEvaluator *closing = &first;
    std::unique_ptr<JavaScriptEvaluator> other;
    CloseAgain user(&closing);
    bool firstCloseAccepted = true;
    if (closedByItsScript) {
        first.setText(QStringLiteral("var me = parentByClassName(output, 'JavaScriptEvaluator');\n"
                                     "me.close(); // MY UNSAVED WORK"));
        clickItem(&first, QStringLiteral("Run"));
    } else {
        first.setText(QStringLiteral("while (true) { delay(50); }"));
        QTimer::singleShot(100, &first, [&] {
            other.reset(first.slotCreateNewWindow());
            closing = other.get();
            QTest::keyClicks(editorOf(closing)->document(), QStringLiteral("// USER WORK"));
            firstCloseAccepted = closing->close();
            editorOf(&first)->stopEvaluation();
        });
        clickItem(&first, QStringLiteral("Run"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(user.secondCloseDone, HangBoundMs);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), HangBoundMs);
    QCOMPARE(user.questions, 1);
    QVERIFY(!user.secondCloseAccepted);
    QVERIFY(!firstCloseAccepted || closedByItsScript);
    QVERIFY(closing->isVisible());
    // Still on the screen: the window system's window was not let go.
    QVERIFY(closing->windowHandle() && closing->windowHandle()->handle());
    const QString text = editorOf(closing)->document()->toPlainText();
    QVERIFY2(text.contains(QLatin1String(closedByItsScript ? "MY UNSAVED WORK" : "USER WORK")), qPrintable(text));
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
