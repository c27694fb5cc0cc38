// Times CsvModel::load and save of a 10 MB file with quoted commas, quotes and line breaks beside a
// plain QFile::readAll split on line ends and commas; times the insertion of 10,000 rows at the front and in
// the middle of a 1,000,000-row table beside loading that table; and measures the memory that loading a 300 MB
// table takes per byte of the file, and what refusing 100 MB of empty lines takes; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchMemory.h"
#include "BenchTiming.h"
#include "MTools/CsvModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

static const int repetitions = 3;
static const qint64 hugeTableBytes = 300 * 1024 * 1024;
// Measured at 8.8 (2.6 GB for 300 MB); the goal leaves room for another machine's allocator.
static const double hugeTableMemoryGoal = 10;
// A table is refused past 16 times its file in memory; its bytes and its text come on top.
static const int emptyLinesBytes = 100 * 1024 * 1024;
static const double emptyLinesMemoryGoal = 20;
static const int millionRows = 1000 * 1000;
static const int insertedRows = 10000;
// Inserting costs what the rows and the new ones take, a small part of reading the table.
static const double insertGoal = 0.05;

static QByteArray generatedTable(qint64 bytes)
{
    QByteArray text = "\"Id\",\"Name\",\"Address\",\"Note\",\"Amount\"\n";
    text.reserve(int(bytes + 200));
    for (int row = 0; text.size() < bytes; ++row) {
        text += QByteArray::number(row) + ",\"Smith, Ann " + QByteArray::number(row % 97) + "\","
              + "\"12 Long Road\nFlat " + QByteArray::number(row % 13) + "\","
              + "\"She said \"\"hello\"\" twice\"," + QByteArray::number(row * 3.25, 'f', 2) + "\n";
    }
    return text;
}

// In a child process of its own, so that the peak is the load's: prints the growth of the peak resident
// memory in kB.
static int measureLoadChild(const QString &path, bool refused)
{
    const qint64 residentBefore = statusKilobytes("VmRSS:");
    MTools::CsvModel model;
    if (refused ? model.load(path) : !model.load(path) || model.rowCount() < 1000)
        return 1;
    std::printf("%lld\n", statusKilobytes("VmHWM:") - residentBefore);
    return 0;
}

// Where it goes: the text as UTF-16 (2 bytes a byte) while it is parsed, and every field as a QString of
// its own (a header of 24 bytes besides its characters) in a QStringList per row; the file's bytes are
// dropped once decoded.
static bool measureLoad(const QString &path, const QByteArray &text, bool refused, double *megabytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {refused ? QStringLiteral("--refused") : QStringLiteral("--child"), path});
    if (!child.waitForFinished(600000) || child.exitCode() != 0) {
        std::fprintf(stderr, "bench_CsvModel: the load of %s did not end as it should: %s\n", qPrintable(path),
                     child.readAllStandardError().constData());
        return false;
    }
    *megabytes = child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
    QFile::remove(path);
    return true;
}

// A 1,000,000-row table of short rows.
static QByteArray millionRowTable()
{
    QByteArray text = "\"Id\",\"Name\",\"Amount\"\n";
    text.reserve(30 * millionRows);
    for (int row = 0; row < millionRows; ++row)
        text += QByteArray::number(row) + ",\"Name " + QByteArray::number(row % 997) + "\","
              + QByteArray::number(row % 10007) + ".25\n";
    return text;
}

