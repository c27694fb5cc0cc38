#pragma once

#include <QByteArray>
#include <QString>

namespace MTools {

// Replaces the whole content of the file at path with bytes, or leaves the old file exactly as it was.
// The bytes go to a temporary file beside the target that takes its place only when every byte reached
// the disk; a symbolic link is followed and stays a link. A target that exists and is not a regular file
// (a named pipe, a device, a socket, a folder) is refused and left alone. On failure, error receives the
// reason, the system's own where it gave one.
bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Writes as writeFileSafely does, but refuses bytes larger than readBound, the most that the program's reader of
// such a file takes, so that no save reports success with a file that cannot be opened again. A library's save
// has no window to tell the user in: every failure is also logged with the file's name.
bool writeReadableFileSafely(const QString &path, const QByteArray &bytes, qint64 readBound, QString *error = nullptr);

// Adds bytes to the end of the file at path, creating it when missing, in one write. A failed or short
// write may leave part of the bytes, but never shortens what the file held before.
bool appendToFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace MTools
