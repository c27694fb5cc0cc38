#include "ChildRun.h"
#include "EditorRun.h"
#include "HangBound.h"
#include "HostileFile.h"
#include "TestApp.h"

#include "MTools/FileReading.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScriptEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

#include <sys/stat.h>
#include <sys/types.h>

using QMMistlark::Editor;

namespace {

// The output as its lines; a red report added to an empty pane leaves an empty first line, which says nothing.
QStringList outputLines(const Editor &editor)
{
    QStringList lines;
    const QStringList all = outputText(editor).split(QLatin1Char('\n'));
    for (const QString &line : all) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    return lines;
}

QString includeHeader(const QString &fileName)
{
    return QStringLiteral("\n // ------- included file \"") + fileName + QStringLiteral("\"--------\n");
}

const char mainProgramMark[] = "// --------- Main Program ----------\n";

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

class tst_RunPipeline : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void documentWithoutIncludesRunsAsItStands();
    void failures_data();
    void failures();
    void hostileIncludedFilesAreRefused_data();
    void hostileIncludedFilesAreRefused();
    void errorLinesAreCorrectedByThePrologue_data();
    void errorLinesAreCorrectedByThePrologue();
    void prologueOfATwoLineInclude();
    void includeRules_data();
    void includeRules();
    void includeNamesResolve_data();
    void includeNamesResolve();
    void embeddedFunctionsRunWhenAskedFor();
    void includedFileRunsAsItWasChecked();
    void changedIncludeIsCheckedAgain_data();
    void changedIncludeIsCheckedAgain();

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

    void debugReportsSyntaxErrorsWithoutTheDebugger();
    void debugRunsUnderTheDebugger_data();
    void debugRunsUnderTheDebugger();
    void debuggerOpensWhereItsCodeReads();
    void closingTheDebuggerStopsTheRun_data();
    void closingTheDebuggerStopsTheRun();

private:
    QString path(const QString &relative) const;
    void writeFile(const QString &relative, const QByteArray &content);
    void openScript(Editor &editor, const QString &text);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_workingDirectory;
};

void tst_RunPipeline::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY2(m_dir->isValid(), qPrintable(m_dir->errorString()));
    m_workingDirectory = QDir::currentPath();
}

void tst_RunPipeline::cleanup()
{
    QDir::setCurrent(m_workingDirectory);
    m_dir.reset();
}

QString tst_RunPipeline::path(const QString &relative) const
{
    return QDir(m_dir->path()).filePath(relative);
}

void tst_RunPipeline::writeFile(const QString &relative, const QByteArray &content)
{
    const QString fileName = path(relative);
    QVERIFY(QDir().mkpath(QFileInfo(fileName).absolutePath()));
    QFile file(fileName);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(content), qint64(content.size()));
}

// Saves the script beside its includes and opens it, as a user would before running it.
void tst_RunPipeline::openScript(Editor &editor, const QString &text)
{
    writeFile(QStringLiteral("main.js"), text.toUtf8());
    editor.open(path(QStringLiteral("main.js")));
    QCOMPARE(editor.fileName(), path(QStringLiteral("main.js")));
}

void tst_RunPipeline::documentWithoutIncludesRunsAsItStands()
{
    Editor editor;
    editor.setText(QStringLiteral("printout(1);\nprintout(2);\nnoSuchFunction();\nprintout(3);"));
    QCOMPARE(editor.buildPrologue(), QString());
    editor.run();
    QVERIFY(editor.hasError());
    QCOMPARE(outputLines(editor), QStringList({"1", "2", "Evaluation Error: Line:3",
                                               "ReferenceError: Can't find variable: noSuchFunction",
                                               "Backtrace: <global>() at 3"}));

    editor.setText(QStringLiteral("printout('fine');"));
    editor.run();
    QVERIFY2(!editor.hasError(), "the next run clears the flag first");
    QCOMPARE(outputText(editor), QStringLiteral("fine"));
}

