// Compresses a generated 1 MB script: throughput beside the engine's syntax check of the same text, the
// output size beside the JSMin reference (Debian's python3-jsmin), and whether the result still runs alike.
// Prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "app/ScriptCompressor.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QProcess>
#include <QScriptEngine>
#include <QTemporaryFile>

#include <cstdio>
#include <functional>

static const int targetBytes = 1000 * 1000;
static const int repetitions = 5;

static double bestSeconds(const std::function<void()> &work)
{
    return bestMilliseconds(repetitions, work) / 1e3;
}

// Blocks with comments, strings holding "//", regular expressions and unary minus; each adds to a total
// so that the script's value depends on every block.
static QString generatedScript()
{
    QString script = QStringLiteral("var total = 0;\n");
    for (int block = 0; script.size() < targetBytes; ++block) {
        script += QStringLiteral(
                      "/* block %1: a comment with \"quotes\" and // markers */\n"
                      "function step%1(x) {\n"
                      "    // the link below is a string, not a comment\n"
                      "    var link = \"http://example.org/%1\";   \n"
                      "    var re = /\\/\\/ *[a-z]+/;\n"
                      "    var n = - -x + (re.test(link) ? 1 : 0) - -%1;\n"
                      "    return n\t* 2 / 2\n"
                      "}\n"
                      "total += step%1(%1) % 7;\n")
                      .arg(block);
    }
    return script + QStringLiteral("total;\n");
}

static QString evaluated(const QString &script)
{
    QScriptEngine engine;
    const QScriptValue value = engine.evaluate(script);
    return engine.hasUncaughtException() ? QStringLiteral("error: ") + value.toString() : value.toString();
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString script = generatedScript();
    const double megabytes = script.toUtf8().size() / 1e6;

    QString compressed;
    const double compressSeconds = bestSeconds([&] { compressed = ScriptCompressor(script); });
    bool syntaxValid = true;
    const double checkSeconds = bestSeconds([&] {
        syntaxValid = QScriptEngine::checkSyntax(script).state() == QScriptSyntaxCheckResult::Valid;
    });
    const double compressRate = megabytes / compressSeconds;
    const double checkRate = megabytes / checkSeconds;
    std::printf("compress throughput\t%.1f\tMB/s\t-\n", compressRate);
    std::printf("checkSyntax throughput\t%.1f\tMB/s\t-\n", checkRate);
    printRow(QStringLiteral("compress / checkSyntax"), compressRate / checkRate, "x", QStringLiteral(">= 2"));

    const QByteArray output = compressed.toUtf8();
    std::printf("input bytes\t%d\tbytes\t-\n", script.toUtf8().size());
    std::printf("compressed bytes\t%d\tbytes\t-\n", output.size());

    QTemporaryFile file;
    qint64 jsminBytes = -1;
    if (file.open()) {
        file.write(script.toUtf8());
        file.flush();
        QProcess jsmin;
        jsmin.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-m"), QStringLiteral("jsmin"), file.fileName()});
        if (jsmin.waitForFinished(120000) && jsmin.exitStatus() == QProcess::NormalExit && jsmin.exitCode() == 0)
            jsminBytes = jsmin.readAllStandardOutput().size();
    }
    if (jsminBytes >= 0)
        std::printf("JSMin reference bytes\t%lld\tbytes\t-\n", jsminBytes);
    else
        std::printf("JSMin reference bytes\tn/a\tbytes\t-\n");

    const bool alike = syntaxValid
                       && QScriptEngine::checkSyntax(compressed).state() == QScriptSyntaxCheckResult::Valid
                       && evaluated(compressed) == evaluated(script) && !evaluated(script).startsWith("error");
    printWordRow(QStringLiteral("compressed runs alike"), alike ? "yes" : "no", "yes");
    return 0;
}
