#include "app/ScriptCompressor.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "TestApp.h"

#include <QDir>
#include <QFile>
#include <QScriptEngine>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Shows the lines of both texts side by side from the first that differs, blanks and tabs made visible.
QString difference(const QString &expected, const QString &actual)
{
    const QStringList want = expected.split('\n');
    const QStringList got = actual.split('\n');
    auto visible = [](QString line) { return line.replace('\t', "\\t").replace(' ', "\u00b7"); };
    QString report = "\n";
    for (int i = 0; i < qMax(want.size(), got.size()); ++i) {
        const bool same = want.value(i) == got.value(i);
        report += QString("%1 want: %2\n%1  got: %3\n")
                      .arg(same ? "  " : "!!", visible(want.value(i)), visible(got.value(i)));
    }
    return report;
}

// What a script leaves as its value, or its uncaught error, in an engine of its own.
QString evaluated(const QString &script)
{
    QScriptEngine engine;
    const QScriptValue value = engine.evaluate(script);
    return engine.hasUncaughtException() ? "error: " + value.toString() : value.toString();
}

} // namespace

class tst_ScriptCompressor : public QObject
{
    Q_OBJECT

private slots:
    void corpus_data();
    void corpus();
    void rules_data();
    void rules();
    void editorDocumentIsCompressedUnchanged();
};

void tst_ScriptCompressor::corpus_data()
{
    QTest::addColumn<QString>("folder");
    const QString root = QStringLiteral(TARSEL_TEST_DATA_DIR "/compressor");
    QVERIFY2(!root.isEmpty(), "tests/data/compressor not found");
    const QStringList cases = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(!cases.isEmpty());
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << root + '/' + name;
}

// Each folder holds a script and its expected compressed form; the form must also run to the same value.
void tst_ScriptCompressor::corpus()
{
    QFETCH(QString, folder);
    const QString input = readText(folder + "/input.js");
    const QString expected = readText(folder + "/expected.js");
    QVERIFY2(!input.isEmpty() && !expected.isEmpty(), qPrintable(folder));

    const QString compressed = ScriptCompressor(input);
    QVERIFY2(compressed == expected, qPrintable(difference(expected, compressed)));

    const QScriptSyntaxCheckResult syntax = QScriptEngine::checkSyntax(compressed);
    QVERIFY2(syntax.state() == QScriptSyntaxCheckResult::Valid,
             qPrintable(QString("line %1: %2").arg(syntax.errorLineNumber()).arg(syntax.errorMessage())));
    const QString original = evaluated(input);
    QVERIFY2(!original.startsWith("error: "), qPrintable(original));
    QCOMPARE(evaluated(compressed), original);
}

void tst_ScriptCompressor::rules_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::newRow("empty text") << "" << "";
    QTest::newRow("only comments") << "/* a */// b" << "";
    QTest::newRow("two comments on two lines leave one line feed") << "// a\n// b" << "\n";
    QTest::newRow("two blanks between letters become one") << "var  a  b" << "var a b";
    QTest::newRow("first three characters are kept") << "a  + b" << "a  +b";
    QTest::newRow("last line feed is kept") << "a;\n" << "a;\n";
    QTest::newRow("line feed after a semicolon goes") << "var a = 1;\nb = 2;\n" << "var a=1;b=2;\n";
    QTest::newRow("empty lines go") << "var a\n\n\nvar b\nx" << "var a\nvar b\nx";
    QTest::newRow("tab before an operator stays") << "var a\t+ b" << "var a\t+b";
    QTest::newRow("blanks before a line break go") << "var a = 1 \t \nb" << "var a=1\nb";
    QTest::newRow("comment at the start ends at its own close") << "/**/x = 1" << "x=1";
    QTest::newRow("block comment close before an open") << "/* a *//* b */ x" << " x";
    QTest::newRow("line marker inside a block comment") << "a;/* // */ b;" << "a;b;";
    QTest::newRow("block marker inside a line comment") << "a; // /*\nb; // */" << "a;b;";
    QTest::newRow("unterminated block comment") << "a;/* b" << "a;";
    QTest::newRow("comment between words keeps them apart") << "var/**/x" << "var x";
    QTest::newRow("comment over lines separates like a blank") << "var x = 1 /*\n*/ + 2" << "var x=1+2";
    QTest::newRow("string keeps its blanks and markers") << "var s =  'a  // b'  ;" << "var s='a  // b';";
    QTest::newRow("escaped quote stays in the string") << "var s = \"a\\\" // b\"; c" << "var s=\"a\\\" // b\";c";
    QTest::newRow("unterminated string ends at the line") << "var s = 'a  \nb = 1" << "var s='a  \nb=1";
    QTest::newRow("regular expression after return") << "return /a  b/" << "return/a  b/";
    QTest::newRow("regular expression at the start") << "/a  b/.test(x)" << "/a  b/.test(x)";
    QTest::newRow("slash in a character class") << "var x = /[/]  /;" << "var x=/[/]  /;";
    QTest::newRow("division after a bracket") << "var x = a[1] / b / c" << "var x=a[1]/b/c";
    QTest::newRow("division after a postfix increment") << "var x = i++ / 2 // c\ny" << "var x=i++/2\ny";
    QTest::newRow("division and a regular expression keep apart") << "var x = a / /b/.source" << "var x=a/ /b/.source";
    QTest::newRow("signs keep apart") << "var x = a - -b + +c" << "var x=a- -b+ +c";
}

void tst_ScriptCompressor::rules()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    const QString compressed = ScriptCompressor(input);
    QVERIFY2(compressed == output, qPrintable(difference(output, compressed)));
}

void tst_ScriptCompressor::editorDocumentIsCompressedUnchanged()
{
    QMMistlark::Editor editor;
    const QString script = "var a = 1;  // one\nvar b = a + 1;\n";
    editor.setText(script);
    QCOMPARE(ScriptCompressor(&editor), QString("var a=1;var b=a+1;\n"));
    QCOMPARE(editor.document()->toPlainText(), script);
}

TARSEL_APP_TEST_MAIN(tst_ScriptCompressor)
#include "tst_ScriptCompressor.moc"
