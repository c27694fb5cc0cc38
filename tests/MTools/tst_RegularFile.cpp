#include "MTools/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/types.h>

class tst_RegularFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void check_data();
    void check();

private:
    QTemporaryDir m_dir;
};

void tst_RegularFile::initTestCase()
{
    QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
    QFile file(m_dir.filePath(QStringLiteral("script.js")));
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("printout(1);");
    file.close();
    QVERIFY(QFile::link(file.fileName(), m_dir.filePath(QStringLiteral("link.js"))));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.js")));
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe.js"))).constData(), 0600), 0);
}

void tst_RegularFile::check_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("regular file") << "script.js" << "";
    QTest::newRow("link to a regular file") << "link.js" << "";
    QTest::newRow("missing") << "absent.js" << "No such file or directory";
    QTest::newRow("folder") << "folder.js" << "It is a folder, not a file";
    // Opening it for reading would wait for a writer that never comes.
    QTest::newRow("named pipe") << "pipe.js" << "It is not a regular file but a named pipe, a device or a socket";
    QTest::newRow("device") << "/dev/null" << "It is not a regular file but a named pipe, a device or a socket";
    QTest::newRow("no name") << "" << "No file name";
}

void tst_RegularFile::check()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString path = name.startsWith(QLatin1Char('/')) || name.isEmpty() ? name : m_dir.filePath(name);
    QString why = QStringLiteral("untouched");
    QCOMPARE(MTools::isRegularFile(path, &why), reason.isEmpty());
    QCOMPARE(why, reason);
}

QTEST_GUILESS_MAIN(tst_RegularFile)
#include "tst_RegularFile.moc"
