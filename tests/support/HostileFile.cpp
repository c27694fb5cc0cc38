#include "HostileFile.h"

#include "MTools/FileReading.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>

void addHostileFileRows()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("file over the bound") << "large";
    QTest::newRow("endless file under proc") << "proc";
}

HostileFile makeHostileFile(const QString &folder, qint64 bound)
{
    const QString kind = *static_cast<QString *>(QTest::qData("kind", qMetaTypeId<QString>()));
    const QString tooLarge = QStringLiteral("The file is larger than %1, the most this program reads of such a file")
                                 .arg(MTools::describeBound(bound));
    if (kind == QLatin1String("proc"))
        return {QStringLiteral("/proc/self/pagemap"),
                QStringLiteral("The file reports no size and holds more than %1, the most this program reads of "
                               "such a file")
                    .arg(MTools::describeBound(qMin(bound, MTools::SizelessFileBound)))};
    const QString path = QDir(folder).filePath(QStringLiteral("hostile.") + kind);
    QFile::remove(path);
    if (kind == QLatin1String("pipe")) {
        if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            qWarning("mkfifo %s failed", qPrintable(path));
        return {path, QStringLiteral("It is a named pipe, not a regular file")};
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(bound + 1))
        qWarning("%s: %s", qPrintable(path), qPrintable(file.errorString()));
    return {path, tooLarge};
}
