#include "MTools/FileReading.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

namespace MTools {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("MTools::FileReading", text);
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString typeReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return translated("It is a folder, not a file");
    if (S_ISFIFO(mode))
        return translated("It is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return translated("It is a device, not a regular file");
    if (S_ISSOCK(mode))
        return translated("It is a socket, not a regular file");
    return translated("It is not a regular file");
}

QString tooLarge(qint64 maxBytes)
{
    return translated("The file is larger than %1, the most this program reads of such a file")
        .arg(describeBound(maxBytes));
}

QString sizelessTooLarge(qint64 maxBytes)
{
    return translated("The file reports no size and holds more than %1, the most this program reads of such a "
                      "file")
        .arg(describeBound(maxBytes));
}

// Closes the descriptor on every way out.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

QString describeBound(qint64 bytes)
{
    static const char *const units[] = {"bytes", "KB", "MB", "GB"};
    double value = double(bytes);
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    const QString number = QLocale::c().toString(value, 'f', value == qint64(value) ? 0 : 1);
    return QStringLiteral("%1 %2").arg(number, QLatin1String(units[unit]));
}

bool readFileBounded(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error)
{
    bytes->clear();
    if (path.isEmpty())
        return fail(error, translated("No file name"));
    // Without O_NONBLOCK, opening a named pipe waits for a writer, for ever if none comes.
    Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        if (errno == ENOENT)
            return fail(error, translated("No such file or directory"));
        if (errno == ENXIO)
            return fail(error, typeReason(S_IFSOCK));
        return fail(error, systemReason());
    }
    // Judged on the opened file, so nothing can swap it between the check and the read.
    struct stat status;
    if (::fstat(file.fd, &status) != 0)
        return fail(error, systemReason());
    if (!S_ISREG(status.st_mode))
        return fail(error, typeReason(status.st_mode));
    if (status.st_size > maxBytes)
        return fail(error, tooLarge(maxBytes));
    const bool sizeless = status.st_size == 0;
    if (sizeless)
        maxBytes = qMin(maxBytes, SizelessFileBound);

    // The reported size is only a hint: files under /proc say 0, and a file may grow while it is read. The
    // read goes straight into the result, grown as it fills, and always asks for whole chunks, as some files
    // of the system refuse a read of an odd length; one chunk past the bound tells a longer file.
    static constexpr qint64 ChunkSize = 64 * 1024;
    const auto wholeChunks = [](qint64 size) { return (size + ChunkSize - 1) / ChunkSize * ChunkSize; };
    // A QByteArray holds less than 2 GB.
    maxBytes = qMin(maxBytes, qint64(std::numeric_limits<int>::max()) - 2 * ChunkSize);
    const qint64 limit = wholeChunks(maxBytes + 1);
    QByteArray content(int(qMin(limit, wholeChunks(qint64(status.st_size) + 1))), Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled >= limit)
                break;
            content.resize(int(qMin(limit, filled * 2)));
        }
        const ssize_t got = ::read(file.fd, content.data() + filled, size_t(content.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fail(error, systemReason());
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return fail(error, sizeless ? sizelessTooLarge(maxBytes) : tooLarge(maxBytes));
    content.resize(int(filled));
    *bytes = content;
    return true;
}

} // namespace MTools
