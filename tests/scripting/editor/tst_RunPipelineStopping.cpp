#include "EditorRun.h"
#include "HangBound.h"
#include "RunPipelineFixtures.h"
#include "TestApp.h"

#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include <QApplication>
#include <QPushButton>
#include <QScriptEngine>
#include <QSignalSpy>
#include <QTimer>

using QMMistlark::Editor;
using namespace RunPipelineTest;

class tst_RunPipelineStopping : public ScriptFolderTest
{
    Q_OBJECT

private slots:
    void stopEndsAWaitingScript_data();
    void stopEndsAWaitingScript();
    void stopWithNothingRunningOnlySetsTheFlag();
    void stopEndsABusyScript_data();
    void stopEndsABusyScript();
    void stopEndsABusyCallback_data();
    void stopEndsABusyCallback();
    void callbacksAfterAClosingStopEndAtOnce();
    void scriptTimersWaitForTheScriptToWait_data();
    void scriptTimersWaitForTheScriptToWait();
    void dialogHandlerArmedBeforeABusyStepFindsItsDialog();
};

void tst_RunPipelineStopping::stopEndsAWaitingScript_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("no prologue") << "printout('before');\ndelay(10000);\nprintout('after');";
    // The stop error has no line; it must not be taken for the included file's.
    QTest::newRow("with an include") << "include(\"lib.js\");\nprintout('before');\ndelay(10000);\nprintout('after');";
    QTest::newRow("Support.delay") << "printout('before');\nSupport.delay(10000);\nprintout('after');";
}

void tst_RunPipelineStopping::stopEndsAWaitingScript()
{
    QFETCH(QString, script);
    writeFile(QStringLiteral("lib.js"), "var fromLib = 1;");
    Editor editor;
    openScript(editor, script);

    bool evaluatingWhenStopped = false;
    QTimer::singleShot(100, &editor, [&editor, &evaluatingWhenStopped] {
        evaluatingWhenStopped = editor.isEvaluating();
        editor.stopEvaluation();
    });
    editor.run();
    QVERIFY(evaluatingWhenStopped);
    QVERIFY(!editor.isEvaluating());
    QVERIFY(editor.hasError());

    const QStringList lines = outputLines(editor);
    QCOMPARE(lines.value(0), QStringLiteral("before"));
    QCOMPARE(lines.value(1), QStringLiteral("Evaluation Error:"));
    QCOMPARE(lines.value(2), QStringLiteral("Error: Script evaluation is stopped by user"));
    QVERIFY2(!outputText(editor).contains(QLatin1String("after")), qPrintable(outputText(editor)));
    QVERIFY2(!outputText(editor).contains(QLatin1String("included file")), qPrintable(outputText(editor)));
}

void tst_RunPipelineStopping::stopWithNothingRunningOnlySetsTheFlag()
{
    Editor editor;
    editor.setText(QStringLiteral("printout('x');"));
    editor.run();
    const QString html = editor.outputHtml();

    editor.stopEvaluation();
    QVERIFY(editor.hasError());
    QCOMPARE(editor.outputHtml(), html);

    // Nothing is left pending in the engine for the next run.
    editor.setText(QStringLiteral("printout('y');"));
    editor.run();
    QVERIFY(!editor.hasError());
    QCOMPARE(outputText(editor), QStringLiteral("y"));
}

void tst_RunPipelineStopping::stopEndsABusyScript_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("empty loop") << "while (true) {}" << "Evaluation Error:";
    // What it printed before the stop stays in the pane. It prints now and then: the red report sets the
    // whole pane again, which takes a while for a pane of thousands of lines.
    QTest::newRow("loop that prints")
        << "var i = 0;\nwhile (true) { if (i % 200000 == 0) printout('line ' + i); ++i; }" << "line 0";
}

