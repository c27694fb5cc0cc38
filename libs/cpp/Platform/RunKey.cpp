#include "Platform/RunKey.h"

#include "MTools/FileReading.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace Platform {

std::unique_ptr<QSettings> openRunKey()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"),
        QSettings::NativeFormat);
#else
    // Asked afresh each time, so a changed XDG_CONFIG_HOME (as in the tests) is followed.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString fileName = folder + QStringLiteral("/autostart-run.ini");
    // QSettings reads the file with a plain blocking QFile: a named pipe in its place would hold the caller for
    // good, a huge file would be read whole. Such a list is left alone, and an empty one of no file stands in.
    QByteArray bytes;
    QString error;
    if (QFileInfo::exists(fileName) && !MTools::readFileBounded(fileName, MTools::SmallFileBound, &bytes, &error)) {
        qWarning("The list of programs started at log-on cannot be read, so it is left as it is: %s: %s",
                 qPrintable(fileName), qPrintable(error));
        return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(fileName, QSettings::IniFormat);
#endif
}

} // namespace Platform
