#include "HangBound.h"
#include "QMWidgets/app/Os.h"

#include "Platform/NativeMessage.h"
#include "Platform/RunKey.h"

#include "CallRecorder.h"

#include <QDesktopServices>
#include <QDir>
#include <QLibrary>
#include <QLibraryInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using QMWidgets::Os;
using Platform::NativeMessage;

namespace {
// Stands where the desktop would open a URL, so the tests see what was asked of it.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> m_urls;

public slots:
    void open(const QUrl &url) { m_urls << url; }
};

struct NamedMessage
{
    const char *name;
    NativeMessage message;
};

// The messages the rows below are written in.
static const NamedMessage namedMessages[] = {
    { "suspend", { NativeMessage::PowerBroadcast, NativeMessage::PowerSuspend, 0 } },
    { "resume", { NativeMessage::PowerBroadcast, NativeMessage::PowerResumeAutomatic, 0 } },
    { "end session", { NativeMessage::EndSession, 0, 0 } },
    { "end session, logging off", { NativeMessage::EndSession, 1, qintptr(0x80000000u) } },
    { "battery low", { NativeMessage::PowerBroadcast, 9, 0 } },
    { "close window", { 0x0010, 0, 0 } },
};

NativeMessage messageNamed(const QString &name)
{
    for (const NamedMessage &named : namedMessages) {
        if (name == QLatin1String(named.name))
            return named.message;
    }
    qFatal("no message named %s", qPrintable(name));
    return {};
}
}

class tst_Os : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void handleNativeMessage_data();
    void handleNativeMessage();
    void messagesWithoutInstanceAreIgnored();

    void revealInFileManager_data();
    void revealInFileManager();
    void revealFallsBackToFolder_data();
    void revealFallsBackToFolder();

    void autostartFollowsSetting();
    void switchingAutostartOffWhenNothingStoredChangesNothing();

    void libraryFileNameNamesAnInstalledLibrary();

private:
    QTemporaryDir m_work;
    CallRecorder m_fileManager;
    QByteArray m_oldPath;
    QByteArray m_oldConfigHome;
};

void tst_Os::initTestCase()
{
    QVERIFY2(m_work.isValid(), qPrintable(m_work.errorString()));
    QVERIFY(QDir(m_work.path()).mkpath("bin"));
    QVERIFY(QDir(m_work.path()).mkpath("empty"));
    QVERIFY(QDir(m_work.path()).mkpath("config"));

    // A file manager of our own, found only while "bin" is the PATH; it notes how it was called.
    QString error;
    QVERIFY2(m_fileManager.install(m_work.filePath("bin/explorer.exe"), m_work.filePath("call.tmp"), &error),
             qPrintable(error));

    m_oldPath = qgetenv("PATH");
    m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_work.filePath("config")));
}

void tst_Os::cleanupTestCase()
{
    qputenv("PATH", m_oldPath);
    qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
}

void tst_Os::init()
{
    m_fileManager.forgetCall();
    Platform::openRunKey()->clear();
}

void tst_Os::cleanup()
{
    delete Os::instance(); // each test starts without standby
    QDesktopServices::unsetUrlHandler("file");
    qputenv("PATH", m_oldPath);
}

void tst_Os::handleNativeMessage_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("expectedSignals");
    QTest::newRow("suspend switches to standby") << QStringList{ "suspend" } << QStringList{ "standby" };
    QTest::newRow("two suspends report once")
        << QStringList{ "suspend", "suspend" } << QStringList{ "standby" };
    QTest::newRow("resume without suspend reports nothing") << QStringList{ "resume" } << QStringList();
    QTest::newRow("suspend then resume wakes up")
        << QStringList{ "suspend", "resume", "resume" } << QStringList{ "standby", "wake-up" };
    QTest::newRow("second sleep reported again")
        << QStringList{ "suspend", "resume", "suspend", "resume" }
        << QStringList{ "standby", "wake-up", "standby", "wake-up" };
    QTest::newRow("end session logs out whatever its parameters")
        << QStringList{ "end session", "end session, logging off" } << QStringList{ "logout", "logout" };
    QTest::newRow("end session keeps the standby state")
        << QStringList{ "suspend", "end session", "resume" } << QStringList{ "standby", "logout", "wake-up" };
    QTest::newRow("unrelated messages report nothing")
        << QStringList{ "battery low", "close window" } << QStringList();
}

