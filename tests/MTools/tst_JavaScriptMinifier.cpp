#include "MTools/JavaScriptMinifier.h"

#include <QDir>
#include <QFile>
#include <QScriptEngine>
#include <QtTest>

namespace {

QString readUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<cannot read %1>").arg(path);
    return QString::fromUtf8(file.readAll());
}

// The completion value of a script in an engine of its own, or the text of its exception.
QString evaluate(const QString &script)
{
    QScriptEngine engine;
    const QScriptValue result = engine.evaluate(script);
    return engine.hasUncaughtException() ? QStringLiteral("exception: ") + result.toString() : result.toString();
}

QString visible(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\t'), QLatin1String("\\t"));
}

} // namespace

class tst_JavaScriptMinifier : public QObject
{
    Q_OBJECT

private slots:
    void cases_data();
    void cases();
    void transforms_data();
    void transforms();
    void eachRunStartsClean();
};

void tst_JavaScriptMinifier::cases_data()
{
    QTest::addColumn<QString>("folder");
    const QString root = QFINDTESTDATA("../data/minifier");
    QVERIFY2(!root.isEmpty(), "tests/data/minifier not found");
    const QStringList cases = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(!cases.isEmpty());
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << root + QLatin1Char('/') + name;
}

void tst_JavaScriptMinifier::cases()
{
    QFETCH(QString, folder);
    const QString input = readUtf8(folder + QLatin1String("/input.js"));
    const QString expected = readUtf8(folder + QLatin1String("/expected.js"));
    const QString output = JavaScriptMinifier::minify(input);
    QVERIFY2(output == expected,
             qPrintable(QStringLiteral("\nexpected: %1\nactual:   %2").arg(visible(expected), visible(output))));

    // A script the engine can run must run the same after minifying; the others (newer syntax,
    // cut-off input) are held to their text alone.
    if (QScriptEngine::checkSyntax(input).state() != QScriptSyntaxCheckResult::Valid)
        return;
    QCOMPARE(QScriptEngine::checkSyntax(output).state(), QScriptSyntaxCheckResult::Valid);
    QCOMPARE(evaluate(output), evaluate(input));
}

void tst_JavaScriptMinifier::transforms_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::newRow("byte-order mark as a character") << QString(QChar(0xFEFF)) + QStringLiteral("x = 1") << "\nx=1";
    QTest::newRow("byte-order mark as Latin-1 bytes") << QString::fromLatin1("\xef\xbb\xbfx = 1") << "\nx=1";
    QTest::newRow("a lone 0xEF is a name") << QString::fromLatin1("\xefx = 1") << QString::fromLatin1("\n\xefx=1");
    QTest::newRow("characters beyond the BMP") << QString::fromUtf8("'\xf0\x9f\x98\x80' + \xf0\x9f\x98\x80")
                                               << QString::fromUtf8("'\xf0\x9f\x98\x80'+\xf0\x9f\x98\x80");
    QTest::newRow("carriage return inside a template") << "`a\r\nb`" << "`a\r\nb`";
    QTest::newRow("control characters outside literals become blanks") << "a\x01\x02+\tb" << "\na+b";
    QTest::newRow("minus minus keeps its space") << "a - --b" << "\na- --b";
    QTest::newRow("regexp after equals keeps comment-like text") << "r = /a\\/* b/" << "\nr=/a\\/* b/";
    QTest::newRow("empty") << "" << "";
}

void tst_JavaScriptMinifier::transforms()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QCOMPARE(JavaScriptMinifier::minify(input), output);
}

void tst_JavaScriptMinifier::eachRunStartsClean()
{
    const QString script = QStringLiteral("var a = 1 ;\nb = /x/ ;");
    const QString fresh = JavaScriptMinifier::minify(script);
    for (const QString &cutOff : {QStringLiteral("x = /* open"), QStringLiteral("y = 'open"), QStringLiteral("z = /[a"),
                                  QStringLiteral("w = /re/")}) {
        JavaScriptMinifier::minify(cutOff);
        QCOMPARE(JavaScriptMinifier::minify(script), fresh);
    }
    QCOMPARE(fresh, QStringLiteral("\nvar a=1;b=/x/;"));
}

QTEST_GUILESS_MAIN(tst_JavaScriptMinifier)
#include "tst_JavaScriptMinifier.moc"
