// Times CsvModel::load and save of a 10 MB file with quoted commas, quotes and line breaks beside a
// plain QFile::readAll split on line ends and commas; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchTiming.h"
#include "MTools/CsvModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

static const int repetitions = 3;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QByteArray text = "\"Id\",\"Name\",\"Address\",\"Note\",\"Amount\"\n";
    for (int row = 0; text.size() < 10 * 1000 * 1000; ++row) {
        text += QByteArray::number(row) + ",\"Smith, Ann " + QByteArray::number(row % 97) + "\","
              + "\"12 Long Road\nFlat " + QByteArray::number(row % 13) + "\","
              + "\"She said \"\"hello\"\" twice\"," + QByteArray::number(row * 3.25, 'f', 2) + "\n";
    }
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
    std::printf("load / readAll and split\t%.2f\tx\t<= 3\n", load / plain);
    std::printf("save / readAll and split\t%.2f\tx\t<= 3\n", save / plain);
    return sink > 0 ? 0 : 1;
}
