#include "QMWidgets/app/App.h"
#include "AppFixtures.h"
#include "LinkCatcher.h"
#include "TestApp.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrlQuery>

#include <cstdio>
#include <unistd.h>

using QMWidgets::App;
using namespace AppTest;

namespace {

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

QString queryValue(const QUrl &url, const QString &key)
{
    return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
}

} // namespace

class tst_App : public FreshAppTest
{
    Q_OBJECT

private slots:
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
    void instanceIsNullUnderAnotherApplication();
    void messagesAreDiscardedAfterConstruction();
    void dumpDirectoriesWritesLabelAndPath();

    void supportAndPrivacyLinks();
    void mailLinks();
    void promotedApp_data();
    void promotedApp();
    void initializeOnceStoresTheFlag();
    void makerAddressesDecode();
};

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

void tst_App::instanceIsNullUnderAnotherApplication()
{
    QCOMPARE(App::instance(), nullptr);
    {
        QApplication plain(s_argc, s_argv);
        QCOMPARE(App::instance(), nullptr);
        // The log-file handler looks the application up; it must not take this one for an App.
        App::installLogFileMessageHandler();
        qWarning("a warning under a plain application");
        App::installSilentMessageHandler();
    }
    App *app = makeApp();
    QCOMPARE(App::instance(), app);
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

void tst_App::supportAndPrivacyLinks()
{
    App *app = makeApp();
    LinkCatcher desktop;

    app->slotShowPrivacyPolicy();
    QVERIFY(desktop.links().isEmpty());
    app->setPrivacyPolicyUrl("https://example.org/privacy");
    app->slotShowPrivacyPolicy();
    QCOMPARE(desktop.links(), QList<QUrl>{QUrl("https://example.org/privacy")});

    desktop.clear();
    app->slotSupportPage();
    app->setAppPageUrl("https://example.org/apps/tarsel/");
    app->slotSupportPage();
    QCOMPARE(desktop.links(), (QList<QUrl>{QUrl(App::makerWebSite()), QUrl("https://example.org/apps/tarsel/")}));
}

void tst_App::mailLinks()
{
    App *app = makeApp();
    QCoreApplication::setApplicationVersion("1.8.2");
    LinkCatcher desktop;

    app->slotContactUs();
    app->slotTellFriend();
    app->setAppPageUrl("https://example.org/apps/tarsel/");
    app->setDisplayName("Tarsel Pro");
    app->slotTellFriend();
    const QList<QUrl> links = desktop.links();
    QCOMPARE(links.count(), 3);

    QCOMPARE(links[0].scheme(), QString("mailto"));
    QCOMPARE(links[0].path(), App::makerContactAddress());
    QCOMPARE(queryValue(links[0], "subject"),
             "Contact (Tarsel 1.8.2) " + App::windowsVersionText() + ' ' + app->language() + " I");
    QVERIFY(QUrlQuery(links[0]).hasQueryItem("body"));

    QCOMPARE(links[1].path(), QString());
    QCOMPARE(queryValue(links[1], "subject"), QString("Check out the cool Tarsel app!"));
    QCOMPARE(queryValue(links[1], "body"), "Tarsel - " + App::makerWebSite() + "/tarsel");
    QCOMPARE(queryValue(links[2], "body"), QString("Tarsel Pro - https://example.org/apps/tarsel/"));
}

void tst_App::promotedApp_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("linkKey");
    QTest::addColumn<QString>("webPage");
    QTest::addColumn<bool>("promoted");
    QTest::addColumn<QString>("opened");
    QTest::newRow("nothing promoted: product page") << "" << "" << "https://example.org/tarsel" << false
                                                     << "https://example.org/tarsel";
    QTest::newRow("nothing promoted, no product page") << "" << "" << "" << false << "";
    QTest::newRow("promoted link") << "" << "https://example.org/quillmap" << "https://example.org/tarsel" << true
                                   << "https://example.org/quillmap";
    QTest::newRow("promoted text without link") << "Quillmap" << "" << "https://example.org/tarsel" << true << "";
}

void tst_App::promotedApp()
{
    QFETCH(QString, second);
    QFETCH(QString, linkKey);
    QFETCH(QString, webPage);
    QFETCH(bool, promoted);
    QFETCH(QString, opened);
    App *app = makeApp();
    LinkCatcher desktop;
    app->setWebPageUrl(webPage);
    app->setPromotedApp("first", second);
    if (!linkKey.isEmpty())
        app->setPromotedAppLink(linkKey);
    QCOMPARE(app->hasPromotedApp(), promoted);

    app->slotGoToPromotedApp();
    QCOMPARE(desktop.links(), opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
}

void tst_App::initializeOnceStoresTheFlag()
{
    App *app = makeApp();
    QVERIFY(!app->value("Initialized", false).toBool());
    app->initializeOnce();
    QVERIFY(app->value("Initialized", false).toBool());
    app->initializeOnce();
    QVERIFY(app->value("Initialized", false).toBool());
}

void tst_App::makerAddressesDecode()
{
    for (const QString &address :
         {App::firstMakerWebAddress(), App::secondMakerWebAddress(), App::thirdMakerWebAddress()}) {
        const QUrl url(address, QUrl::StrictMode);
        QVERIFY2(url.isValid() && url.scheme() == "https" && !url.host().isEmpty(), qPrintable(address));
    }
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
