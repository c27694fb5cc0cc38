#include "Platform/RunKey.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_RunKey : public QObject
{
    Q_OBJECT

private slots:
    void keptInTheConfigurationFolder();
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

QTEST_GUILESS_MAIN(tst_RunKey)
#include "tst_RunKey.moc"
