#include "QMWidgets/app/App.h"
#include "AppFixtures.h"
#include "ChildRun.h"
#include "HostileFile.h"
#include "HostileResource.h"
#include "MTools/FileReading.h"
#include "TestApp.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>

using QMWidgets::App;
using namespace AppTest;

class tst_AppFiles : public FreshAppTest
{
    Q_OBJECT

private slots:
    void filesOpenedByNameAreJudged();

    void installFileIfMissing();
    void installRefusesWhatItCannotRead_data();
    void installRefusesWhatItCannotRead();
    void logFileHandlerWritesLines();
    void logFileHandlerDropsUnwritableMessages();
    void settingsStoreThatCannotBeReadIsLeftAlone_data();
    void settingsStoreThatCannotBeReadIsLeftAlone();
};

// The application object opens files as it starts, so it installs the judgement before it exists.
void tst_AppFiles::filesOpenedByNameAreJudged()
{
    makeApp();
    QFile device(QStringLiteral("/dev/zero"));
    QVERIFY(!device.open(QIODevice::ReadOnly));
}

void tst_AppFiles::installFileIfMissing()
{
    App *app = makeApp();
    const QString source = m_home->filePath("source.txt");
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("first");
    file.close();

    const QString target = m_home->filePath("deep/folder");
    QVERIFY(App::installFileIfMissing(source, target));
    QFile installed(target + "/source.txt");
    QVERIFY(installed.open(QIODevice::ReadOnly));
    QCOMPARE(installed.readAll(), QByteArray("first"));
    installed.close();

    // An installed file stays as it is.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("second");
    file.close();
    QVERIFY(App::installFileIfMissing(source, target));
    QVERIFY(installed.open(QIODevice::ReadOnly));
    QCOMPARE(installed.readAll(), QByteArray("first"));
    installed.close();

    QVERIFY(!App::installFileIfMissing(m_home->filePath("missing.txt"), target));
    QVERIFY(!QFileInfo::exists(target + "/missing.txt"));

    QVERIFY(App::installSupportFile(source, "renamed.txt"));
    QVERIFY(QFileInfo::exists(QDir(app->supportDirectory()).filePath("renamed.txt")));
}

void tst_AppFiles::installRefusesWhatItCannotRead_data()
{
    addHostileFileRows();
}

// A pipe would hold the caller for ever, and a huge or endless file would be swallowed whole.
void tst_AppFiles::installRefusesWhatItCannotRead()
{
    // The child is started from the application's own path.
    makeApp();
    RUN_ROW_IN_CHILD();
    const HostileFile hostile = makeHostileFile(m_home->path(), MTools::SupportFileBound);
    const QString target = m_home->filePath("installed");
    QVERIFY(!App::installFileIfMissing(hostile.path, target, "copy"));
    QVERIFY(!QFileInfo::exists(target + "/copy"));
}

void tst_AppFiles::logFileHandlerWritesLines()
{
    App *app = makeApp();
    App::installLogFileMessageHandler();
    qWarning("a warning");
    qDebug("a debug line");
    qInfo("an info line");
    qCritical("a critical line");
    App::installSilentMessageHandler();

    QFile log(QDir(app->supportDirectory()).filePath("protocol.log"));
    QVERIFY2(log.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(log.errorString()));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.count(), 3);
    const QString source = QFileInfo(QStringLiteral(__FILE__)).fileName();
    const QStringList levels{"Warning: a warning", "Debug: a debug line", "Critical: a critical line"};
    for (int i = 0; i < levels.count(); ++i) {
        const QRegularExpression line("^\\d\\d\\.\\d\\d\\.\\d\\d-\\d\\d:\\d\\d "
                                      + QRegularExpression::escape(levels.at(i)) + ", .*"
                                      + QRegularExpression::escape(source) + "$");
        QVERIFY2(line.match(lines.at(i)).hasMatch(), qPrintable(lines.at(i)));
    }
}

void tst_AppFiles::logFileHandlerDropsUnwritableMessages()
{
    App *app = makeApp();
    // A folder in the log file's place cannot be opened for writing.
    QVERIFY(QDir().mkpath(QDir(app->supportDirectory(true)).filePath("protocol.log")));
    App::installLogFileMessageHandler();
    qWarning("dropped");
    App::installSilentMessageHandler();
    QVERIFY(QFileInfo(QDir(app->supportDirectory()).filePath("protocol.log")).isDir());
}

void tst_AppFiles::settingsStoreThatCannotBeReadIsLeftAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe as the store") << "Borlune/Tarsel.conf" << "pipe";
    QTest::newRow("named pipe as the maker's store") << "Borlune.conf" << "pipe";
    QTest::newRow("store over the bound") << "Borlune/Tarsel.conf" << "large";
}

// QSettings opened the store with a blocking read and no bound: a named pipe held the program before any window
// appeared. It starts with the default settings instead, says so, and leaves the file as it is.
void tst_AppFiles::settingsStoreThatCannotBeReadIsLeftAlone()
{
    // The child is started from the application's own path.
    makeApp();
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    m_app.reset();
    QFETCH(QString, file);
    const QString folder = QFileInfo(m_home->path() + "/.config/" + file).path();
    QVERIFY(QDir().mkpath(folder));
    const HostileFile hostile = makeHostileFile(folder, MTools::SmallFileBound);
    QVERIFY(QFile::rename(hostile.path, m_home->path() + "/.config/" + file));
    // The earlier application object left its silent handler: the warnings are caught here.
    static QStringList warnings;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtWarningMsg)
            warnings << text;
    });
    const RouteCost cost;
    App *app = makeApp();
    QCOMPARE(app->value("zoom", 7).toInt(), 7);
    app->setValue("zoom", 3);
    QCOMPARE(app->value("zoom", 7).toInt(), 3);
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
    const QString said = "The settings cannot be read, so this run starts with the default settings and keeps none: "
                         + QDir(m_home->path()).canonicalPath() + "/.config/" + file + ": " + hostile.reason;
    QVERIFY2(warnings.contains(said), qPrintable(warnings.join('\n')));
    const QFileInfo left(m_home->path() + "/.config/" + file);
    QCOMPARE(left.isFile(), QTest::currentDataTag() == QByteArray("store over the bound"));
}

QTEST_APPLESS_MAIN(tst_AppFiles)
#include "tst_AppFiles.moc"