void tst_Os::handleNativeMessage()
{
    QFETCH(QStringList, messages);
    QFETCH(QStringList, expectedSignals);

    Os *os = Os::instance();
    QStringList emitted;
    connect(os, &Os::atSwitchToStandBy, this, [&] { emitted << "standby"; });
    connect(os, &Os::atWakeUpFromStandBy, this, [&] { emitted << "wake-up"; });
    connect(os, &Os::atUserLogout, this, [&] { emitted << "logout"; });
    connect(os, &Os::atWorkspaceChanged, this, [&] { emitted << "workspace"; });

    for (const QString &name : messages)
        QVERIFY2(!Os::handleNativeMessage(messageNamed(name)), "a message must never be consumed");
    QCOMPARE(emitted, expectedSignals);
}

// A suspend seen before the object exists must not leave it in standby.
void tst_Os::messagesWithoutInstanceAreIgnored()
{
    delete Os::instance();
    QVERIFY(!Os::handleNativeMessage(messageNamed("suspend")));

    QSignalSpy wakeUps(Os::instance(), &Os::atWakeUpFromStandBy);
    Os::handleNativeMessage(messageNamed("resume"));
    QCOMPARE(wakeUps.count(), 0);
}

void tst_Os::revealInFileManager_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedSelection");
    QTest::newRow("doubled slash between folder and file collapsed") << "%1//notes.txt" << "%1/notes.txt";
    QTest::newRow("blanks stay inside the quotes") << "%1/my notes.txt" << "%1/my notes.txt";
}

void tst_Os::revealInFileManager()
{
    QFETCH(QString, path);
    QFETCH(QString, expectedSelection);
    qputenv("PATH", QFile::encodeName(m_work.filePath("bin")));

    QVERIFY(QMWidgets::revealInFileManager(path.arg(m_work.path())));
    const QString selection = QDir::toNativeSeparators(expectedSelection.arg(m_work.path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_fileManager.lastCall(), QString("1\n/e,/select,\"%1\"\n").arg(selection), HangBoundMs);
}

void tst_Os::revealFallsBackToFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedFolder");
    QTest::newRow("folder of the file") << "%1/sub/file.txt" << "%1/sub";
    QTest::newRow("doubled slash") << "%1/sub//file.txt" << "%1/sub";
    // Pasted as text after "file://", the '#' would start a fragment and open "%1/C".
    QTest::newRow("hash in folder name") << "%1/C# notes/file.txt" << "%1/C# notes";
}

void tst_Os::revealFallsBackToFolder()
{
    QFETCH(QString, path);
    QFETCH(QString, expectedFolder);
    qputenv("PATH", QFile::encodeName(m_work.filePath("empty")));
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");

    QVERIFY(QMWidgets::revealInFileManager(path.arg(m_work.path())));
    QCOMPARE(desktop.m_urls.count(), 1);
    const QUrl url = desktop.m_urls.first();
    QCOMPARE(url.scheme(), QString("file"));
    QCOMPARE(url.toLocalFile(), expectedFolder.arg(m_work.path()));
}

void tst_Os::autostartFollowsSetting()
{
    QVERIFY(!QMWidgets::isAutostartEnabled());

    QMWidgets::setAutostart(true);
    QVERIFY(QMWidgets::isAutostartEnabled());
    QCOMPARE(Platform::openRunKey()->value("App").toString(), QCoreApplication::arguments().first());

    QMWidgets::setAutostart(false);
    QVERIFY(!QMWidgets::isAutostartEnabled());
    QVERIFY(!Platform::openRunKey()->contains("App"));
}

void tst_Os::switchingAutostartOffWhenNothingStoredChangesNothing()
{
    QString fileName;
    {
        const auto runKey = Platform::openRunKey();
        runKey->setValue("Other", "/opt/other/other --quiet");
        fileName = runKey->fileName();
    }
    QFile file(fileName);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray before = file.readAll();
    file.close();

    QMWidgets::setAutostart(false);

    QVERIFY(!QMWidgets::isAutostartEnabled());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(Platform::openRunKey()->childKeys(), QStringList{ "Other" });
}

// The name must be one the system's loader finds: Qt's own core library is installed under it.
void tst_Os::libraryFileNameNamesAnInstalledLibrary()
{
    const QString name = QMWidgets::libraryFileName("Qt5Core");
    QVERIFY2(QLibrary::isLibrary(name), qPrintable(name));
#ifdef Q_OS_WIN
    const QString folder = QLibraryInfo::location(QLibraryInfo::BinariesPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::LibrariesPath);
#endif
    QVERIFY2(QFileInfo(folder, name).exists(), qPrintable(folder + '/' + name));
}

QTEST_MAIN(tst_Os)
#include "tst_Os.moc"
