#include "QMWidgets/App.h"
#include "TestApp.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryFile>

#include <cstdio>
#include <memory>
#include <unistd.h>

using QMWidgets::App;

namespace {

int s_argc = 1;
char s_programName[] = "tst_App";
char *s_argv[] = {s_programName, nullptr};

int s_hookCalls = 0;
void countingHook()
{
    ++s_hookCalls;
}

// Captures what the process writes to its standard error while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(fileno(stderr));
        dup2(m_file.handle(), fileno(stderr));
    }
    ~StderrCapture() { restore(); }

    QByteArray text()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, fileno(stderr));
        close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

// Each test makes its own application object in a home of its own, so construction itself is under test.
class tst_App : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void settingsKeysCarryTheApplicationPrefix();
    void firstStartIsTrueOnce();
    void directories();
    void firstRunTestsThisApplicationsFolders();
    void lastDirectoriesStartInWorkDirectory();
    void lastDirectoriesAreAbsolute_data();
    void lastDirectoriesAreAbsolute();
    void buildDateText_data();
    void buildDateText();
    void buildDateOfThisBuildParses();
    void languagePath_data();
    void languagePath();
    void editionAndIdentity();
    void storeProductIds();
    void productPageLink_data();
    void productPageLink();
    void smallScreen_data();
    void smallScreen();
    void windowsVersionText_data();
    void windowsVersionText();
    void startupHooksRunForLaterApplications();
    void messagesAreDiscardedAfterConstruction();
    void dumpDirectoriesWritesLabelAndPath();

private:
    App *makeApp();

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<App> m_app;
};

void tst_App::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    TestApp::pointHomeAt(QDir(m_home->path()).canonicalPath());
}

void tst_App::cleanup()
{
    m_app.reset();
    m_home.reset();
}

