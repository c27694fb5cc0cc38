// Runs 200 one-line scripts as a batch, beside the same 200 open(QString) + run() calls made directly on an
// Editor; prints "measure<TAB>value<TAB>unit<TAB>goal" rows. The goal: the batch takes at most 1.2 times as long.
#include "TestApp.h"

#include "QMWidgets/App.h"
#include "scripting/BatchArea.h"
#include "scripting/Editor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

static const int scriptCount = 200;

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
    QElapsedTimer clock;
    clock.start();
    for (const QString &name : names) {
        direct.open(name);
        direct.run();
    }
    const double directMs = clock.nsecsElapsed() / 1e6;

    QMWidgets::App::instance()->setValue(QStringLiteral("batchfiles"), names.join(QLatin1Char(';')));
    QMMistlark::Editor editor;
    editor.open(names.first());
    QMMistlark::BatchArea batch(&editor);
    clock.restart();
    batch.run();
    const double batchMs = clock.nsecsElapsed() / 1e6;

    std::printf("direct open and run, 200 scripts\t%.1f\tms\t-\n", directMs);
    std::printf("batch run, 200 scripts\t%.1f\tms\t<= %.1f\n", batchMs, 1.2 * directMs);
    std::printf("batch over direct\t%.2f\tratio\t<= 1.2\n", batchMs / directMs);
    return 0;
}
