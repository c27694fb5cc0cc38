#include "MTools/RegularFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace MTools {

bool isRegularFile(const QString &path, QString *reason)
{
    const QFileInfo info(path);
    QString why;
    if (path.isEmpty())
        why = QCoreApplication::translate("MTools", "No file name");
    else if (!info.exists())
        why = QCoreApplication::translate("MTools", "No such file or directory");
    else if (info.isDir())
        why = QCoreApplication::translate("MTools", "It is a folder, not a file");
    else if (!info.isFile())
        why = QCoreApplication::translate("MTools", "It is not a regular file but a named pipe, a device or a socket");
    if (reason)
        *reason = why;
    return why.isEmpty();
}

} // namespace MTools
