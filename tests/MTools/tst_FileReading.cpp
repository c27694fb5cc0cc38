#include "MTools/FileReading.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/types.h>

class tst_FileReading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void read_data();
    void read();
    void describesTheBound_data();
    void describesTheBound();

private:
    QTemporaryDir m_dir;
};

void tst_FileReading::initTestCase()
{
    QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
    QFile file(m_dir.filePath(QStringLiteral("script.js")));
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("printout(1);");
    file.close();
    QVERIFY(QFile::link(file.fileName(), m_dir.filePath(QStringLiteral("link.js"))));
    QFile empty(m_dir.filePath(QStringLiteral("empty.js")));
    QVERIFY2(empty.open(QIODevice::WriteOnly), qPrintable(empty.errorString()));
    empty.close();
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.js")));
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe.js"))).constData(), 0600), 0);
}

void tst_FileReading::read_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("bound");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("regular file") << "script.js" << qint64(1024) << QByteArray("printout(1);") << "";
    QTest::newRow("exactly at the bound") << "script.js" << qint64(12) << QByteArray("printout(1);") << "";
    QTest::newRow("link to a regular file") << "link.js" << qint64(1024) << QByteArray("printout(1);") << "";
    QTest::newRow("empty file") << "empty.js" << qint64(1024) << QByteArray() << "";
    QTest::newRow("one byte over the bound")
        << "script.js" << qint64(11) << QByteArray()
        << "The file is larger than 11 bytes, the most this program reads of such a file";
    // Its size says 0 and its content never ends: it is read only to the small bound of such files, whatever
    // the caller's, instead of to 32 MB before the refusal.
    QTest::newRow("endless file under /proc")
        << "/proc/self/pagemap" << MTools::ScriptFileBound << QByteArray()
        << "The file reports no size and holds more than 1 MB, the most this program reads of such a file";
    QTest::newRow("endless file, caller's bound smaller")
        << "/proc/self/pagemap" << qint64(4096) << QByteArray()
        << "The file reports no size and holds more than 4 KB, the most this program reads of such a file";
    QTest::newRow("missing") << "absent.js" << qint64(1024) << QByteArray() << "No such file or directory";
    QTest::newRow("folder") << "folder.js" << qint64(1024) << QByteArray() << "It is a folder, not a file";
    // A blocking open would wait for a writer that never comes.
    QTest::newRow("named pipe") << "pipe.js" << qint64(1024) << QByteArray()
                                << "It is a named pipe, not a regular file";
    QTest::newRow("device") << "/dev/zero" << qint64(1024) << QByteArray() << "It is a device, not a regular file";
    QTest::newRow("no name") << "" << qint64(1024) << QByteArray() << "No file name";
}

void tst_FileReading::read()
{
    QFETCH(QString, name);
    QFETCH(qint64, bound);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString path = name.startsWith(QLatin1Char('/')) || name.isEmpty() ? name : m_dir.filePath(name);
    QByteArray bytes("left over");
    QString why = QStringLiteral("untouched");
    QCOMPARE(MTools::readFileBounded(path, bound, &bytes, &why), reason.isEmpty());
    QCOMPARE(bytes, content);
    if (!reason.isEmpty())
        QCOMPARE(why, reason);
}

void tst_FileReading::describesTheBound_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("bytes") << qint64(700) << "700 bytes";
    QTest::newRow("fraction of a kilobyte") << qint64(1536) << "1.5 KB";
    QTest::newRow("script bound") << MTools::ScriptFileBound << "32 MB";
    QTest::newRow("table bound") << MTools::TableFileBound << "512 MB";
}

void tst_FileReading::describesTheBound()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(MTools::describeBound(bytes), text);
}

QTEST_GUILESS_MAIN(tst_FileReading)
#include "tst_FileReading.moc"