void tst_RunPipeline::failures_data()
{
    QTest::addColumn<QStringList>("files"); // name, content, name, content...; a content of "/" makes a folder
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected"); // "%1" stands for the script's folder

    QTest::newRow("syntax error in the document, nothing runs")
        << QStringList() << "printout(1);\nvar s = 'open;\nprintout(2);"
        << QStringList({"Syntax Error:Unclosed string at end of line", "Line:2", "Column:9"});
    QTest::newRow("syntax error in an included file")
        << QStringList({"lib.js", "var s = 'open;"}) << "include(\"lib.js\");\nprintout(1);"
        << QStringList({"Evaluation Error in included file:\"%1/lib.js\"", "nLine1",
                        "SyntaxError: Parse error", "Backtrace:",
                        "Syntax Error in included file Unclosed string at end of line"});
    QTest::newRow("uncaught exception in the document")
        << QStringList() << "printout('a');\nundefinedName;"
        << QStringList({"a", "Evaluation Error: Line:2", "ReferenceError: Can't find variable: undefinedName",
                        "Backtrace: <global>() at %1/main.js:2"});
    QTest::newRow("uncaught exception in an included file")
        << QStringList({"lib.js", "function boom() { throw new Error('deep'); }"})
        << "include(\"lib.js\");\nprintout('a');\nboom();"
        << QStringList({"a", "Evaluation Error in included file"});
    QTest::newRow("included file missing, the run goes on")
        << QStringList() << "include(\"missing.js\");\nprintout('ran');"
        << QStringList({"Error: The included file\"%1/missing.js\" does not exist", "ran"});
    QTest::newRow("included file not readable, the run goes on")
        << QStringList({"folder.js", "/"}) << "include(\"folder.js\");\nprintout('ran');"
        << QStringList({"Error: The included file\"%1/folder.js\" can not be opened: It is a folder, not a file", "ran"});
    // Opening a named pipe waits for a writer: the run would hang where nothing can stop it.
    QTest::newRow("included named pipe is refused, the run goes on")
        << QStringList({"pipe.js", "|"}) << "include(\"pipe.js\");\nprintout('ran');"
        << QStringList({"Error: The included file\"%1/pipe.js\" can not be opened: "
                        "It is a named pipe, not a regular file", "ran"});
    // The file is checked in an engine without the published functions, but runs with them in the real one.
    QTest::newRow("included file fails in its own engine, still runs")
        << QStringList({"lib.js", "printout('from lib');"}) << "include(\"lib.js\");\nprintout('from main');"
        << QStringList({"Evaluation Error in included file:\"%1/lib.js\"", "nLine1",
                        "ReferenceError: Can't find variable: printout", "Backtrace: <global>() at 1", "from lib",
                        "from main"});
    QTest::newRow("incomplete document is the document's error, not the included file's")
        << QStringList({"lib.js", "var x = 1;"}) << "include(\"lib.js\");\nfunction f() {\n    printout(1);\n"
        << QStringList({"Syntax Error:Expected `}'", "Line:3", "Column:16"});
}

void tst_RunPipeline::failures()
{
    QFETCH(QStringList, files);
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    for (int i = 0; i + 1 < files.size(); i += 2) {
        if (files.at(i + 1) == QLatin1String("/"))
            QVERIFY(QDir().mkpath(path(files.at(i))));
        else if (files.at(i + 1) == QLatin1String("|"))
            QCOMPARE(mkfifo(QFile::encodeName(path(files.at(i))).constData(), 0600), 0);
        else
            writeFile(files.at(i), files.at(i + 1).toUtf8());
    }
    for (QString &line : expected)
        line.replace(QLatin1String("%1"), m_dir->path());

    Editor editor;
    openScript(editor, script);
    editor.run();
    QCOMPARE(outputLines(editor), expected);
    QVERIFY(editor.hasError());
}

void tst_RunPipeline::hostileIncludedFilesAreRefused_data()
{
    addHostileFileRows();
}

// Both the check in an engine of its own and the expansion read the file: neither may wait or swallow it.
void tst_RunPipeline::hostileIncludedFilesAreRefused()
{
    RUN_ROW_IN_CHILD();
    const HostileFile hostile = makeHostileFile(m_dir->path(), MTools::ScriptFileBound);
    Editor editor;
    openScript(editor, QStringLiteral("include(\"%1\");\nprintout('ran');").arg(hostile.path));
    editor.run();
    const QString refusal =
        QStringLiteral("Error: The included file\"%1\" can not be opened: %2").arg(hostile.path, hostile.reason);
    QCOMPARE(outputLines(editor), QStringList({refusal, "ran"}));
    QVERIFY(editor.hasError());
}

