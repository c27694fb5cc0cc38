// Times opening a small file by name and reading its 16 bytes, and asking QFileInfo whether it exists, first
// through Qt's plain engine and then with every open judged as the program judges it; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows, the judged figures as ratios against the plain ones.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MTools/FileOpenJudge.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

static const int repetitions = 5;
static const int opens = 20000;

struct Figures
{
    double openAndRead = 0; // microseconds an open
    double info = 0;        // microseconds a QFileInfo
};

static Figures measure(const QString &path, qint64 *sink)
{
    Figures figures;
    figures.openAndRead = bestThreadCpuMilliseconds(repetitions, [&] {
        for (int i = 0; i < opens; ++i) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                *sink += file.read(16).size();
        }
    }) * 1000 / opens;
    figures.info = bestThreadCpuMilliseconds(repetitions, [&] {
        for (int i = 0; i < opens; ++i)
            *sink += QFileInfo(path).exists() ? 1 : 0;
    }) * 1000 / opens;
    return figures;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("small.txt"));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write("0123456789abcdef") != 16)
        return 1;
    file.close();
    qint64 sink = 0;
    const Figures plain = measure(path, &sink);
    // Installed once for good, so the plain engine is measured first.
    MTools::judgeFilesOpenedByName();
    const Figures judged = measure(path, &sink);
    // Every open read its 16 bytes and every QFileInfo found the file, in both rounds.
    if (sink != 2 * qint64(repetitions) * opens * (16 + 1)) {
        std::fprintf(stderr, "bench_FileOpenJudge: the file was not read every time\n");
        return 1;
    }
    printRow(QStringLiteral("QFile open and read of 16 bytes, plain engine"), plain.openAndRead, "us");
    printRow(QStringLiteral("QFile open and read of 16 bytes, judged / plain"), judged.openAndRead / plain.openAndRead,
             "x", QStringLiteral("<= 2"));
    printRow(QStringLiteral("QFileInfo exists, judged / plain"), judged.info / plain.info, "x", QStringLiteral("<= 1.5"));
    return 0;
}
