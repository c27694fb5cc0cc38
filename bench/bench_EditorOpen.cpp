// Opens a 20,000-line script (about 1 MB) in an Editor until it is highlighted and laid out, beside a plain
// QTextEdit given the same text; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
// Each measurement runs in a child process of its own, so that its peak memory is its own.
#include "TestApp.h"

#include "scripting/DocWindow.h"
#include "scripting/Editor.h"

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

static qint64 statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
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
static bool measure(const QString &mode, const QString &fileName, Figures *figures)
{
    QVector<double> times;
    QVector<double> peaks;
    for (int run = 0; run < repetitions; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, fileName});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
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
    figures->milliseconds = times.at(repetitions / 2);
    figures->megabytes = peaks.at(repetitions / 2);
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
    QFile file(fileName);
    const QByteArray script = generatedScript();
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size()) {
        std::fprintf(stderr, "bench_EditorOpen: cannot write %s\n", qPrintable(fileName));
        return 1;
    }
    file.close();

    Figures editor;
    Figures bare;
    if (!measure(QStringLiteral("bare"), fileName, &bare) || !measure(QStringLiteral("editor"), fileName, &editor))
        return 1;

    const double size = script.size() / (1024.0 * 1024.0);
    std::printf("script size (%d lines)\t%.2f\tMB\t-\n", lineCount, size);
    std::printf("open in Editor, highlighted\t%.1f\tms\t<= %.1f\n", editor.milliseconds, 3 * bare.milliseconds);
    std::printf("setPlainText, bare QTextEdit\t%.1f\tms\t-\n", bare.milliseconds);
    std::printf("time, Editor / bare\t%.2f\tx\t<= 3\n", editor.milliseconds / bare.milliseconds);
    std::printf("peak memory growth, Editor\t%.1f\tMB\t<= %.1f\n", editor.megabytes, 3 * bare.megabytes);
    std::printf("peak memory growth, bare QTextEdit\t%.1f\tMB\t-\n", bare.megabytes);
    std::printf("memory, Editor / bare\t%.2f\tx\t<= 3\n", editor.megabytes / bare.megabytes);
    return 0;
}