void tst_RunPipeline::errorLinesAreCorrectedByThePrologue_data()
{
    QTest::addColumn<bool>("embedded");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("report");

    QTest::newRow("no prologue") << false << "1;\n2;\nnoSuch();" << "Evaluation Error: Line:3";
    QTest::newRow("include") << false << "include(\"lib.js\");\nnoSuch();" << "Evaluation Error: Line:2";
    QTest::newRow("embedded functions") << true << "1;\nnoSuch();" << "Evaluation Error: Line:2";
    QTest::newRow("embedded functions and include")
        << true << "include(\"lib.js\");\n\nnoSuch();" << "Evaluation Error: Line:3";
    QTest::newRow("syntax error after an include") << false << "include(\"lib.js\");\nvar s = 'open;" << "Line:2";
}

void tst_RunPipeline::errorLinesAreCorrectedByThePrologue()
{
    QFETCH(bool, embedded);
    QFETCH(QString, script);
    QFETCH(QString, report);
    writeFile(QStringLiteral("lib.js"), "var a = 1;\nvar b = 2;");
    Editor editor;
    editor.setUseEmbeddedFunctions(embedded);
    openScript(editor, script);
    editor.run();
    QVERIFY(editor.hasError());
    QVERIFY2(outputLines(editor).contains(report), qPrintable(outputText(editor)));
}

void tst_RunPipeline::prologueOfATwoLineInclude()
{
    writeFile(QStringLiteral("lib.js"), "var a = 1;\nvar b = 2;");
    Editor editor;
    openScript(editor, QStringLiteral("include(\"lib.js\");\nprintout(a + b);"));
    const QString prologue = editor.buildPrologue();
    QCOMPARE(prologue, includeHeader(path(QStringLiteral("lib.js"))) + QStringLiteral("var a = 1;\nvar b = 2;\n")
                           + QLatin1String(mainProgramMark));
    // Four line breaks of its own and the file's inner one: the document's line 1 is the program's line 6.
    QCOMPARE(prologue.count(QLatin1Char('\n')), 5);
}

void tst_RunPipeline::includeRules_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("included");

    QTest::newRow("call form") << "include(\"a.js\");" << QStringList({"a.js"});
    QTest::newRow("blanks before the parenthesis") << "include  (\"a.js\");" << QStringList({"a.js"});
    QTest::newRow("in order of appearance") << "include(\"b.js\");\ninclude(\"a.js\");" << QStringList({"b.js", "a.js"});
    QTest::newRow("a line comment before the first disables all")
        << "// include(\"a.js\")\ninclude(\"b.js\");" << QStringList();
    QTest::newRow("a line comment before a later one does not")
        << "include(\"a.js\");\n// include(\"b.js\")" << QStringList({"a.js", "b.js"});
    QTest::newRow("an open block comment before the first disables all")
        << "/* notes\ninclude(\"a.js\");" << QStringList();
    QTest::newRow("a closed block comment does not") << "/* notes */\ninclude(\"a.js\");" << QStringList({"a.js"});
    QTest::newRow("an identifier starting with the word is no include")
        << "var includeName = \"a.js\";" << QStringList();
    QTest::newRow("an identifier before the first include")
        << "var includeName = \"b.js\";\ninclude(\"a.js\");" << QStringList({"a.js"});
    QTest::newRow("the word inside another word is no include") << "myinclude(\"a.js\");" << QStringList();
    QTest::newRow("an unclosed name ends the list")
        << "include(\"a.js\");\ninclude(\"b.js);" << QStringList({"a.js"});
    QTest::newRow("a file is included as often as named")
        << "include(\"a.js\");\ninclude(\"a.js\");" << QStringList({"a.js", "a.js"});
}

void tst_RunPipeline::includeRules()
{
    QFETCH(QString, script);
    QFETCH(QStringList, included);
    writeFile(QStringLiteral("a.js"), "var a = 1;");
    writeFile(QStringLiteral("b.js"), "var b = 2;");

    QString expected;
    for (const QString &name : qAsConst(included)) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        expected += includeHeader(path(name)) + QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
    }
    if (!expected.isEmpty())
        expected += QLatin1String(mainProgramMark);

    Editor editor;
    openScript(editor, script);
    QCOMPARE(editor.buildPrologue(), expected);
    QCOMPARE(outputText(editor), QString()); // no problem reported
}