App *tst_App::makeApp()
{
    m_app = std::make_unique<App>(s_argc, s_argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    return m_app.get();
}

void tst_App::settingsKeysCarryTheApplicationPrefix()
{
    App *app = makeApp();
    app->setValue("zoom", 3);
    QCOMPARE(app->value("zoom", 0).toInt(), 3);
    QCOMPARE(app->value("absent", "fallback").toString(), QString("fallback"));

    // Read back through a store of its own: the key lies under "Tarsel/" in Borlune's Tarsel store.
    QSettings store("Borlune", "Tarsel");
    QCOMPARE(store.fileName(), m_home->path() + "/.config/Borlune/Tarsel.conf");
    QCOMPARE(store.value("Tarsel/zoom").toInt(), 3);
    QVERIFY(!store.contains("zoom"));

    app->setRawSettingsKeys(true);
    app->setValue("zoom", 5);
    store.sync();
    QCOMPARE(store.value("zoom").toInt(), 5);
    QCOMPARE(store.value("Tarsel/zoom").toInt(), 3);
}

void tst_App::firstStartIsTrueOnce()
{
    App *app = makeApp();
    QVERIFY(app->isFirstStart());
    QVERIFY(!app->isFirstStart());
    QVERIFY(!app->isFirstStart());

    // A later run reads the same store.
    m_app.reset();
    QVERIFY(!makeApp()->isFirstStart());
}

void tst_App::directories()
{
    App *app = makeApp();
    const QString home = QDir::homePath();

    QCOMPARE(app->workDirectory(false), home + "/Tarsel/");
    QCOMPARE(app->downloadsDirectory(false), app->workDirectory(false));
    QVERIFY(!app->cachesDirectory(false).endsWith('/'));
    QCOMPARE(app->cachesDirectory(false), home + "/.cache/Borlune/Tarsel");
    QCOMPARE(app->supportDirectory(false), home + "/.local/share/Borlune/Tarsel");
    QCOMPARE(app->dataDirectory(false), home + "/.local/share/Borlune/Tarsel/");
    QCOMPARE(app->documentsDirectory(false), home + "/Documents/Borlune/Tarsel/");
    QCOMPARE(app->picturesDirectory(false), home + "/Pictures/Borlune/Tarsel/");

    // The work directory is made at construction; the others only when asked to.
    QVERIFY(QDir(app->workDirectory(false)).exists());
    QVERIFY(!QDir(app->documentsDirectory(false)).exists());
    QCOMPARE(app->documentsDirectory(true), home + "/Documents/Borlune/Tarsel/");
    QVERIFY(QDir(app->documentsDirectory(false)).exists());
    QVERIFY(QDir(app->cachesDirectory(true)).exists());
}

void tst_App::firstRunTestsThisApplicationsFolders()
{
    QVERIFY(makeApp()->isFirstRun());
    m_app.reset();

    // The first run made the work directory, so the next one is not a first run.
    QVERIFY(!makeApp()->isFirstRun());
    m_app.reset();

    // Only this application's folders count: a fresh home with just Tarsel's documents folder.
    init();
    QVERIFY(QDir().mkpath(QDir::homePath() + "/Documents/Borlune/Tarsel"));
    QVERIFY(!makeApp()->isFirstRun());
}

void tst_App::lastDirectoriesStartInWorkDirectory()
{
    App *app = makeApp();
    QCOMPARE(app->openDirectory(), QDir::homePath() + "/Tarsel/");
    QCOMPARE(app->saveDirectory(), QDir::homePath() + "/Tarsel/");
}

void tst_App::lastDirectoriesAreAbsolute_data()
{
    QTest::addColumn<QString>("filePath");
    QTest::addColumn<QString>("directory");
    QTest::newRow("absolute file") << "/work/a.js" << "/work";
    QTest::newRow("relative to the current directory") << "sub/a.js" << QDir::currentPath() + "/sub";
}

void tst_App::lastDirectoriesAreAbsolute()
{
    QFETCH(QString, filePath);
    QFETCH(QString, directory);
    App *app = makeApp();
    app->setOpenDirectory(filePath);
    QCOMPARE(app->openDirectory(), directory);
    app->setSaveDirectory(filePath);
    QCOMPARE(app->saveDirectory(), directory);
}

void tst_App::buildDateText_data()
{
    QTest::addColumn<QString>("compilerDate");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("one-digit day padded with a space") << "Jan  5 2020" << "1/5/2020" << QDate(2020, 1, 5);
    QTest::newRow("two-digit day") << "Sep 12 2019" << "9/12/2019" << QDate(2019, 9, 12);
    QTest::newRow("two-digit month") << "Nov  1 2021" << "11/1/2021" << QDate(2021, 11, 1);
    QTest::newRow("last month") << "Dec 31 1999" << "12/31/1999" << QDate(1999, 12, 31);
}

void tst_App::buildDateText()
{
    QFETCH(QString, compilerDate);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(App::buildDateTextFrom(compilerDate), text);
    QCOMPARE(QDate::fromString(App::buildDateTextFrom(compilerDate), "M/d/yyyy"), date);
}

void tst_App::buildDateOfThisBuildParses()
{
    App *app = makeApp();
    QVERIFY(app->buildDate().isValid());
    QVERIFY(app->buildDate() <= QDate::currentDate());
    QCOMPARE(App::dateFormat(), QString("yyyy-MM-dd"));
}

void tst_App::languagePath_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("path");
    QTest::newRow("english has no path") << "en" << "";
    QTest::newRow("german") << "de" << "de/";
    QTest::newRow("language with country") << "zh_TW" << "zh_TW/";
}

void tst_App::languagePath()
{
    QFETCH(QString, language);
    QFETCH(QString, path);
    App *app = makeApp();
    app->language(); // settles the language before the test sets its own
    app->setLanguage(language);
    QCOMPARE(app->language(), language);
    QCOMPARE(app->languagePath(), path);

    app->setAccountPageUrlTemplate("https://example.org/%1account");
    QCOMPARE(app->accountPageUrl(), "https://example.org/" + path + "account");
}

void tst_App::editionAndIdentity()
{
    App *app = makeApp();
    QVERIFY(app->isIndependentEdition());
    QVERIFY(!App::isStoreEdition());

    QCOMPARE(app->displayName(), QString("Tarsel"));
    app->setDisplayName("Tarsel Pro");
    QCOMPARE(app->displayName(), QString("Tarsel Pro"));

    QCoreApplication::setOrganizationDomain("borlune.com");
    QCOMPARE(app->reverseDomainAppId(), QString("com.borlune.Tarsel"));

    QCOMPARE(app->resourcesDirectory(), QCoreApplication::applicationDirPath() + "/Resources/");
    QVERIFY(app->legalNotice().contains("file://" + app->resourcesDirectory() + "LICENSE.LGPL"));
    app->appendLegalNotice("<P>more</P>");
    QVERIFY(app->legalNotice().endsWith("<P>more</P>"));

    QCOMPARE(app->reminderPeriod(), 10);
    QCOMPARE(app->reminderDelay(), 4000);
}

