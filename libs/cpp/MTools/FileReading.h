#pragma once

#include <QByteArray>
#include <QString>

namespace MTools {

// Sizes of the files that users keep, chosen far above real ones: a longer file is refused, not swallowed.
constexpr qint64 ScriptFileBound = 32 * 1024 * 1024;   // scripts, included files, batch lists
constexpr qint64 TableFileBound = 512 * 1024 * 1024;   // CSV tables
constexpr qint64 SmallFileBound = 16 * 1024 * 1024;    // settings, style sheets, cards
constexpr qint64 PictureFileBound = 256 * 1024 * 1024; // encoded pictures
constexpr qint64 AnimationFileBound = 256 * 1024 * 1024; // animation files: encoded frames and their description
constexpr qint64 SupportFileBound = 256 * 1024 * 1024;   // files a program installs into its support folder
constexpr qint64 NamedResourceBound = 32 * 1024 * 1024;  // pictures and sheets that a style sheet or rich text names
// A file that reports no size, as those under /proc do, is read only this far, whatever the caller's bound: no
// script, picture, style sheet or settings file that a user means to load is such a file, and some of them
// never end (/proc/self/pagemap runs to gigabytes).
constexpr qint64 SizelessFileBound = 1024 * 1024;

// Reads the whole file at path into *bytes, or refuses it and leaves *bytes empty. Only a regular file (or a
// symbolic link to one) is read: the file is opened without waiting, so a named pipe, a device or a socket is
// refused at once instead of holding the caller. At most maxBytes are read; a longer file is refused with a
// message that names the bound. A file whose size the system reports as 0 (as files under /proc do) is read
// at most to SizelessFileBound and refused past it. On failure, error receives the reason, the system's own
// where it gave one.
bool readFileBounded(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error = nullptr);

// A file judged as readFileBounded judges it, of which only the parts asked for are read: a reader that needs a
// head and a few fields of a large file does not read all of it. A file that reports no size is read whole, as
// readFileBounded reads it, when it is opened.
class BoundedFile
{
public:
    BoundedFile() = default;
    BoundedFile(const BoundedFile &) = delete;
    BoundedFile &operator=(const BoundedFile &) = delete;
    ~BoundedFile();

    // False, with error receiving the reason, where readFileBounded would refuse the file.
    bool open(const QString &path, qint64 maxBytes, QString *error = nullptr);
    qint64 size() const { return m_size; }
    // At most length bytes from offset: fewer where the file ends or a read fails.
    QByteArray read(qint64 offset, qint64 length) const;

private:
    int m_fd = -1;
    qint64 m_size = 0;
    QByteArray m_whole;
};

// Why a file of the given st_mode type (a folder, a named pipe, a device, a socket) is refused: "It is a named
// pipe, not a regular file".
QString notRegularFileReason(uint mode);

// What a refused file that reports no size is told: "The file reports no size and holds more than 1 MB, ...".
QString sizelessFileTooLong(qint64 maxBytes);

// The bound as a user reads it: "32 MB", "512 MB", "1.5 KB".
QString describeBound(qint64 bytes);

} // namespace MTools
