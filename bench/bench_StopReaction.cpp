// Times how long Stop takes to end a script in each place where one can hold its window: a loop in the document,
// a wait, a loop in an included file (its check before the run), a busy timer callback, a chain of timers and a
// dialog.
// Prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "TestApp.h"

#include "scripting/editor/Editor.h"
#include "scripting/editor/OutputArea.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

static const int samples = 5;
// Long enough for the script to be deep in its loop, its dialog or its chain.
static const int stopAfterMilliseconds = 150;

struct Kind
{
    const char *label;
    const char *script;
    bool runHolds; // false: run() returns at once and the script goes on in its callbacks
};

static const Kind kinds[] = {
    {"document loop", "var x = 0; while (true) { x++; }", true},
    {"wait", "delay(20000);", true},
    {"included loop", "include(\"loop.js\");", true},
    {"callback", "singleShotTimer(10).timeout.connect(function() { var x = 0; while (true) { x++; } });", false},
    {"timer chain", "var c = 0; function f() { c++; singleShotTimer(1).timeout.connect(f); } f();", false},
    {"dialog", "while (true) textDialog('name', 'x');", true},
};

// Milliseconds from the moment Stop is due until the script's code has left the stack: the wait for the script
// to let the window handle the click counts as the user sees it. Negative when the stop did not end the run.
static double stopReaction(QMMistlark::Editor &editor, const Kind &kind)
{
    editor.setText(QString::fromLatin1(kind.script));
    QElapsedTimer sinceStart;
    sinceStart.start();
    bool stopped = false;
    QTimer::singleShot(stopAfterMilliseconds, Qt::PreciseTimer, &editor, [&] {
        stopped = true;
        editor.stopEvaluation();
    });
    editor.run();
    // A busy callback holds one pass of this loop; the pass returns once Stop has ended it.
    while (!stopped)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double reaction = double(sinceStart.nsecsElapsed()) / 1e6 - stopAfterMilliseconds;
    if (kind.runHolds && !editor.hasError())
        return -1;
    return reaction;
}

// Stop after a flood of output, the stop's red report included: its cost must not grow with what was printed.
static double stopAfterOutput(QMMistlark::Editor &editor, int lines)
{
    editor.setText(QStringLiteral("for (var i = 0; i < %1; i++) printout('line ' + i);\nwhile (true) {}").arg(lines));
    const auto *pane = editor.findChild<QMMistlark::OutputArea *>();
    QElapsedTimer sinceStop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &editor, [&] {
        if (pane->document()->blockCount() < lines)
            return;
        watch.stop();
        sinceStop.start();
        editor.stopEvaluation();
    });
    watch.start(5);
    editor.run();
    return sinceStop.isValid() && editor.hasError() ? double(sinceStop.nsecsElapsed()) / 1e6 : -1;
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    QTemporaryDir dir;
    QFile loop(QDir(dir.path()).filePath(QStringLiteral("loop.js")));
    if (!dir.isValid() || !loop.open(QIODevice::WriteOnly) || loop.write("var x = 0; while (true) { x++; }") < 0)
        return 1;
    loop.close();
    // The included file is found beside the working directory of a script never saved.
    QDir::setCurrent(dir.path());

    for (const Kind &kind : kinds) {
        QMMistlark::Editor editor;
        QVector<double> reactions;
        for (int sample = 0; sample < samples; ++sample) {
            const double reaction = stopReaction(editor, kind);
            if (reaction < 0) {
                std::fprintf(stderr, "bench_StopReaction: %s: Stop did not end the run\n", kind.label);
                return 1;
            }
            reactions << reaction;
        }
        std::sort(reactions.begin(), reactions.end());
        printRow(QStringLiteral("Stop reaction, %1").arg(QLatin1String(kind.label)), reactions.at(samples / 2), "ms",
                 QStringLiteral("< 200"), 1);
    }
    QMMistlark::Editor editor;
    const double afterOutput = stopAfterOutput(editor, 100 * 1000);
    if (afterOutput < 0) {
        std::fprintf(stderr, "bench_StopReaction: Stop did not end the run after its output\n");
        return 1;
    }
    printRow(QStringLiteral("Stop reaction, after 100,000 printed lines"), afterOutput, "ms", QStringLiteral("< 200"), 1);
    return 0;
}
