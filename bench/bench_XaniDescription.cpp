// Times Xani::readDescription of a 1,067-character description behind 200 MB of frames, beside the same description
// in a file without frames, and the memory the large file's read adds to the process's peak; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchMemory.h"
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MGraphX/Xani.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

static const qint64 imagesSize = 200 * 1024 * 1024;
static const int descriptionLength = 1067;
static const int repetitions = 5;

static QByteArray sizeField(qint64 value)
{
    return QByteArray::number(value, 16).leftJustified(16, ' ');
}

// Frames of imagesSize bytes (a sparse run: only their size matters to the reader) and the description after them.
static bool writeAnimation(const QString &path, qint64 images, const QByteArray &description)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("XANI" + sizeField(60 + images + description.size()) + "BIND" + sizeField(images));
    file.seek(40 + images);
    file.write("XMLD" + sizeField(description.size()) + description);
    return file.error() == QFile::NoError;
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    // The description is logged: the measure is the read, not the terminal.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QTemporaryDir dir;
    const QByteArray head = "<Xani loop = \"1\" frameduration=\"1000\" framecount=\"0\">\n";
    const QByteArray tail = "</Xani>";
    const QByteArray description = head + QByteArray(descriptionLength - head.size() - tail.size(), 'd') + tail;
    const QString large = dir.filePath("large.xani");
    const QString small = dir.filePath("small.xani");
    if (!writeAnimation(large, imagesSize, description) || !writeAnimation(small, 0, description))
        return 1;

    int sink = 0;
    const qint64 peakBefore = statusKilobytes("VmHWM:");
    const auto read = [&](const QString &path) { sink += MGraphX::Xani().readDescription(path).size(); };
    const double largeMs = bestMilliseconds(repetitions, [&] { read(large); });
    const qint64 peakAdded = statusKilobytes("VmHWM:") - peakBefore;
    const double smallMs = bestMilliseconds(repetitions, [&] { read(small); });

    std::printf("Xani::readDescription, 1,067 characters after 200 MB of frames\t%.3f\tms\t-\n", largeMs);
    std::printf("anchor: the same description in a file without frames\t%.3f\tms\t-\n", smallMs);
    printRow(QStringLiteral("after 200 MB / without frames"), largeMs / smallMs, "ratio", QStringLiteral("<= 2"));
    printRow(QStringLiteral("peak memory added by the read after 200 MB"), peakAdded / 1024.0, "MB",
             QStringLiteral("< 5"), 1);
    return sink == 2 * repetitions * descriptionLength ? 0 : 1;
}