void tst_App::storeProductIds()
{
    App *app = makeApp();
    QCOMPARE(app->storeProductId().size(), 12);
    QCOMPARE(app->storeProductId(), app->storeProductId("tarsel"));
    QCOMPARE(app->storeProductId("no-such-app"), QString());
}

void tst_App::productPageLink_data()
{
    QTest::addColumn<QString>("webLink");
    QTest::addColumn<bool>("known");
    QTest::newRow("last segment with a trailing slash") << "https://example.org/apps/Tarsel/" << true;
    QTest::newRow("last segment in lower case") << "https://example.org/apps/tarsel" << true;
    QTest::newRow("bare key") << "tarsel" << true;
    QTest::newRow("unknown application") << "https://example.org/apps/nothing" << false;
    QTest::newRow("empty last segment") << "https://example.org/apps//" << false;
}

void tst_App::productPageLink()
{
    QFETCH(QString, webLink);
    QFETCH(bool, known);
    App *app = makeApp();
    const QString expected = known ? "ms-windows-store://pdp/?productid=" + app->storeProductId("tarsel") : QString();
    QCOMPARE(app->productPageLink(webLink), expected);
    // This edition keeps web links as they are.
    QCOMPARE(app->storeLinkFor(webLink), webLink);
}

void tst_App::smallScreen_data()
{
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<bool>("small");
    QTest::newRow("wide but low") << QRect(0, 0, 1920, 479) << true;
    QTest::newRow("narrow but high") << QRect(0, 0, 479, 1080) << true;
    QTest::newRow("exactly 480 square") << QRect(0, 0, 480, 480) << false;
    QTest::newRow("offset desktop") << QRect(-1920, 100, 1920, 1080) << false;
}

void tst_App::smallScreen()
{
    QFETCH(QRect, desktop);
    QFETCH(bool, small);
    QCOMPARE(App::isSmallScreen(desktop), small);
}

void tst_App::windowsVersionText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("windows 10") << 0x00c0 << "Win 10";
    QTest::newRow("windows 8.1") << 0x00b0 << "Win 8.1";
    QTest::newRow("vista") << 0x0080 << "Win Vista";
    QTest::newRow("unknown code in decimal") << 0x0100 << "Win (256)";
    QTest::newRow("not windows") << 0 << "Win (0)";
}

void tst_App::windowsVersionText()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(App::windowsVersionText(code), text);
}

void tst_App::startupHooksRunForLaterApplications()
{
    makeApp();
    s_hookCalls = 0;
    App::addStartupHook(countingHook);
    QCOMPARE(s_hookCalls, 0);

    m_app.reset();
    makeApp();
    QCOMPARE(s_hookCalls, 1);
}

void tst_App::messagesAreDiscardedAfterConstruction()
{
    makeApp();
    {
        StderrCapture capture;
        qWarning("this warning is discarded");
        qDebug("this debug message is discarded");
        QCOMPARE(capture.text(), QByteArray());
    }
    App::installDefaultMessageHandler();
    {
        StderrCapture capture;
        qWarning("this warning is shown");
        QVERIFY(capture.text().contains("this warning is shown"));
    }
    App::installSilentMessageHandler();
}

static QStringList s_dumpedLines;

void tst_App::dumpDirectoriesWritesLabelAndPath()
{
    App *app = makeApp();
    s_dumpedLines.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { s_dumpedLines << text; });
    app->dumpDirectories();
    qInstallMessageHandler(previous);

    QCOMPARE(s_dumpedLines.size(), 9);
    // The path as it is, not quoted.
    QCOMPARE(s_dumpedLines.first(), QStringLiteral("supportDirectory: ") + app->supportDirectory(false));
    QCOMPARE(s_dumpedLines.last(), QStringLiteral("downloadsDirectory: ") + app->downloadsDirectory(false));
}

QTEST_APPLESS_MAIN(tst_App)
#include "tst_App.moc"
