#pragma once

#include <QString>

namespace MTools {

// True when path names a regular file, or a symbolic link to one. Everything read whole before use goes through
// this check before it is opened: opening a named pipe waits for a writer, and a device or a socket may never end,
// so the reader would hang where nothing can stop it. False, with the reason in *reason, otherwise.
bool isRegularFile(const QString &path, QString *reason = nullptr);

} // namespace MTools
