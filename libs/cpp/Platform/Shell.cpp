#include "Platform/Shell.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <QProcess>
#include <QStandardPaths>
#endif

namespace Platform {

int Shell::execute(const QString &verb, const QString &program, const QString &parameters, int showCommand)
{
#ifdef Q_OS_WIN
    const HINSTANCE result = ShellExecuteW(GetDesktopWindow(),
                                           verb.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(verb.utf16()),
                                           reinterpret_cast<LPCWSTR>(program.utf16()),
                                           reinterpret_cast<LPCWSTR>(parameters.utf16()), nullptr, showCommand);
    return int(reinterpret_cast<quintptr>(result));
#else
    Q_UNUSED(showCommand) // window placement is the window manager's business here
    if (!verb.isEmpty() && verb != QLatin1String("open"))
        return NoAssociation;
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return FileNotFound;
    QStringList arguments;
    if (!parameters.isEmpty())
        arguments << parameters;
    return QProcess::startDetached(executable, arguments) ? Started : AccessDenied;
#endif
}

} // namespace Platform
