// Runs 200 one-line scripts as a batch, beside the same 200 open(QString) + run() calls made directly on an
// Editor, best of five rounds each, in elapsed time and in the thread's CPU time; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows. The goal: the batch takes at most 1.2 times as long.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "scripting/windows/BatchArea.h"
#include "scripting/editor/Editor.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

static const int scriptCount = 200;
static const int rounds = 5;

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < scriptCount; ++i) {
        const QString name = dir.filePath(QStringLiteral("s%1.js").arg(i));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write("var x = " + QByteArray::number(i) + " * 2;\n");
        names << name;
    }

    QMMistlark::Editor direct;
    QMWidgets::App::instance()->setValue(QStringLiteral("batchfiles"), names.join(QLatin1Char(';')));
    QMMistlark::Editor editor;
    editor.open(names.first());
    QMMistlark::BatchArea batch(&editor);

    const auto runDirect = [&] {
        for (const QString &name : names) {
            direct.open(name);
            direct.run();
        }
    };
    const auto runBatch = [&] { batch.run(); };
    // A first pass of each, untimed, so that neither side pays alone for what is made once.
    runDirect();
    runBatch();
    const double directMs = bestMilliseconds(rounds, runDirect);
    const double batchMs = bestMilliseconds(rounds, runBatch);
    const double directCpuMs = bestThreadCpuMilliseconds(rounds, runDirect);
    const double batchCpuMs = bestThreadCpuMilliseconds(rounds, runBatch);

    std::printf("direct open and run, 200 scripts\t%.1f\tms\t-\n", directMs);
    std::printf("batch run, 200 scripts\t%.1f\tms\t-\n", batchMs);
    printRow(QStringLiteral("batch over direct"), batchMs / directMs, "ratio", QStringLiteral("<= 1.2"));
    std::printf("direct open and run, thread CPU\t%.1f\tms\t-\n", directCpuMs);
    std::printf("batch run, thread CPU\t%.1f\tms\t-\n", batchCpuMs);
    printRow(QStringLiteral("batch over direct, thread CPU"), batchCpuMs / directCpuMs, "ratio", QStringLiteral("<= 1.2"));
    return 0;
}