// The insertion of 10,000 rows at the row of a freshly loaded table, at its best of a few tables.
static double insertMilliseconds(const QString &path, int row, qint64 *sink)
{
    double best = -1;
    for (int run = 0; run < repetitions; ++run) {
        MTools::CsvModel model;
        if (!model.load(path))
            return -1;
        const double ms = bestMilliseconds(1, [&] { *sink += model.insertRows(row, insertedRows) ? 1 : -1000; });
        if (model.rowCount() != millionRows + insertedRows)
            return -1;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--child"))
        return measureLoadChild(arguments.at(2), false);
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--refused"))
        return measureLoadChild(arguments.at(2), true);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QByteArray text = generatedTable(10 * 1000 * 1000);
    const QString path = dir.filePath(QStringLiteral("big.csv"));
    const QString savedPath = dir.filePath(QStringLiteral("saved.csv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return 1;
    }

    qint64 sink = 0;
    const double plain = bestMilliseconds(repetitions, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            sink += line.split(QLatin1Char(',')).size();
    });
    MTools::CsvModel model;
    const double load = bestMilliseconds(repetitions, [&] { sink += model.load(path) ? model.rowCount() : -1; });
    const double save = bestMilliseconds(repetitions, [&] { sink += model.save(savedPath) ? 1 : -1; });

    MTools::CsvModel reloaded;
    if (!reloaded.load(savedPath) || reloaded.lines() != model.lines() || model.rowCount() < 1000) {
        std::fprintf(stderr, "bench_CsvModel: saved file does not read back the same\n");
        return 1;
    }
    std::printf("readAll and split %d bytes\t%.1f\tms\t-\n", int(text.size()), plain);
    std::printf("CsvModel::load %d bytes\t%.1f\tms\t-\n", int(text.size()), load);
    std::printf("CsvModel::save %d bytes\t%.1f\tms\t-\n", int(text.size()), save);
    printRow(QStringLiteral("load / readAll and split"), load / plain, "x", QStringLiteral("<= 3"));
    printRow(QStringLiteral("save / readAll and split"), save / plain, "x", QStringLiteral("<= 3"));

    const QString millionPath = dir.filePath(QStringLiteral("million.csv"));
    {
        const QByteArray table = millionRowTable();
        QFile file(millionPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(table) != table.size())
            return 1;
    }
    const double millionLoad = bestMilliseconds(repetitions, [&] {
        MTools::CsvModel model;
        sink += model.load(millionPath) ? model.rowCount() : -1;
    });
    const double atFront = insertMilliseconds(millionPath, 0, &sink);
    const double inMiddle = insertMilliseconds(millionPath, millionRows / 2, &sink);
    if (atFront < 0 || inMiddle < 0) {
        std::fprintf(stderr, "bench_CsvModel: inserting into the 1,000,000-row table failed\n");
        return 1;
    }
    QFile::remove(millionPath);
    std::printf("anchor: CsvModel::load of a 1,000,000-row table\t%.1f\tms\t-\n", millionLoad);
    std::printf("insertRows of 10,000 rows at the front of it\t%.2f\tms\t-\n", atFront);
    printRow(QStringLiteral("insertRows of 10,000 rows at the front / anchor"), atFront / millionLoad, "x",
             QStringLiteral("< %1").arg(insertGoal), 4);
    std::printf("insertRows of 10,000 rows in its middle\t%.2f\tms\t-\n", inMiddle);
    printRow(QStringLiteral("insertRows of 10,000 rows in the middle / anchor"), inMiddle / millionLoad, "x",
             QStringLiteral("< %1").arg(insertGoal), 4);

    double hugeMegabytes = 0;
    if (!measureLoad(dir.filePath(QStringLiteral("huge.csv")), generatedTable(hugeTableBytes), false, &hugeMegabytes))
        return 1;
    const double hugeSize = hugeTableBytes / (1024.0 * 1024.0);
    std::printf("peak memory growth, CsvModel::load %.0f MB\t%.0f\tMB\t-\n", hugeSize, hugeMegabytes);
    printRow(QStringLiteral("memory / file size, %1 MB table").arg(hugeSize, 0, 'f', 0), hugeMegabytes / hugeSize, "x",
             QStringLiteral("<= %1").arg(hugeTableMemoryGoal), 1);

    // Empty lines cost the most a byte: the load counts what it keeps and stops at its bound.
    double emptyMegabytes = 0;
    if (!measureLoad(dir.filePath(QStringLiteral("empty.csv")), QByteArray(emptyLinesBytes, '\n'), true,
                     &emptyMegabytes))
        return 1;
    const double emptySize = emptyLinesBytes / (1024.0 * 1024.0);
    printRow(QStringLiteral("memory / file size, refused %1 MB of empty lines").arg(emptySize, 0, 'f', 0),
             emptyMegabytes / emptySize, "x", QStringLiteral("<= %1").arg(emptyLinesMemoryGoal), 1);
    return sink > 0 ? 0 : 1;
}
