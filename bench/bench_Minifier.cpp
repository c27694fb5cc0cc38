// Times JavaScriptMinifier::minify of a script of about 1 MB beside QScriptEngine::checkSyntax of it;
// prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MTools/JavaScriptMinifier.h"

#include <QCoreApplication>
#include <QScriptEngine>

#include <cstdio>

static const int repetitions = 5;

// One block of ordinary script: comments, strings, a regular expression, blocks and operators.
static QString block(int index)
{
    return QStringLiteral(
               "/*\n * Block %1: a documented helper.\n */\n"
               "function helper%1(list, pattern) {\n"
               "    // Keep the items that match, in order.\n"
               "    var kept = [];\n"
               "    for (var i = 0; i < list.length; i++) {\n"
               "        if (pattern.test(list[i]) && list[i] !== \"skip  me\") {\n"
               "            kept.push(list[i] + ' #' + i);   /* tagged */\n"
               "        }\n"
               "    }\n"
               "    var total = kept.length + ++i - -1;\n"
               "    return { items: kept, total: total, re: /a[\\/b]+c/g };\n"
               "}\n\n")
        .arg(index);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString script;
    for (int i = 0; script.size() < 1000000; ++i)
        script += block(i);
    if (QScriptEngine::checkSyntax(script).state() != QScriptSyntaxCheckResult::Valid) {
        std::fprintf(stderr, "bench_Minifier: the script does not parse\n");
        return 1;
    }

    QString minified;
    const double minify = bestMilliseconds(repetitions, [&] { minified = JavaScriptMinifier::minify(script); });
    int state = 0;
    const double check = bestMilliseconds(repetitions, [&] { state += int(QScriptEngine::checkSyntax(script).state()); });
    if (QScriptEngine::checkSyntax(minified).state() != QScriptSyntaxCheckResult::Valid) {
        std::fprintf(stderr, "bench_Minifier: the minified script does not parse\n");
        return 1;
    }
    std::printf("minify %d bytes\t%.3f\tms\t-\n", int(script.size()), minify);
    std::printf("checkSyntax %d bytes\t%.3f\tms\t-\n", int(script.size()), check);
    printRow(QStringLiteral("minify / checkSyntax"), minify / check, "x", QStringLiteral("<= 1"));
    std::printf("output bytes per input byte\t%.3f\tratio\t-\n", double(minified.size()) / double(script.size()));
    return state >= 0 ? 0 : 1;
}
