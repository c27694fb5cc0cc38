#include "EditorRun.h"
#include "HangBound.h"
#include "RunPipelineFixtures.h"
#include "TestApp.h"

#include "scripting/editor/Editor.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScriptEngine>
#include <QTimer>

using QMMistlark::Editor;
using namespace RunPipelineTest;

namespace {

// The visible debugger window, found by its Continue command.
QAction *debuggerContinueAction()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (!window->isVisible())
            continue;
        const QList<QWidget *> widgets = window->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            const QList<QAction *> actions = widget->actions();
            for (QAction *action : actions) {
                if (action->text() == QLatin1String("Continue") && action->isEnabled())
                    return action;
            }
        }
    }
    return nullptr;
}

int visibleMainWindows()
{
    int count = 0;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && qobject_cast<QMainWindow *>(window))
            ++count;
    }
    return count;
}

} // namespace

class tst_RunPipelineDebugging : public QObject
{
    Q_OBJECT

private slots:
    void debugReportsSyntaxErrorsWithoutTheDebugger();
    void debugRunsUnderTheDebugger_data();
    void debugRunsUnderTheDebugger();
    void debuggerOpensWhereItsCodeReads();
    void closingTheDebuggerStopsTheRun_data();
    void closingTheDebuggerStopsTheRun();
};

void tst_RunPipelineDebugging::debugReportsSyntaxErrorsWithoutTheDebugger()
{
    Editor editor;
    editor.setText(QStringLiteral("printout(1);\nvar s = 'open;"));
    editor.debug();
    QVERIFY(editor.hasError());
    QCOMPARE(outputLines(editor), QStringList({"Syntax Error:Unclosed string at end of line", "Line:2", "Column:9"}));
    QCOMPARE(visibleMainWindows(), 0);
}

void tst_RunPipelineDebugging::debugRunsUnderTheDebugger_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("output");
    QTest::newRow("runs to the end") << "var x = 1;\nx = x + 41;\nprintout(x);" << "42";
    // The debugger shows an uncaught exception itself; the pane gets no report and the flag stays clear.
    QTest::newRow("exception is left to the debugger") << "printout('a');\nthrow new Error('x');" << "a";
}

void tst_RunPipelineDebugging::debugRunsUnderTheDebugger()
{
    QFETCH(QString, script);
    QFETCH(QString, output);
    Editor editor;
    editor.setText(script);

    // Plays the user who presses Continue whenever the debugger stops.
    int stops = 0;
    QTimer user;
    user.setInterval(20);
    connect(&user, &QTimer::timeout, &editor, [&stops] {
        if (QAction *proceed = debuggerContinueAction()) {
            ++stops;
            proceed->trigger();
        }
    });
    user.start();
    editor.debug();
    user.stop();

    QVERIFY2(stops >= 1, "the debugger did not stop at the first statement");
    QCOMPARE(outputText(editor), output);
    QVERIFY(!editor.hasError());
    QVERIFY(!editor.isEvaluating());
    QCOMPARE(visibleMainWindows(), 0);
}

void tst_RunPipelineDebugging::closingTheDebuggerStopsTheRun_data()
{
    QTest::addColumn<bool>("continueFirst");
    QTest::addColumn<QStringList>("output");
    // A stopped run says so, as a plain run does.
    const QStringList stopped = {QStringLiteral("Evaluation Error:"),
                                 QStringLiteral("Error: Script evaluation is stopped by user"),
                                 QStringLiteral("Backtrace:")};
    QTest::newRow("while it holds the script at a statement") << false << stopped;
    QTest::newRow("while the script loops") << true << QStringList(QStringLiteral("looping")) + stopped;
}

void tst_RunPipelineDebugging::closingTheDebuggerStopsTheRun()
{
    QFETCH(bool, continueFirst);
    QFETCH(QStringList, output);
    Editor editor;
    editor.setText(QStringLiteral("printout('looping');\nwhile (true) {}"));

    // Plays the user who closes the debugger at its first stop, or continues there and closes it while
    // the script loops.
    bool continued = !continueFirst;
    bool closed = false;
    QTimer user;
    user.setInterval(50);
    connect(&user, &QTimer::timeout, &editor, [&] {
        if (!continued) {
            if (QAction *proceed = debuggerContinueAction()) {
                continued = true;
                proceed->trigger();
            }
            return;
        }
        // Held at its first statement, or looping past its printout.
        if (continueFirst ? outputText(editor) != QLatin1String("looping") : !debuggerContinueAction())
            return;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (!closed && window->isVisible() && qobject_cast<QMainWindow *>(window)) {
                closed = true;
                window->close();
            }
        }
    });
    user.start();
    // Keeps a loop that the closed debugger did not stop from running for ever.
    bool missed = false;
    QTimer::singleShot(HangBoundMs, &editor, [&] {
        missed = true;
        editor.findChild<QScriptEngine *>()->abortEvaluation();
    });
    editor.debug();
    user.stop();

    QVERIFY(continued);
    QVERIFY(closed);
    QVERIFY(!missed);
    QVERIFY(editor.hasError());
    QVERIFY(!editor.isRunning());
    QCOMPARE(outputLines(editor), output);
    QCOMPARE(visibleMainWindows(), 0);
}

// The debugger's window opens wide enough for a line of code, and within the screen.
void tst_RunPipelineDebugging::debuggerOpensWhereItsCodeReads()
{
    Editor editor;
    editor.setText(QStringLiteral("var message = 'a line of a script, about as wide as most lines are';\nprintout(message);"));
    int codeWidth = -1;
    int letterWidth = 0;
    QRect window;
    QRect available;
    QTimer user;
    user.setInterval(20);
    connect(&user, &QTimer::timeout, &editor, [&] {
        QAction *proceed = debuggerContinueAction();
        if (!proceed)
            return;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || !qobject_cast<QMainWindow *>(top))
                continue;
            for (QPlainTextEdit *edit : top->findChildren<QPlainTextEdit *>()) {
                if (edit->inherits("QScriptEdit") && edit->isVisible() && codeWidth < 0) {
                    codeWidth = edit->viewport()->width();
                    letterWidth = edit->fontMetrics().horizontalAdvance(QLatin1Char('x'));
                    window = top->geometry();
                    available = top->screen()->availableGeometry();
                }
            }
        }
        proceed->trigger();
    });
    user.start();
    editor.debug();
    user.stop();

    QVERIFY2(codeWidth >= 0, "no code column shown");
    QVERIFY2(codeWidth >= 40 * letterWidth, qPrintable(QStringLiteral("the code column is %1 pixels wide, a letter %2")
                                                           .arg(codeWidth).arg(letterWidth)));
    // Its place is the window manager's; its size fits.
    QVERIFY2(window.width() <= available.width() && window.height() <= available.height(), qPrintable(QStringLiteral("the window is %1 x %2")
                                                       .arg(window.width()).arg(window.height())));
}

TARSEL_APP_TEST_MAIN(tst_RunPipelineDebugging)
#include "tst_RunPipelineDebugging.moc"
