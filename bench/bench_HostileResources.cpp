// Times how long the checks take to refuse a resource that rich text or a style sheet names to hold the program:
// a named pipe, a file under /proc that reports no size and never ends, a picture file over the bound and a
// small PNG of more than 200 million pixels. A refusal costs what judging the name costs, not what reading the
// resource would. Prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "CompressedBomb.h"

#include "MGraphX/OutsideResources.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include <sys/stat.h>

static const int samples = 5;

static bool write(const QString &path, const QByteArray &bytes, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.resize(size);
}

// The median milliseconds of a check, or -1 when it did not refuse the resource.
template<typename Check>
static double medianRefusal(Check check)
{
    QVector<double> times;
    for (int sample = 0; sample < samples; ++sample) {
        QElapsedTimer clock;
        clock.start();
        const QString refusal = check();
        times << double(clock.nsecsElapsed()) / 1e6;
        if (refusal.isEmpty())
            return -1;
    }
    std::sort(times.begin(), times.end());
    return times.at(samples / 2);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString pipe = QDir(dir.path()).filePath(QStringLiteral("pipe"));
    const QString large = QDir(dir.path()).filePath(QStringLiteral("large.ppm"));
    const QString huge = QDir(dir.path()).filePath(QStringLiteral("huge.png"));
    const QByteArray ppmHeader("P6\n9500 9500\n255\n");
    const QByteArray hugePicture = hugePng(QSize(15000, 15000));
    if (mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0
        || !write(large, ppmHeader, ppmHeader.size() + qint64(9500) * 9500 * 3)
        || !write(huge, hugePicture, hugePicture.size()))
        return 1;

    const struct
    {
        const char *label;
        QString path;
    } resources[] = {{"named pipe", pipe},
                     {"endless file under /proc", QStringLiteral("/proc/self/pagemap")},
                     {"picture file over the bound", large},
                     {"picture over 200 megapixels", huge}};
    for (const auto &resource : resources) {
        const QString text = QStringLiteral("<p>before</p><img src=\"%1\"><p>after</p>").arg(resource.path);
        const QString sheet = QStringLiteral("QWidget { background-image: url(\"%1\"); }").arg(resource.path);
        const double inText = medianRefusal([&] { return MGraphX::richTextRefusal(text); });
        const double inSheet = medianRefusal([&] { return MGraphX::styleSheetRefusal(sheet); });
        if (inText < 0 || inSheet < 0) {
            std::fprintf(stderr, "bench_HostileResources: %s was not refused\n", resource.label);
            return 1;
        }
        printRow(QStringLiteral("Refusal in rich text, %1").arg(QLatin1String(resource.label)), inText, "ms",
                 QStringLiteral("< 50"));
        printRow(QStringLiteral("Refusal in a style sheet, %1").arg(QLatin1String(resource.label)), inSheet, "ms",
                 QStringLiteral("< 50"));
    }
    return 0;
}
