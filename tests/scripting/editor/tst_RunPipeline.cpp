#include "ChildRun.h"
#include "EditorRun.h"
#include "HostileFile.h"
#include "RunPipelineFixtures.h"
#include "TestApp.h"

#include "MTools/FileReading.h"
#include "scripting/editor/Editor.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <sys/stat.h>
#include <sys/types.h>

using QMMistlark::Editor;
using namespace RunPipelineTest;

namespace {

QString includeHeader(const QString &fileName)
{
    return QStringLiteral("\n // ------- included file \"") + fileName + QStringLiteral("\"--------\n");
}

const char mainProgramMark[] = "// --------- Main Program ----------\n";

} // namespace

class tst_RunPipeline : public ScriptFolderTest
{
    Q_OBJECT

private slots:
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
};

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

TARSEL_APP_TEST_MAIN(tst_RunPipeline)
#include "tst_RunPipeline.moc"