void tst_RunPipeline::includeNamesResolve_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");

    QTest::newRow("bare name beside a saved script") << true << "lib.js" << "script folder";
    QTest::newRow("name with a folder from the working directory") << true << "sub/lib.js" << "working sub";
    QTest::newRow("bare name of a script never saved, working directory") << false << "lib.js" << "working folder";
}

void tst_RunPipeline::includeNamesResolve()
{
    QFETCH(bool, saved);
    QFETCH(QString, name);
    QFETCH(QString, found);
    writeFile(QStringLiteral("scripts/lib.js"), "var where = 'script folder';");
    writeFile(QStringLiteral("scripts/sub/lib.js"), "var where = 'script sub';");
    writeFile(QStringLiteral("work/lib.js"), "var where = 'working folder';");
    writeFile(QStringLiteral("work/sub/lib.js"), "var where = 'working sub';");
    QVERIFY(QDir::setCurrent(path(QStringLiteral("work"))));

    const QString script = QStringLiteral("include(\"") + name + QStringLiteral("\");\nprintout(where);");
    Editor editor;
    if (saved) {
        writeFile(QStringLiteral("scripts/main.js"), script.toUtf8());
        editor.open(path(QStringLiteral("scripts/main.js")));
    } else {
        editor.setText(script);
    }
    editor.run();
    QCOMPARE(outputText(editor), found);
    QVERIFY(!editor.hasError());
}

void tst_RunPipeline::embeddedFunctionsRunWhenAskedFor()
{
    Editor editor;
    editor.setText(QStringLiteral("printOut('via helper');"));
    editor.run();
    QVERIFY2(editor.hasError(), "no helpers unless asked for");

    editor.setUseEmbeddedFunctions(true);
    editor.run();
    QCOMPARE(outputText(editor), QStringLiteral("via helper"));
    QVERIFY(!editor.hasError());
    const QString prologue = editor.buildPrologue();
    QVERIFY(prologue.startsWith(editor.embeddedFunctions()));
    QCOMPARE(prologue.count(QLatin1Char('\n')), 22);
}

// The check lets events be handled while an included file loops: a change made then waits for the next run, and
// the run evaluates the text that its syntax check saw.
void tst_RunPipeline::includedFileRunsAsItWasChecked()
{
    writeFile(QStringLiteral("lib.js"), "var until = Date.now() + 300;\nwhile (Date.now() < until) {}\nvar where = 'checked';");
    Editor editor;
    openScript(editor, QStringLiteral("include(\"lib.js\");\nprintout(where);"));
    QTimer::singleShot(0, this, [this] {
        QFile file(path(QStringLiteral("lib.js")));
        if (file.open(QIODevice::WriteOnly))
            file.write("var where = 'changed';");
    });
    editor.run();
    QCOMPARE(outputLines(editor), QStringList({"checked"}));
    editor.run();
    QCOMPARE(outputLines(editor), QStringList({"changed"}));
}

void tst_RunPipeline::changedIncludeIsCheckedAgain_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second"); // null: left as it is; "-": removed
    QTest::addColumn<bool>("sameSizeLater"); // the second text has the first's size and a later time
    QTest::addColumn<QStringList>("expected"); // of the second run; "%1" stands for the script's folder

    QTest::newRow("unchanged, its problem is reported again")
        << QByteArray("var where = printout;") << QByteArray() << false
        << QStringList({"Evaluation Error in included file:\"%1/lib.js\"", "nLine1",
                        "ReferenceError: Can't find variable: printout", "Backtrace: <global>() at 1", "function"});
    QTest::newRow("grown") << QByteArray("var where = 'one';") << QByteArray("var where = 'three';") << false
                           << QStringList({"three"});
    QTest::newRow("same size, later time") << QByteArray("var where = 'one';") << QByteArray("var where = 'two';")
                                           << true << QStringList({"two"});
    QTest::newRow("now failing") << QByteArray("var where = 'one';") << QByteArray("var where = nothing;") << false
                                 << QStringList({"Evaluation Error in included file:\"%1/lib.js\"", "nLine1",
                                                 "ReferenceError: Can't find variable: nothing",
                                                 "Backtrace: <global>() at 1", "Evaluation Error in included file"});
    QTest::newRow("removed") << QByteArray("var where = 'one';") << QByteArray("-") << false
                             << QStringList({"Error: The included file\"%1/lib.js\" does not exist", "undefined"});
}

