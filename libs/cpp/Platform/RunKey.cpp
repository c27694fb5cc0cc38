#include "Platform/RunKey.h"

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
    return std::make_unique<QSettings>(folder + QStringLiteral("/autostart-run.ini"), QSettings::IniFormat);
#endif
}

} // namespace Platform
