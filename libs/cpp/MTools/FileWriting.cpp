#include "MTools/FileWriting.h"

#include "MTools/FileReading.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace MTools {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("MTools::FileWriting", text);
}

// Why the existing target must not be replaced, or an empty text when it may be.
QString specialFileReason(const QString &path)
{
    const QFileInfo info(path); // follows symbolic links, so a link is judged by what it points to
    if (!info.exists() || info.isFile())
        return QString();
    if (info.isDir())
        return translated("It is a folder, not a file");
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISFIFO(status.st_mode))
            return translated("It is a named pipe, not a regular file");
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
            return translated("It is a device, not a regular file");
        if (S_ISSOCK(status.st_mode))
            return translated("It is a socket, not a regular file");
    }
#endif
    return translated("It is not a regular file");
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// The file is unbuffered, so each write is the system's. The system writes less than asked only when it
// stops, and says why only when nothing at all was written: the rest is asked for again to get the reason.
bool writeAll(QFileDevice &file, const QByteArray &bytes, QString *error)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(error, file.errorString());
        done += written;
    }
    return true;
}

} // namespace

bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error)
{
    // Renaming a temporary file over a pipe or a device would replace it with a regular file.
    const QString special = specialFileReason(path);
    if (!special.isEmpty())
        return fail(error, special);
    // Buffered, up to 16 KB would wait for the flush inside commit(), whose failure goes unseen there:
    // the target would be replaced by a cut file and success reported.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    bool written = writeAll(file, bytes, error);
    // commit() flushes without looking at the result: a failure must be seen before it.
    if (written && !file.flush())
        written = fail(error, file.errorString());
    if (!written) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

bool writeReadableFileSafely(const QString &path, const QByteArray &bytes, qint64 readBound, QString *error)
{
    QString reason;
    const bool written = bytes.size() > readBound
        ? fail(&reason, translated("The file would be larger than %1, the most this program reads of such a file")
                            .arg(describeBound(readBound)))
        : writeFileSafely(path, bytes, &reason);
    if (!written) {
        qWarning().noquote() << translated("%1 was not saved: %2.").arg(QDir::toNativeSeparators(path), reason);
        fail(error, reason);
    }
    return written;
}

bool appendToFile(const QString &path, const QByteArray &bytes, QString *error)
{
    // Opened for appending, never truncated: whatever fails, what the file held stays.
    QFile file(path);
#ifdef Q_OS_UNIX
    // Opening a named pipe for writing waits until something reads it, for ever if nothing does, and writing
    // to one waits while its reader pauses. Without waiting, such an open fails at once, and so does a write
    // that the pipe has no room for.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC,
                          0666);
    if (fd < 0) {
        if (errno == ENXIO)
            return fail(error, translated("No program reads from this named pipe"));
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat status;
    const bool pipe = ::fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode);
    // The descriptor appends by itself; Append here would seek, which a pipe refuses.
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(error, file.errorString());
    }
    if (pipe) {
        if (writeAll(file, bytes, nullptr))
            return true;
        return fail(error, translated("The program that reads this named pipe does not keep up with it"));
    }
#else
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return fail(error, file.errorString());
#endif
    return writeAll(file, bytes, error);
}

} // namespace MTools
