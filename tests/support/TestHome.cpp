#include "TestHome.h"

#include <QFile>

void pointHomeAt(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/.config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + "/.local/share"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + "/.cache"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
