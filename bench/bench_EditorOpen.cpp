// Opens a 20,000-line script (about 1 MB) in an Editor until it is highlighted and laid out, beside a plain
// QTextEdit given the same text, and a 30 MB one, near the largest a script may be, for the memory it takes
// per byte of the file; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
// Each measurement runs in a child process of its own, so that its peak memory is its own.
#include "BenchRow.h"
#include "BenchMemory.h"
#include "TestApp.h"

#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

static const int lineCount = 20000;
static const int repetitions = 3;
// Just under the 32 MB that a script may have.
static const int hugeScriptBytes = 30 * 1024 * 1024;
// Measured at 21 (620 MB for 30 MB), 2.7 times what a bare QTextEdit holds for the 1 MB script.
static const char hugeScriptMemoryGoal[] = "25";

// Lines of the kinds the highlighter colours: keywords, strings, numbers, comments.
static QByteArray generatedScript()
{
    QByteArray script;
    for (int line = 0; line < lineCount; ++line) {
        switch (line % 4) {
        case 0:
            script += "var value" + QByteArray::number(line) + " = \"text of line " + QByteArray::number(line)
                + "\"; // a comment\n";
            break;
        case 1:
            script += "function f" + QByteArray::number(line) + "(a, b) { return a * " + QByteArray::number(line)
                + " + b; }\n";
            break;
        case 2:
            script += "if (value" + QByteArray::number(line - 2) + " != null) { printout('line ok'); }\n";
            break;
        default:
            script += "/* block comment " + QByteArray::number(line) + " */ while (false) { break; }\n";
            break;
        }
    }
    return script;
}

static bool writeScript(const QString &fileName, const QByteArray &script)
{
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(script) == script.size())
        return true;
    std::fprintf(stderr, "bench_EditorOpen: cannot write %s\n", qPrintable(fileName));
    return false;
}

// Lays the whole document out and lets delayed work (a pending rehighlight) run, so the figure holds all of it.
static void finishLayout(QTextEdit *edit)
{
    edit->document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
}

// One measurement: prints the time in milliseconds and the growth of the peak resident memory in kB.
static int measureChild(const QString &mode, const QString &fileName)
{
    const qint64 residentBefore = statusKilobytes("VmRSS:");
    QElapsedTimer timer;
    if (mode == QLatin1String("editor")) {
        QMMistlark::Editor editor;
        timer.start();
        editor.open(fileName);
        finishLayout(editor.document());
        const qint64 elapsed = timer.nsecsElapsed();
        if (editor.document()->document()->blockCount() < lineCount)
            return 1;
        std::printf("%lld %lld\n", elapsed, statusKilobytes("VmHWM:") - residentBefore);
    } else {
        QTextEdit edit;
        timer.start();
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        QTextStream in(&file);
        in.setCodec("UTF-8");
        edit.setPlainText(in.readAll());
        finishLayout(&edit);
        const qint64 elapsed = timer.nsecsElapsed();
        if (edit.document()->blockCount() < lineCount)
            return 1;
        std::printf("%lld %lld\n", elapsed, statusKilobytes("VmHWM:") - residentBefore);
    }
    return 0;
}

struct Figures
{
    double milliseconds = 0;
    double megabytes = 0;
};

// The median of a few child runs of one mode.
static bool measure(const QString &mode, const QString &fileName, Figures *figures, int runs = repetitions)
{
    QVector<double> times;
    QVector<double> peaks;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, fileName});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench_EditorOpen: %s run failed: %s\n", qPrintable(mode),
                         child.readAllStandardError().constData());
            return false;
        }
        const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
        times << parts.value(0).toDouble() / 1e6;
        peaks << parts.value(1).toDouble() / 1024.0;
    }
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    figures->milliseconds = times.at(runs / 2);
    figures->megabytes = peaks.at(runs / 2);
    return true;
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--child"))
        return measureChild(arguments.at(2), arguments.at(3));

    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("large.js"));
    const QString hugeName = dir.filePath(QStringLiteral("huge.js"));
    const QByteArray script = generatedScript();
    const int hugeRepeats = qRound(double(hugeScriptBytes) / script.size());
    if (!writeScript(fileName, script) || !writeScript(hugeName, script.repeated(hugeRepeats)))
        return 1;

    Figures editor;
    Figures bare;
    if (!measure(QStringLiteral("bare"), fileName, &bare) || !measure(QStringLiteral("editor"), fileName, &editor))
        return 1;

    const double size = script.size() / (1024.0 * 1024.0);
    std::printf("script size (%d lines)\t%.2f\tMB\t-\n", lineCount, size);
    std::printf("open in Editor, highlighted\t%.1f\tms\t-\n", editor.milliseconds);
    std::printf("setPlainText, bare QTextEdit\t%.1f\tms\t-\n", bare.milliseconds);
    printRow(QStringLiteral("time, Editor / bare"), editor.milliseconds / bare.milliseconds, "x", QStringLiteral("<= 3"));
    std::printf("peak memory growth, Editor\t%.1f\tMB\t-\n", editor.megabytes);
    std::printf("peak memory growth, bare QTextEdit\t%.1f\tMB\t-\n", bare.megabytes);
    printRow(QStringLiteral("memory, Editor / bare"), editor.megabytes / bare.megabytes, "x", QStringLiteral("<= 3"));

    // Where it goes: the text as UTF-16 (2 bytes a byte) in the document, and per line a block with its laid
    // out lines and the highlighter's format ranges, which outweigh the text; the file's bytes are gone once
    // decoded.
    Figures huge;
    if (!measure(QStringLiteral("editor"), hugeName, &huge, 1))
        return 1;
    const double hugeSize = hugeRepeats * size;
    std::printf("open %.0f MB script in Editor\t%.0f\tms\t-\n", hugeSize, huge.milliseconds);
    std::printf("peak memory growth, %.0f MB script\t%.0f\tMB\t-\n", hugeSize, huge.megabytes);
    printRow(QStringLiteral("memory / file size, %1 MB script").arg(hugeSize, 0, 'f', 0), huge.megabytes / hugeSize, "x",
             QStringLiteral("<= %1").arg(QLatin1String(hugeScriptMemoryGoal)), 1);
    return 0;
}
