#include "Platform/RunKey.h"

#include "ChildRun.h"
#include "HostileResource.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_RunKey : public QObject
{
    Q_OBJECT

private slots:
    void keptInTheConfigurationFolder();
    void listThatCannotBeReadIsLeftAlone_data();
    void listThatCannotBeReadIsLeftAlone();
};

// Tests point XDG_CONFIG_HOME at a folder of their own; the autostart list must follow it,
// or a test run would edit the user's real list.
void tst_RunKey::keptInTheConfigurationFolder()
{
    QTemporaryDir configHome;
    QVERIFY2(configHome.isValid(), qPrintable(configHome.errorString()));
    const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));

    QString fileName;
    {
        const auto runKey = Platform::openRunKey();
        fileName = runKey->fileName();
        runKey->setValue("Probe", "/opt/probe/probe");
    }
    qputenv("XDG_CONFIG_HOME", oldConfigHome);

    QVERIFY2(fileName.startsWith(QDir(configHome.path()).absolutePath() + '/'), qPrintable(fileName));
    QVERIFY2(QFile::exists(fileName), qPrintable(fileName));
    QSettings reread(fileName, QSettings::IniFormat);
    QCOMPARE(reread.value("Probe").toString(), QString("/opt/probe/probe"));
}

void tst_RunKey::listThatCannotBeReadIsLeftAlone_data()
{
    // Only a file can stand under the list's name: a pipe, or one over the bound.
    QTest::addColumn<QString>("resource");
    for (const auto &row : hostileResources()) {
        if (row.second == QLatin1String("pipe") || row.second == QLatin1String("large"))
            QTest::newRow(row.first.toUtf8().constData()) << row.second;
    }
}

// The list is read before it is changed: a named pipe in its place held the caller for good, and a huge file was
// read whole. The caller gets an empty list that changes nothing on disk.
void tst_RunKey::listThatCannotBeReadIsLeftAlone()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    QTemporaryDir configHome;
    QVERIFY2(configHome.isValid(), qPrintable(configHome.errorString()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    const HostileResource hostile = makeHostileResource(configHome.path());
    const QString listName = QDir(configHome.path()).filePath("autostart-run.ini");
    QVERIFY(QFile::rename(hostile.path, listName));
    const QFileInfo before(listName);
    const RouteCost cost;
    {
        const auto runKey = Platform::openRunKey();
        QVERIFY(!runKey->contains("App"));
        runKey->setValue("App", "/opt/app/app");
    }
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
    const QFileInfo after(listName);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.isFile(), before.isFile());
}

QTEST_GUILESS_MAIN(tst_RunKey)
#include "tst_RunKey.moc"