void tst_RunPipelineStopping::stopEndsABusyScript()
{
    QFETCH(QString, script);
    QFETCH(QString, firstLine);
    Editor editor;
    editor.setText(script);

    // The user's commands while the script loops: none may touch the running Editor.
    QTimer::singleShot(100, &editor, [&editor] { editor.setText(QStringLiteral("printout('replaced');")); });
    QTimer::singleShot(150, &editor, [&editor] { editor.run(); });
    QTimer::singleShot(200, &editor, [&editor] { editor.newFile(); });
    QTimer::singleShot(220, &editor, [&editor] { editor.debug(); });
    bool runningWhenStopped = false;
    QTimer::singleShot(300, &editor, [&] {
        runningWhenStopped = editor.isRunning() && editor.isEvaluating();
        editor.stopEvaluation();
    });
    // Keeps a loop that Stop missed from running for ever.
    bool missed = false;
    QTimer::singleShot(HangBoundMs, &editor, [&] {
        missed = true;
        editor.findChild<QScriptEngine *>()->abortEvaluation();
    });
    QSignalSpy runningChanges(&editor, &Editor::runningChanged);
    editor.run();

    QVERIFY(runningWhenStopped);
    QVERIFY(!missed);
    QVERIFY(!editor.isRunning());
    QVERIFY(editor.hasError());
    QCOMPARE(runningChanges.count(), 2);
    QCOMPARE(runningChanges.at(0).at(0).toBool(), true);
    QCOMPARE(runningChanges.at(1).at(0).toBool(), false);
    QCOMPARE(editor.document()->toPlainText(), script);

    const QStringList lines = outputLines(editor);
    QCOMPARE(lines.value(0), firstLine);
    const int report = lines.lastIndexOf(QStringLiteral("Evaluation Error:"));
    QVERIFY2(report >= 0, qPrintable(outputText(editor)));
    QCOMPARE(lines.value(report + 1), QStringLiteral("Error: Script evaluation is stopped by user"));

    // The Editor takes commands again.
    editor.setText(QStringLiteral("printout('next');"));
    editor.run();
    QVERIFY(!editor.hasError());
    QCOMPARE(outputText(editor), QStringLiteral("next"));
}

void tst_RunPipelineStopping::stopEndsABusyCallback_data()
{
    QTest::addColumn<QString>("arming");
    QTest::newRow("timer callback") << "singleShotTimer(50).timeout.connect(busy);";
    QTest::newRow("handler of a widget's signal") << "Button.clicked.connect(busy);";
}

// The script has ended when its callback starts looping, outside any evaluation: Stop must reach it all the same,
// and a later callback of the stopped script ends at once, until the next run.
void tst_RunPipelineStopping::stopEndsABusyCallback()
{
    QFETCH(QString, arming);
    Editor editor;
    QPushButton button;
    QPushButton later;
    editor.addScriptObject(&button, QStringLiteral("Button"));
    editor.addScriptObject(&later, QStringLiteral("Later"));
    editor.setText(QStringLiteral("function busy() { printout('looping'); while (true) {} }\n"
                                  "Later.clicked.connect(function() {\n"
                                  "    var start = new Date(); while (new Date() - start < 300) {}\n"
                                  "    printout('later ended');\n"
                                  "});\n")
                   + arming);
    editor.run();
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));
    QVERIFY(!editor.isRunning());

    QObject context;
    QTimer::singleShot(100, &context, [&button] { button.click(); });
    bool stopped = false;
    QString outputWhenStopped;
    QTimer::singleShot(400, &context, [&] {
        outputWhenStopped = outputText(editor);
        stopped = true;
        editor.stopEvaluation();
    });
    // Keeps a callback that Stop missed from looping for ever.
    bool missed = false;
    QTimer::singleShot(HangBoundMs, &context, [&] {
        missed = true;
        editor.findChild<QScriptEngine *>()->abortEvaluation();
    });
    QTRY_VERIFY_WITH_TIMEOUT(stopped, HangBoundMs);
    QVERIFY(!missed);
    QCOMPARE(outputWhenStopped, QStringLiteral("looping"));
    QVERIFY(editor.hasError());
    QCOMPARE(outputLines(editor),
             QStringList({"looping", "Evaluation Error:", "Error: Script evaluation is stopped by user"}));

    // The window's loop waits for its next event, as it does after the Stop click.
    QTimer tick;
    QSignalSpy ticks(&tick, &QTimer::timeout);
    tick.start(10);
    QVERIFY(ticks.wait(HangBoundMs));
    later.click();
    QVERIFY2(!outputLines(editor).contains(QStringLiteral("later ended")), qPrintable(outputText(editor)));
}

