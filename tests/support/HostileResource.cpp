#include "HostileResource.h"

#include "CompressedBomb.h"
#include "ModalAnswer.h"

#include <QDir>
#include <QFile>
#include <QWidget>
#include <QtTest>

#include <sys/stat.h>

namespace {

const qint64 MemoryLimit = 512 * 1024 * 1024;

void write(const QString &path, const QByteArray &bytes, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.resize(size))
        qWarning("%s: %s", qPrintable(path), qPrintable(file.errorString()));
}

} // namespace

qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

QList<QPair<QString, QString>> hostileResources()
{
    return {{QStringLiteral("named pipe"), QStringLiteral("pipe")},
            {QStringLiteral("endless file under proc"), QStringLiteral("proc")},
            {QStringLiteral("picture file over the bound"), QStringLiteral("large")},
            {QStringLiteral("picture over 200 megapixels"), QStringLiteral("huge")}};
}

void addHostileResourceRows()
{
    QTest::addColumn<QString>("resource");
    for (const auto &row : hostileResources())
        QTest::newRow(row.first.toUtf8().constData()) << row.second;
}

HostileResource makeHostileResource(const QString &folder)
{
    const QString kind = *static_cast<QString *>(QTest::qData("resource", qMetaTypeId<QString>()));
    // Each reader names its own bound.
    const QString tooLarge = QStringLiteral("The file is larger than ");
    if (kind == QLatin1String("proc"))
        return {QStringLiteral("/proc/self/pagemap"), QStringLiteral("The file reports no size")};
    const QString path = QDir(folder).filePath(QStringLiteral("hostile-") + kind);
    QFile::remove(path);
    if (kind == QLatin1String("pipe")) {
        if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            qWarning("mkfifo %s failed", qPrintable(path));
        return {path, QStringLiteral("It is a named pipe, not a regular file")};
    }
    if (kind == QLatin1String("large")) {
        // 90 million black pixels, within the pixel bound: only the file's size is too much.
        const QByteArray header("P6\n9500 9500\n255\n");
        write(path, header, header.size() + qint64(9500) * 9500 * 3);
        return {path, tooLarge};
    }
    const QByteArray png = hugePng(QSize(15000, 15000));
    write(path, png, png.size());
    return {path, QStringLiteral("The picture is too large: 15000 x 15000 pixels")};
}

QString richTextShowing(const QString &path)
{
    return QStringLiteral("<p>before</p><img src=\"%1\"><p>after</p>").arg(path.toHtmlEscaped());
}

QString styleSheetDrawing(const QString &path)
{
    return QStringLiteral("QWidget { background-image: url(\"%1\"); }").arg(path);
}

void drawAndCloseNextModal(QObject *context, bool *drawn)
{
    *drawn = false;
    answerNextModal(context, [drawn](QWidget *modal) {
        *drawn = !modal->grab().isNull();
        modal->close();
    });
}

RouteCost::RouteCost()
    : m_peakBefore(peakResidentBytes())
{
}

QString RouteCost::excess() const
{
    const qint64 grown = peakResidentBytes() - m_peakBefore;
    if (grown <= MemoryLimit)
        return QString();
    return QStringLiteral("the route took %1 MB more at its peak (at most %2 MB)")
        .arg(grown / (1024 * 1024))
        .arg(MemoryLimit / (1024 * 1024));
}
