// Times what scripts do to the program's objects in loops, through the stand-ins that guard them and through
// QtScript's plain wrappers of the same objects in the same run: property reads, writes, a slot that sets a text,
// reads on an object with 2,000 children and findChild. The guards may cost reads, calls and findChild at most
// half as much again, and writes at most double.
// Prints "measure<TAB>value<TAB>unit<TAB>goal<TAB>met" rows.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "TestApp.h"

#include "app/JavaScriptEvaluator.h"
#include "scripting/automation/ObjectWrapping.h"
#include "scripting/engine/ScriptEngine.h"

#include <QLabel>
#include <QLayout>
#include <QScriptEngine>

#include <cstdio>

namespace {

struct Workload
{
    const char *name;
    const char *script;
    const char *goal;
};

const Workload s_workloads[] = {
    {"100,000 property reads", "var x; for (var i = 0; i < 100000; i++) x = label.enabled;", "<= 1.5"},
    {"100,000 enabled = true writes", "for (var i = 0; i < 100000; i++) label.enabled = true;", "<= 2"},
    {"100,000 setText", "for (var i = 0; i < 100000; i++) label.setText('Run');", "<= 1.5"},
    {"100,000 reads on an object with 2,000 children",
     "var x; for (var i = 0; i < 100000; i++) x = crowded.objectName;", "<= 1.5"},
    {"10,000 findChild", "var x; for (var i = 0; i < 10000; i++) x = crowded.findChild('child1999');", "<= 1.5"},
};

// The objects of a workload in the engine's globals, as the engine hands them to scripts.
void publish(QScriptEngine &engine, QObject *label, QObject *crowded, bool guarded)
{
    const auto wrap = [&](QObject *object) {
        return guarded ? QMMistlark::wrapObject(&engine, object) : engine.newQObject(object);
    };
    engine.globalObject().setProperty(QStringLiteral("label"), wrap(label));
    engine.globalObject().setProperty(QStringLiteral("crowded"), wrap(crowded));
}

double runMilliseconds(QScriptEngine &engine, const char *script)
{
    return bestThreadCpuMilliseconds(5, [&] {
        engine.evaluate(QString::fromLatin1(script));
        if (engine.hasUncaughtException())
            std::fprintf(stderr, "bench_GuardedObjects: %s\n", qPrintable(engine.uncaughtException().toString()));
    });
}

} // namespace

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    JavaScriptEvaluator window(nullptr);
    window.show();
    // A label in the top window's layout, where a write that settled every layout cost most.
    auto *label = new QLabel(QStringLiteral("Run"));
    window.layout()->addWidget(label);
    QObject crowded;
    for (int i = 0; i < 2000; ++i)
        (new QObject(&crowded))->setObjectName(QStringLiteral("child%1").arg(i));

    QMMistlark::ScriptEngine guarded;
    QMMistlark::registerObjectTypes(&guarded);
    publish(guarded, label, &crowded, true);
    QScriptEngine plain;
    publish(plain, label, &crowded, false);

    // A word given on the command line picks the workloads whose name holds it, for a profiler.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (const Workload &workload : s_workloads) {
        if (!QLatin1String(workload.name).contains(only))
            continue;
        // Alternated, so that both meet the same state of the machine.
        const double plainMs = runMilliseconds(plain, workload.script);
        const double guardedMs = runMilliseconds(guarded, workload.script);
        printRow(QStringLiteral("%1, plain wrappers").arg(QLatin1String(workload.name)), plainMs, "ms");
        printRow(QStringLiteral("%1, guarded").arg(QLatin1String(workload.name)), guardedMs, "ms");
        printRow(QStringLiteral("%1, guarded / plain").arg(QLatin1String(workload.name)), guardedMs / plainMs, "x",
                 QLatin1String(workload.goal));
    }
    return 0;
}