void tst_RunPipeline::changedIncludeIsCheckedAgain()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(bool, sameSizeLater);
    QFETCH(QStringList, expected);
    for (QString &line : expected)
        line.replace(QLatin1String("%1"), m_dir->path());
    writeFile(QStringLiteral("lib.js"), first);
    Editor editor;
    // The engine keeps what a run defined: the script forgets the included file's value for the next run.
    openScript(editor, QStringLiteral("include(\"lib.js\");\nprintout(typeof where == 'function' ? 'function' : where);\n"
                                      "where = undefined;"));
    editor.run();

    const QString library = path(QStringLiteral("lib.js"));
    const QDateTime checkedTime = QFileInfo(library).lastModified();
    if (second == "-") {
        QVERIFY(QFile::remove(library));
    } else if (!second.isNull()) {
        writeFile(QStringLiteral("lib.js"), second);
        if (sameSizeLater) {
            QCOMPARE(second.size(), first.size());
            QFile file(library);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(checkedTime.addSecs(60), QFileDevice::FileModificationTime));
        }
    }
    editor.run();
    QCOMPARE(outputLines(editor), expected);
}

void tst_RunPipeline::stopEndsAWaitingScript_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("no prologue") << "printout('before');\ndelay(10000);\nprintout('after');";
    // The stop error has no line; it must not be taken for the included file's.
    QTest::newRow("with an include") << "include(\"lib.js\");\nprintout('before');\ndelay(10000);\nprintout('after');";
    QTest::newRow("Support.delay") << "printout('before');\nSupport.delay(10000);\nprintout('after');";
}

void tst_RunPipeline::stopEndsAWaitingScript()
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

void tst_RunPipeline::stopWithNothingRunningOnlySetsTheFlag()
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

void tst_RunPipeline::stopEndsABusyScript_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("empty loop") << "while (true) {}" << "Evaluation Error:";
    // What it printed before the stop stays in the pane. It prints now and then: the red report sets the
    // whole pane again, which takes a while for a pane of thousands of lines.
    QTest::newRow("loop that prints")
        << "var i = 0;\nwhile (true) { if (i % 200000 == 0) printout('line ' + i); ++i; }" << "line 0";
}

void tst_RunPipeline::stopEndsABusyScript()
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

void tst_RunPipeline::stopEndsABusyCallback_data()
{
    QTest::addColumn<QString>("arming");
    QTest::newRow("timer callback") << "singleShotTimer(50).timeout.connect(busy);";
    QTest::newRow("handler of a widget's signal") << "Button.clicked.connect(busy);";
}

// The script has ended when its callback starts looping, outside any evaluation: Stop must reach it all the same,
// and a later callback of the stopped script ends at once, until the next run.
void tst_RunPipeline::stopEndsABusyCallback()
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
void tst_RunPipeline::callbacksAfterAClosingStopEndAtOnce()
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

void tst_RunPipeline::scriptTimersWaitForTheScriptToWait_data()
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

void tst_RunPipeline::scriptTimersWaitForTheScriptToWait()
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

void tst_RunPipeline::dialogHandlerArmedBeforeABusyStepFindsItsDialog()
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

void tst_RunPipeline::debugReportsSyntaxErrorsWithoutTheDebugger()
{
    Editor editor;
    editor.setText(QStringLiteral("printout(1);\nvar s = 'open;"));
    editor.debug();
    QVERIFY(editor.hasError());
    QCOMPARE(outputLines(editor), QStringList({"Syntax Error:Unclosed string at end of line", "Line:2", "Column:9"}));
    QCOMPARE(visibleMainWindows(), 0);
}

void tst_RunPipeline::debugRunsUnderTheDebugger_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("output");
    QTest::newRow("runs to the end") << "var x = 1;\nx = x + 41;\nprintout(x);" << "42";
    // The debugger shows an uncaught exception itself; the pane gets no report and the flag stays clear.
    QTest::newRow("exception is left to the debugger") << "printout('a');\nthrow new Error('x');" << "a";
}

void tst_RunPipeline::debugRunsUnderTheDebugger()
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

void tst_RunPipeline::closingTheDebuggerStopsTheRun_data()
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

void tst_RunPipeline::closingTheDebuggerStopsTheRun()
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
void tst_RunPipeline::debuggerOpensWhereItsCodeReads()
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

TARSEL_APP_TEST_MAIN(tst_RunPipeline)
#include "tst_RunPipeline.moc"
