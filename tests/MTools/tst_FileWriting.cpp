#include "MTools/FileWriting.h"

#include "FileSizeLimit.h"
#include "HangBound.h"
#include "PseudoRandomBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

mode_t typeOf(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

} // namespace

class tst_FileWriting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void replacesTheWholeFile_data();
    void replacesTheWholeFile();
    void writesThroughASymbolicLink();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void failsInAMissingFolder();
    void keepsTheOldFileWhenTheDiskStops_data();
    void keepsTheOldFileWhenTheDiskStops();
    void appendAddsToTheEnd();
    void failedAppendNeverShortensTheFile();
    void appendToANamedPipe();

private:
    QScopedPointer<QTemporaryDir> m_dir;
};

void tst_FileWriting::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void tst_FileWriting::replacesTheWholeFile_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("new file") << QByteArray() << QByteArray("fresh");
    QTest::newRow("shorter content leaves no tail") << QByteArray("a much longer old text") << QByteArray("short");
    QTest::newRow("empty content empties the file") << QByteArray("old") << QByteArray();
    QTest::newRow("more than the write buffer") << QByteArray("old") << pseudoRandomBytes(100000, 7);
}

void tst_FileWriting::replacesTheWholeFile()
{
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir->filePath(QStringLiteral("target.txt"));
    if (!old.isEmpty())
        putFile(path, old);
    QString error;
    QVERIFY2(MTools::writeFileSafely(path, bytes, &error), qPrintable(error));
    QCOMPARE(contentOf(path), bytes);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("target.txt")});
}

void tst_FileWriting::writesThroughASymbolicLink()
{
    const QString real = m_dir->filePath(QStringLiteral("real.txt"));
    const QString link = m_dir->filePath(QStringLiteral("link.txt"));
    putFile(real, "old");
    QVERIFY(QFile::link(real, link));
    QString error;
    QVERIFY2(MTools::writeFileSafely(link, "new", &error), qPrintable(error));
    QCOMPARE(QFileInfo(link).symLinkTarget(), real);
    QCOMPARE(contentOf(real), QByteArray("new"));
}

void tst_FileWriting::refusesWhatIsNotARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("named pipe") << "pipe" << "named pipe";
    QTest::newRow("link to a named pipe") << "link to pipe" << "named pipe";
    QTest::newRow("device") << "device" << "device";
    QTest::newRow("folder") << "folder" << "folder";
}

void tst_FileWriting::refusesWhatIsNotARegularFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString path = m_dir->filePath(QStringLiteral("target"));
    const QByteArray encoded = QFile::encodeName(path);
    const QString pipe = m_dir->filePath(QStringLiteral("pipe"));
    if (kind == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);
    } else if (kind == QLatin1String("link to pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QFile::link(pipe, path));
    } else if (kind == QLatin1String("device")) {
        // A node of its own for the zero device, so a fault replaces nothing outside the test's folder.
        if (::mknod(encoded.constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
            QSKIP("making a device node needs root");
    } else {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("target")));
    }
    const mode_t before = typeOf(path);

    QString error;
    QVERIFY(!MTools::writeFileSafely(path, "bytes", &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(typeOf(path), before);
    if (kind == QLatin1String("link to pipe"))
        QCOMPARE(typeOf(pipe), mode_t(S_IFIFO));
}

void tst_FileWriting::failsInAMissingFolder()
{
    const QString path = m_dir->filePath(QStringLiteral("missing/target.txt"));
    QString error;
    QVERIFY(!MTools::writeFileSafely(path, "bytes", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(path));
}

void tst_FileWriting::keepsTheOldFileWhenTheDiskStops_data()
{
    QTest::addColumn<int>("size");
    // Below the write buffer's size every byte waits for the flush inside commit(), which goes unchecked.
    QTest::newRow("all in the write buffer") << 10000;
    QTest::newRow("more than the write buffer") << 100000;
}

void tst_FileWriting::keepsTheOldFileWhenTheDiskStops()
{
    QFETCH(int, size);
    const QString path = m_dir->filePath(QStringLiteral("target.bin"));
    const QByteArray old = pseudoRandomBytes(3000, 1);
    putFile(path, old);
    bool written = true;
    QString error;
    {
        FileSizeLimit limit(4096);
        QVERIFY(limit.isActive());
        written = MTools::writeFileSafely(path, pseudoRandomBytes(size, 2), &error);
    }
    QVERIFY(!written);
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    QCOMPARE(contentOf(path), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("target.bin")});
}

void tst_FileWriting::appendAddsToTheEnd()
{
    const QString path = m_dir->filePath(QStringLiteral("log.txt"));
    QString error;
    QVERIFY2(MTools::appendToFile(path, "first\n", &error), qPrintable(error));
    QVERIFY2(MTools::appendToFile(path, "second\n", &error), qPrintable(error));
    QCOMPARE(contentOf(path), QByteArray("first\nsecond\n"));
    QVERIFY(!MTools::appendToFile(m_dir->filePath(QStringLiteral("missing/log.txt")), "line\n", &error));
    QVERIFY(!error.isEmpty());
}

void tst_FileWriting::failedAppendNeverShortensTheFile()
{
    const QString path = m_dir->filePath(QStringLiteral("log.txt"));
    const QByteArray old = pseudoRandomBytes(3000, 3);
    putFile(path, old);
    bool appended = true;
    {
        FileSizeLimit limit(4096);
        QVERIFY(limit.isActive());
        appended = MTools::appendToFile(path, pseudoRandomBytes(10000, 4));
    }
    QVERIFY(!appended);
    QVERIFY(contentOf(path).startsWith(old));
}

// A protocol may go to a named pipe that a program watches. Without a reader, opening it for writing would wait
// for one for ever: the append fails at once instead, and with a reader the bytes reach it.
void tst_FileWriting::appendToANamedPipe()
{
    const QString pipe = m_dir->filePath(QStringLiteral("log.pipe"));
    const QByteArray encoded = QFile::encodeName(pipe);
    QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);

    QString error;
    auto alone = std::async(std::launch::async, [&] { return MTools::appendToFile(pipe, "line\n", &error); });
    if (alone.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Lets the waiting append go before the test fails.
        const int unblock = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK);
        alone.wait();
        ::close(unblock);
        QFAIL("the append waited for a reader");
    }
    QVERIFY(!alone.get());
    QVERIFY2(error.contains(QStringLiteral("reads")), qPrintable(error));

    const int reader = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    QVERIFY2(MTools::appendToFile(pipe, "line\n", &error), qPrintable(error));
    char received[16] = {};
    QCOMPARE(::read(reader, received, sizeof received), ssize_t(5));
    QCOMPARE(QByteArray(received), QByteArray("line\n"));
    QCOMPARE(typeOf(pipe), mode_t(S_IFIFO));

    // A reader that pauses (a pager on the log) leaves the pipe full: the append fails instead of waiting.
    auto full = std::async(std::launch::async, [&] {
        return MTools::appendToFile(pipe, QByteArray(256 * 1024, 'x'), &error);
    });
    if (full.wait_for(std::chrono::milliseconds(HangBoundMs)) != std::future_status::ready) {
        char drain[4096];
        while (full.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            (void)::read(reader, drain, sizeof drain);
        ::close(reader);
        QFAIL("the append waited for the reader");
    }
    ::close(reader);
    QVERIFY(!full.get());
    QVERIFY2(error.contains(QStringLiteral("does not keep up")), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_FileWriting)
#include "tst_FileWriting.moc"
