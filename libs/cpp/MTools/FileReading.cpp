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

QString tooLarge(qint64 maxBytes)
{
    return translated("The file is larger than %1, the most this program reads of such a file")
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

QString notRegularFileReason(uint mode)
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

QString sizelessFileTooLong(qint64 maxBytes)
{
    return translated("The file reports no size and holds more than %1, the most this program reads of such a "
                      "file")
        .arg(describeBound(maxBytes));
}

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

namespace {

int refused(QString *error, const QString &reason)
{
    fail(error, reason);
    return -1;
}

// Opens the file for reading and judges it: a regular file of at most maxBytes. The descriptor, or -1 with error
// receiving the reason.
int openJudged(const QString &path, qint64 maxBytes, struct stat *status, QString *error)
{
    if (path.isEmpty())
        return refused(error, translated("No file name"));
    // Without O_NONBLOCK, opening a named pipe waits for a writer, for ever if none comes.
    Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        if (errno == ENOENT)
            return refused(error, translated("No such file or directory"));
        if (errno == ENXIO)
            return refused(error, notRegularFileReason(S_IFSOCK));
        return refused(error, systemReason());
    }
    // Judged on the opened file, so nothing can swap it between the check and the read.
    if (::fstat(file.fd, status) != 0)
        return refused(error, systemReason());
    if (!S_ISREG(status->st_mode))
        return refused(error, notRegularFileReason(status->st_mode));
    if (status->st_size > maxBytes)
        return refused(error, tooLarge(maxBytes));
    const int fd = file.fd;
    file.fd = -1;
    return fd;
}

} // namespace

bool readFileBounded(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error)
{
    bytes->clear();
    struct stat status;
    Descriptor file{openJudged(path, maxBytes, &status, error)};
    if (file.fd < 0)
        return false;
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
        return fail(error, sizeless ? sizelessFileTooLong(maxBytes) : tooLarge(maxBytes));
    content.resize(int(filled));
    *bytes = content;
    return true;
}

BoundedFile::~BoundedFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool BoundedFile::open(const QString &path, qint64 maxBytes, QString *error)
{
    struct stat status;
    m_fd = openJudged(path, maxBytes, &status, error);
    if (m_fd < 0)
        return false;
    m_size = status.st_size;
    if (m_size > 0)
        return true;
    // Its size is known only once it is read: read as readFileBounded reads it.
    ::close(m_fd);
    m_fd = -1;
    if (!readFileBounded(path, maxBytes, &m_whole, error))
        return false;
    m_size = m_whole.size();
    return true;
}

QByteArray BoundedFile::read(qint64 offset, qint64 length) const
{
    if (offset < 0 || length <= 0 || offset >= m_size)
        return QByteArray();
    length = qMin(length, m_size - offset);
    if (m_fd < 0)
        return m_whole.mid(int(offset), int(length));
    QByteArray bytes(int(length), Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < length) {
        const ssize_t got = ::pread(m_fd, bytes.data() + filled, size_t(length - filled), off_t(offset + filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += got;
    }
    bytes.resize(int(filled));
    return bytes;
}

} // namespace MTools