// A window that closes stops its script for good: its timers and handlers stay connected, and one that starts
// looping afterwards would have nobody left to stop it. Each such callback ends at once, every time, until the
// next run, whose callbacks run as usual.
void tst_RunPipelineStopping::callbacksAfterAClosingStopEndAtOnce()
{
    Editor editor;
    QPushButton button;
    QPushButton later;
    editor.addScriptObject(&button, QStringLiteral("Button"));
    editor.addScriptObject(&later, QStringLiteral("Later"));
    editor.setText(QStringLiteral("Button.clicked.connect(function() { printout('looping'); while (true) {} });"));
    editor.run();
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));

    editor.stopEvaluation();
    QObject context;
    // Keeps a callback that the stop missed from looping for ever.
    bool missed = false;
    QTimer::singleShot(3000, &context, [&] {
        missed = true;
        editor.stopEvaluation();
    });
    // The handler runs inside click(): once it returns, the handler has ended.
    for (int round = 0; round < 2; ++round) {
        button.click();
        QVERIFY(!missed);
        // The next round's abort is set again from the window's loop.
        QTimer tick;
        QSignalSpy ticks(&tick, &QTimer::timeout);
        tick.start(10);
        QVERIFY(ticks.wait(HangBoundMs));
    }

    editor.setText(QStringLiteral("Later.clicked.connect(function() {\n"
                                  "    var start = new Date(); while (new Date() - start < 300) {}\n"
                                  "    printout('later ended');\n"
                                  "});"));
    editor.run();
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));
    later.click();
    QVERIFY(!missed);
    QCOMPARE(outputLines(editor).constLast(), QStringLiteral("later ended"));
}

void tst_RunPipelineStopping::scriptTimersWaitForTheScriptToWait_data()
{
    QTest::addColumn<bool>("embedded");
    QTest::addColumn<QString>("arming");
    QTest::addColumn<QString>("wait");
    QTest::newRow("singleShotTimer") << false << "singleShotTimer(50).timeout.connect(fire);" << "delay(100);";
    QTest::newRow("createTimer") << false << "var t = createTimer(); t.timeout.connect(fire); t.start(50);"
                                 << "delay(100);";
    QTest::newRow("startFunction") << true << "startFunction(50, fire);" << "delay(100);";
    // A slot of a published object is a wait as a global function is.
    QTest::newRow("Support.delay") << false << "singleShotTimer(50).timeout.connect(fire);" << "Support.delay(100);";
}

void tst_RunPipelineStopping::scriptTimersWaitForTheScriptToWait()
{
    QFETCH(bool, embedded);
    QFETCH(QString, arming);
    QFETCH(QString, wait);
    Editor editor;
    editor.setUseEmbeddedFunctions(embedded);
    editor.setText(QStringLiteral("var fired = 0;\n"
                                  "function fire() { ++fired; }\n")
                   + arming
                   + QStringLiteral("\nvar start = new Date();\n"
                                    "while (new Date() - start < 400) {}\n"
                                    "printout('after the loop: ' + fired);\n")
                   + wait + QStringLiteral("\nprintout('after the delay: ' + fired);"));
    // The window is handled during the loop all the same.
    int ticks = 0;
    QTimer windowEvents;
    windowEvents.setInterval(20);
    connect(&windowEvents, &QTimer::timeout, &editor, [&ticks] { ++ticks; });
    windowEvents.start();
    editor.run();

    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));
    QCOMPARE(outputLines(editor), QStringList({"after the loop: 0", "after the delay: 1"}));
    QVERIFY2(ticks >= 2, qPrintable(QString::number(ticks)));
}

void tst_RunPipelineStopping::dialogHandlerArmedBeforeABusyStepFindsItsDialog()
{
    Editor editor;
    editor.setUseEmbeddedFunctions(true);
    editor.setText(QStringLiteral("dialogHandler(function() { getVisibleDialog().accept(); });\n"
                                  "var start = new Date();\n"
                                  "while (new Date() - start < 300) {}\n"
                                  "information('handled');\n"
                                  "printout('done');"));
    // A dialog that the handler missed is closed here, so that the test ends either way.
    QObject context;
    bool missed = false;
    QTimer::singleShot(3000, &context, [&missed] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            missed = true;
            modal->close();
        }
    });
    editor.run();

    QVERIFY(!missed);
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));
    QCOMPARE(outputText(editor), QStringLiteral("done"));
}

TARSEL_APP_TEST_MAIN(tst_RunPipelineStopping)
#include "tst_RunPipelineStopping.moc"
