#include "Platform/WindowsVersion.h"

#include <QSysInfo>

namespace Platform {

int windowsVersion()
{
#ifdef Q_OS_WIN
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
    return int(QSysInfo::windowsVersion());
QT_WARNING_POP
#else
    return WV_None;
#endif
}

} // namespace Platform
