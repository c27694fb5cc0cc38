#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include "JavaScriptEvaluatorFixtures.h"
#include "ChildRun.h"
#include "HangBound.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include <QCloseEvent>
#include <QFile>
#include <QInputDialog>
#include <QMainWindow>
#include <QPointer>
#include <QMessageBox>
#include <QPushButton>
#include <QScriptEngine>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace EvaluatorTest;

namespace {

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

} // namespace

class tst_JavaScriptEvaluatorClosing : public QObject
{
    Q_OBJECT

private slots:
    void closingAsksOnlyAfterTyping_data();
    void closingAsksOnlyAfterTyping();
    void savedDocumentClosesWithoutAsking();
    void windowDeletedWhileItAsks();
    void closingABusyWindowStopsItsScriptFirst_data();
    void closingABusyWindowStopsItsScriptFirst();
    void closingStopsABusyCallback_data();
    void closingStopsABusyCallback();
    void callbackStartingAfterClosingEnds_data();
    void callbackStartingAfterClosingEnds();
    void quitAsksEveryChangedWindow_data();
    void quitAsksEveryChangedWindow();
    void stopAndCloseEndEveryPartOfARun_data();
    void stopAndCloseEndEveryPartOfARun();
    void closingAgainWhileItAsks_data();
    void closingAgainWhileItAsks();
};

// The question at closing has no parent and outlives a window deleted while it is up; answered Yes after that,
// it stopped the script window of the window that was gone (in a process of its own: that aborts the sanitizer
// build).
void tst_JavaScriptEvaluatorClosing::windowDeletedWhileItAsks()
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

void tst_JavaScriptEvaluatorClosing::closingAsksOnlyAfterTyping_data()
{
    QTest::addColumn<bool>("typeIntoIt");
    QTest::addColumn<bool>("answerYes");
    // The default text of a fresh window is no change: closing it asks nothing.
    QTest::newRow("fresh window closes without a question") << false << true;
    QTest::newRow("typed into: Yes closes without saving") << true << true;
    QTest::newRow("typed into: No keeps the window and its text") << true << false;
}

void tst_JavaScriptEvaluatorClosing::closingAsksOnlyAfterTyping()
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

void tst_JavaScriptEvaluatorClosing::closingABusyWindowStopsItsScriptFirst_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes closes the stopped window") << true;
    QTest::newRow("No keeps the stopped window and its text") << false;
}

void tst_JavaScriptEvaluatorClosing::closingABusyWindowStopsItsScriptFirst()
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

void tst_JavaScriptEvaluatorClosing::closingStopsABusyCallback_data()
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
void tst_JavaScriptEvaluatorClosing::closingStopsABusyCallback()
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

void tst_JavaScriptEvaluatorClosing::callbackStartingAfterClosingEnds_data()
{
    closingStopsABusyCallback_data();
}

// The script's handler stays connected after the window has gone; when it starts looping only then, nobody is
// left to press Stop, and the program could never end.
void tst_JavaScriptEvaluatorClosing::callbackStartingAfterClosingEnds()
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

void tst_JavaScriptEvaluatorClosing::savedDocumentClosesWithoutAsking()
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

void tst_JavaScriptEvaluatorClosing::quitAsksEveryChangedWindow_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes: the window closes") << true;
    QTest::newRow("No: the window stays with its text") << false;
}

// Quit in the application menu closes the windows one by one, so a changed script is asked about.
void tst_JavaScriptEvaluatorClosing::quitAsksEveryChangedWindow()
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

} // namespace

void tst_JavaScriptEvaluatorClosing::stopAndCloseEndEveryPartOfARun_data()
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
void tst_JavaScriptEvaluatorClosing::stopAndCloseEndEveryPartOfARun()
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

void tst_JavaScriptEvaluatorClosing::closingAgainWhileItAsks_data()
{
    QTest::addColumn<bool>("closedByItsScript");
    QTest::newRow("a script closes its own window") << true;
    QTest::newRow("window B closed while window A runs") << false;
}

// A second close while the question is up waits for it like the first; "No" keeps the window shown, with its text.
void tst_JavaScriptEvaluatorClosing::closingAgainWhileItAsks()
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

TARSEL_APP_TEST_MAIN(tst_JavaScriptEvaluatorClosing)
#include "tst_JavaScriptEvaluatorClosing.moc"
