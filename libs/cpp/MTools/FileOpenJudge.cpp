#include "MTools/FileOpenJudge.h"

#include "MTools/FileReading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtCore/private/qabstractfileengine_p.h>
#include <QtCore/private/qfsfileengine_p.h>

#include <sys/stat.h>

#include <cerrno>

namespace MTools {

namespace {

// Qt's own engine for local files, judged as it opens. The judgement looks at the name without opening it:
// opening a named pipe waits for a writer, and opening a device may act on it. The file opened afterwards
// must be the one judged, so a file swapped in between is refused too.
class JudgedFileEngine final : public QFSFileEngine
{
public:
    using QFSFileEngine::QFSFileEngine;
    using QFSFileEngine::open;

    bool open(QIODevice::OpenMode mode) override
    {
        m_sizeless = false;
        m_consumed = 0;
        const QByteArray name = QFile::encodeName(fileName(DefaultName));
        struct stat judged;
        const bool exists = !name.isEmpty() && ::stat(name.constData(), &judged) == 0;
        if (exists && !S_ISREG(judged.st_mode))
            return refuse(QFile::OpenError, notRegularFileReason(judged.st_mode));
        if (!QFSFileEngine::open(mode))
            return false;
        struct stat opened;
        if (::fstat(handle(), &opened) != 0 || !S_ISREG(opened.st_mode)
            || (exists && (opened.st_dev != judged.st_dev || opened.st_ino != judged.st_ino))) {
            QFSFileEngine::close();
            return refuse(QFile::OpenError, QCoreApplication::translate("MTools::FileReading",
                                                                        "The file changed while it was opened"));
        }
        // A file opened empty for writing grows by its own writes.
        m_sizeless = opened.st_size == 0 && !(mode & QIODevice::WriteOnly);
        return true;
    }

    qint64 read(char *data, qint64 maxlen) override
    {
        if (!m_sizeless)
            return QFSFileEngine::read(data, maxlen);
        // A page past the bound tells a longer file; some files of the system refuse a read of an odd length.
        const qint64 got = QFSFileEngine::read(data, qMin(maxlen, SizelessFileBound + 4096 - m_consumed));
        if (got > 0)
            m_consumed += got;
        if (m_consumed > SizelessFileBound) {
            refuse(QFile::ReadError, sizelessFileTooLong(SizelessFileBound));
            return -1;
        }
        return got;
    }

    qint64 readLine(char *data, qint64 maxlen) override
    {
        // Qt's line reader of a named file reads through read() above, but says so only for a stream.
        return QAbstractFileEngine::readLine(data, maxlen);
    }

private:
    bool refuse(QFile::FileError error, const QString &reason)
    {
        setError(error, reason);
        return false;
    }

    bool m_sizeless = false; // the file reported no size when it was opened
    qint64 m_consumed = 0;   // bytes read of such a file
};

class JudgingHandler final : public QAbstractFileEngineHandler
{
public:
    QAbstractFileEngine *create(const QString &fileName) const override
    {
        if (fileName.isEmpty() || fileName.startsWith(QLatin1Char(':'))
            || fileName.startsWith(QLatin1String("qrc:"), Qt::CaseInsensitive))
            return nullptr;
        // "prefix:name" names a file along the prefix's search paths: Qt resolves it and asks again with the
        // path it found. Without such a file it would open the name as it stands, so that is judged here.
        const int colon = fileName.indexOf(QLatin1Char(':'));
        const int slash = fileName.indexOf(QLatin1Char('/'));
        if (colon > 1 && (slash < 0 || colon < slash)) {
            const QString rest = fileName.mid(colon + 1);
            for (const QString &path : QDir::searchPaths(fileName.left(colon))) {
                struct stat found;
                if (::stat(QFile::encodeName(QDir(path).filePath(rest)).constData(), &found) == 0)
                    return nullptr;
            }
        }
        return new JudgedFileEngine(fileName);
    }
};

} // namespace

void judgeFilesOpenedByName()
{
    // Registering makes Qt's own list of handlers, which therefore outlives this one: at exit the handler
    // leaves the list before the list goes, and objects made before it that open files as they go find
    // Qt's plain engine again instead of a list that is gone.
    static JudgingHandler handler;
    Q_UNUSED(handler);
}

} // namespace MTools
