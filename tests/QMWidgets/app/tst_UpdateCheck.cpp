#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/AppUpdateDialog.h"
#include "QMWidgets/app/UpdateCheck.h"
#include "ChildRun.h"
#include "CompressedBomb.h"
#include "HostileResource.h"
#include "LinkCatcher.h"
#include "LocalHttpServer.h"
#include "ModalAnswer.h"
#include "TestApp.h"
#include "TestHome.h"
#include "WidgetFinder.h"
#include "resources/Resources.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

using namespace QMWidgets;

Q_DECLARE_METATYPE(QMWidgets::UpdateStatus)

namespace {

const QString kNewerDocument = QStringLiteral("build: 1.9.0;\r\ndate: 2030-01-15;\twindows:all;");
const QString kLatestDocument = QStringLiteral("build:1.0.0;date:2001-01-01;windows:all;");

// What one run of the update dialog showed; empty when none ran.
struct DialogSeen
{
    bool shown = false;
    QString name;
    QString text;
    QImage picture;
};

// Answers the next update dialog with No and notes what it showed.
void answerUpdateDialog(QObject *context, DialogSeen *seen)
{
    answerNextModal(context, [seen](QWidget *modal) {
        seen->shown = true;
        seen->name = modal->objectName();
        const QList<QLabel *> labels = modal->findChildren<QLabel *>();
        for (QLabel *label : labels) {
            if (!label->text().isEmpty())
                seen->text = label->text();
            if (label->pixmap() && !label->pixmap()->isNull())
                seen->picture = label->pixmap()->toImage();
        }
        if (QPushButton *no = findButton(modal, "No"))
            no->click();
        else
            modal->close();
    });
}

// The debug lines written while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&LogCapture::note);
    }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    static QStringList lines() { return s_lines; }

private:
    static void note(QtMsgType, const QMessageLogContext &, const QString &text) { s_lines << text; }

    static QtMessageHandler s_previous;
    static QStringList s_lines;
};

QtMessageHandler LogCapture::s_previous = nullptr;
QStringList LogCapture::s_lines;

// A newer-build document filled up with items to the given size.
QByteArray documentOfSize(int size)
{
    QByteArray document = kNewerDocument.toLatin1();
    while (document.size() + 4 <= size)
        document += "a:b;";
    return document + QByteArray(size - document.size(), ' ');
}

QString daysAgo(int days)
{
    return QDate::currentDate().addDays(-days).toString("yyyy-MM-dd");
}

} // namespace

class tst_UpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buildInformation_data();
    void buildInformation();
    void newestVersionTextFollowsTheLastBuildItem();
    void osVersionCode_data();
    void osVersionCode();
    void fallbackServer_data();
    void fallbackServer();
    void redirects_data();
    void redirects();
    void replyBound_data();
    void replyBound();
    void compressedRepliesAreNoInformation_data();
    void compressedRepliesAreNoInformation();
    void menuCheckSaysWhatItFound_data();
    void menuCheckSaysWhatItFound();
    void startRoad_data();
    void startRoad();
    void dialogCheckBoxAndYes();

private:
    std::unique_ptr<LocalHttpServer> m_primary;
    std::unique_ptr<LocalHttpServer> m_fallback;
};

void tst_UpdateCheck::initTestCase()
{
    Resources::init();
}

void tst_UpdateCheck::init()
{
    m_primary = std::make_unique<LocalHttpServer>();
    m_fallback = std::make_unique<LocalHttpServer>();
    QVERIFY(m_primary->listen() && m_fallback->listen());
    setUpdateServers(m_primary->base(), m_fallback->base());
    App::instance()->settings()->remove("Tarsel/LastUpdateCheck");
}

void tst_UpdateCheck::cleanup()
{
    setOsVersionCode(QString());
    m_primary.reset();
    m_fallback.reset();
}

void tst_UpdateCheck::buildInformation_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("osCode");
    QTest::addColumn<UpdateStatus>("status");
    const QString built = App::instance()->buildDate().toString("yyyy-MM-dd");
    QTest::newRow("newer build for an older system") << "build:1.9.0;date:2030-01-15;windows:00_90" << "00_C0"
                                                      << UpdateStatus::Newer;
    QTest::newRow("system older than the build needs") << "build:1.9.0;date:2030-01-15;windows:00_C1" << "00_C0"
                                                        << UpdateStatus::Latest;
    QTest::newRow("all systems, here too") << kNewerDocument << "" << UpdateStatus::Newer;
    QTest::newRow("this system's own code") << "build:1.9.0;date:2030-01-15;windows:00_0" << "" << UpdateStatus::Newer;
    QTest::newRow("above this system's code") << "build:1.9.0;date:2030-01-15;windows:00_1" << ""
                                              << UpdateStatus::Latest;
    QTest::newRow("codes compare as numbers, higher") << "build:1.9.0;date:2030-01-15;windows:00_90" << "00_100"
                                                      << UpdateStatus::Newer;
    QTest::newRow("codes compare as numbers, lower") << "build:1.9.0;date:2030-01-15;windows:00_100" << "00_C0"
                                                     << UpdateStatus::Latest;
    QTest::newRow("code that is no number") << "build:1.9.0;date:2030-01-15;windows:00_zz" << "00_C0"
                                            << UpdateStatus::Latest;
    QTest::newRow("release on the build date") << "build:1.9.0;date:" + built + ";windows:all" << ""
                                               << UpdateStatus::Latest;
    QTest::newRow("date with colons reads 15") << "build:1.9.0;date:2030:01:15;windows:all" << ""
                                               << UpdateStatus::Latest;
    QTest::newRow("blanks inside values are ignored") << "build:1.9.0; date: 2030 - 01 - 15 ;windows: all" << ""
                                                      << UpdateStatus::Newer;
    QTest::newRow("no date") << "build:1.9.0;windows:all" << "" << UpdateStatus::Latest;
    QTest::newRow("no windows item") << "build:1.9.0;date:2030-01-15" << "" << UpdateStatus::Latest;
    QTest::newRow("later date wins") << "build:1.9.0;date:2030-01-15;windows:all;date:2001-01-01" << ""
                                     << UpdateStatus::Latest;
    QTest::newRow("suitable once, suitable after") << "build:1.9.0;date:2030-01-15;windows:all;windows:00_FF" << ""
                                                   << UpdateStatus::Newer;
    QTest::newRow("no build item") << "version:1.9.0;date:2030-01-15;windows:all" << "" << UpdateStatus::Unknown;
    QTest::newRow("empty reply") << "" << "" << UpdateStatus::Unknown;
}

void tst_UpdateCheck::buildInformation()
{
    QFETCH(QString, document);
    QFETCH(QString, osCode);
    QFETCH(UpdateStatus, status);
    setOsVersionCode(osCode);
    QCOMPARE(updateStatus(document), status);
    QCOMPARE(isNewerVersionAvailable(document), status == UpdateStatus::Newer);
}

void tst_UpdateCheck::newestVersionTextFollowsTheLastBuildItem()
{
    isNewerVersionAvailable(kNewerDocument);
    QCOMPARE(newestVersionText(), QString("1.9.0"));
    // The value is the text after the last ":".
    isNewerVersionAvailable("build:x:2.0;date:x");
    QCOMPARE(newestVersionText(), QString("2.0"));
    // A reply without a build item leaves the version as it was.
    isNewerVersionAvailable("date:2030-01-15;windows:all");
    QCOMPARE(newestVersionText(), QString("2.0"));
}

void tst_UpdateCheck::osVersionCode_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("code");
    QTest::newRow("Windows XP") << 0x30 << "00_30";
    QTest::newRow("Windows 8") << 0xa0 << "00_A0";
    QTest::newRow("Windows 10") << 0xc0 << "00_C0";
    QTest::newRow("beyond the named ones") << 0x100 << "00_100";
    QTest::newRow("no Windows") << 0 << "00_0";
}

void tst_UpdateCheck::osVersionCode()
{
    QFETCH(int, version);
    QFETCH(QString, code);
    QCOMPARE(QMWidgets::osVersionCode(version), code);
    // This machine is no Windows.
    QCOMPARE(QMWidgets::osVersionCode(), QString("00_0"));
    setOsVersionCode("00_C0");
    QCOMPARE(QMWidgets::osVersionCode(), QString("00_C0"));
}

void tst_UpdateCheck::fallbackServer_data()
{
    QTest::addColumn<int>("primaryStatus");
    QTest::addColumn<QString>("primaryBody");
    QTest::addColumn<bool>("primaryRefuses");
    QTest::addColumn<QString>("fallbackBody");
    QTest::addColumn<UpdateStatus>("status");
    QTest::addColumn<int>("fallbackRequests");
    QTest::newRow("good primary") << 200 << kNewerDocument << false << kLatestDocument << UpdateStatus::Newer << 0;
    QTest::newRow("empty primary") << 200 << "" << false << kNewerDocument << UpdateStatus::Newer << 1;
    QTest::newRow("404 with a body") << 404 << kLatestDocument << false << kNewerDocument << UpdateStatus::Newer << 1;
    QTest::newRow("refused primary") << 200 << "" << true << kNewerDocument << UpdateStatus::Newer << 1;
    QTest::newRow("malformed primary is used") << 200 << "<html>busy</html>" << false << kNewerDocument
                                               << UpdateStatus::Unknown << 0;
    QTest::newRow("both empty") << 200 << "" << false << "" << UpdateStatus::Unknown << 1;
}

void tst_UpdateCheck::fallbackServer()
{
    QFETCH(int, primaryStatus);
    QFETCH(QString, primaryBody);
    QFETCH(bool, primaryRefuses);
    QFETCH(QString, fallbackBody);
    QFETCH(UpdateStatus, status);
    QFETCH(int, fallbackRequests);
    m_primary->answer(buildInfoPath(), primaryStatus, primaryBody.toLatin1());
    m_fallback->answer(buildInfoPath(), 200, fallbackBody.toLatin1());
    if (primaryRefuses)
        setUpdateServers("127.0.0.1:" + QString::number(LocalHttpServer::refusedPort()), m_fallback->base());

    QCOMPARE(checkForUpdate(), status);
    QCOMPARE(m_primary->requests(), primaryRefuses ? QStringList() : QStringList{"/apps/buildsinfo/tarsel_win"});
    QCOMPARE(m_fallback->requests().count(), fallbackRequests);
}

void tst_UpdateCheck::redirects_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<UpdateStatus>("status");
    QTest::addColumn<int>("fallbackRequests");
    // The primary's document answers at /moved; the fallback's says there is nothing newer.
    QTest::newRow("to another path, followed") << "/moved" << UpdateStatus::Newer << 0;
    QTest::newRow("to a whole URL on the same scheme, followed") << "<primary>/moved" << UpdateStatus::Newer << 0;
    // Away from http: the redirect is refused and the fallback server asked.
    QTest::newRow("to a local file, refused") << "file:///etc/hostname" << UpdateStatus::Latest << 1;
}

void tst_UpdateCheck::redirects()
{
    QFETCH(QString, location);
    QFETCH(UpdateStatus, status);
    QFETCH(int, fallbackRequests);
    m_primary->redirect(buildInfoPath(), location.replace("<primary>", m_primary->base()));
    m_primary->answer("/moved", 200, kNewerDocument.toLatin1());
    m_fallback->answer(buildInfoPath(), 200, kLatestDocument.toLatin1());

    QCOMPARE(checkForUpdate(), status);
    QCOMPARE(m_fallback->requests().count(), fallbackRequests);
}

void tst_UpdateCheck::replyBound_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<UpdateStatus>("status");
    QTest::addColumn<bool>("itemsLogged");
    // The fallback's document says there is nothing newer.
    QTest::newRow("reply at the bound is read") << 64 * 1024 << UpdateStatus::Newer << true;
    // A 1 MB reply wrote 262,147 lines to the log and held the check for seconds.
    QTest::newRow("reply over the bound is no information") << 64 * 1024 + 1 << UpdateStatus::Latest << false;
}

void tst_UpdateCheck::replyBound()
{
    QFETCH(int, size);
    QFETCH(UpdateStatus, status);
    QFETCH(bool, itemsLogged);
    const QByteArray document = documentOfSize(size);
    QCOMPARE(document.size(), size);
    m_primary->answer(buildInfoPath(), 200, document);
    m_fallback->answer(buildInfoPath(), 200, kLatestDocument.toLatin1());
    QStringList logged;
    {
        LogCapture log;
        QCOMPARE(checkForUpdate(), status);
        // Read as text, too long a document is not looked into either.
        QCOMPARE(updateStatus(QString::fromLatin1(document)) == UpdateStatus::Unknown, !itemsLogged);
        logged = log.lines();
    }
    QCOMPARE(logged.filter(QRegularExpression("^: \\(\"a\", \"b\"\\)$")).isEmpty(), !itemsLogged);
}

void tst_UpdateCheck::compressedRepliesAreNoInformation_data()
{
    QTest::addColumn<QByteArray>("body");
    // 1 GB of spaces in 1 MB: Qt inflated it whole before the bound saw a byte.
    QTest::newRow("gzip bomb") << gzipBomb(1024 * 1024 * 1024);
    // The check asks for the document as it is; a server that compresses it all the same sends none.
    QTest::newRow("small compressed reply") << gzipBomb(kNewerDocument.size(), ' ');
}

// The bound holds on what the check keeps, whatever the encoding: a compressed reply is a bad reply, and the
// fallback's document counts.
void tst_UpdateCheck::compressedRepliesAreNoInformation()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    QFETCH(QByteArray, body);
    m_primary->answer(buildInfoPath(), 200, body, "Content-Encoding: gzip\r\n");
    m_fallback->answer(buildInfoPath(), 200, kLatestDocument.toLatin1());
    const RouteCost cost;
    QCOMPARE(fetchBuildInfo(m_primary->base()), QString());
    QCOMPARE(checkForUpdate(), UpdateStatus::Latest);
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

void tst_UpdateCheck::menuCheckSaysWhatItFound_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("picture");
    QTest::newRow("newer build")
        << kNewerDocument
        << "<CENTER><H2>The newer version 1.9.0 of Tarsel is available.<br>Get the newest version?</H2></CENTER>"
        << ":/update_available.png";
    QTest::newRow("latest build")
        << kLatestDocument
        << "<CENTER><H2>You are using the latest version available.<br>Go to the app web page anyway?</H2></CENTER>"
        << ":/update_not_available.png";
    // The up-to-date tick stood above the failure text.
    QTest::newRow("no information")
        << "" << "<CENTER><H2>The update information could not be retrieved.<br>Go to the app web page anyway?</H2></CENTER>"
        << ":/update_unknown.png";
    QTest::newRow("markup in the version is escaped")
        << "build:<b>2</b>;date:2030-01-15;windows:all"
        << "<CENTER><H2>The newer version &lt;b&gt;2&lt;/b&gt; of Tarsel is available.<br>Get the newest version?</H2></CENTER>"
        << ":/update_available.png";
}

void tst_UpdateCheck::menuCheckSaysWhatItFound()
{
    QFETCH(QString, reply);
    QFETCH(QString, text);
    QFETCH(QString, picture);
    m_primary->answer(buildInfoPath(), 200, reply.toLatin1());
    m_fallback->answer(buildInfoPath(), 200, reply.toLatin1());
    DialogSeen seen;
    answerUpdateDialog(this, &seen);
    App::instance()->slotCheckUpdate();
    QVERIFY(seen.shown);
    QCOMPARE(seen.name, QString("UpdateDialog"));
    QCOMPARE(seen.text, text);
    const QImage expected(picture);
    QVERIFY2(!expected.isNull(), qPrintable(picture));
    // Compared premultiplied, as the label's pixmap holds it: taking the alpha out again rounds differently on
    // other CPUs.
    QCOMPARE(seen.picture.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    // The menu check keeps no date.
    QCOMPARE(lastUpdateCheckDate(), QString());
}

void tst_UpdateCheck::startRoad_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("storedAfter");
    const QString today = daysAgo(0);
    QTest::newRow("first start stores today") << "" << kNewerDocument << 0 << false << today;
    QTest::newRow("unreadable date stores today") << "soon" << kNewerDocument << 0 << false << today;
    QTest::newRow("5 days: not asked") << daysAgo(5) << kNewerDocument << 0 << false << daysAgo(5);
    QTest::newRow("6 days, newer build") << daysAgo(6) << kNewerDocument << 1 << true << today;
    QTest::newRow("6 days, nothing newer") << daysAgo(6) << kLatestDocument << 1 << false << daysAgo(6);
    QTest::newRow("6 days, no answer") << daysAgo(6) << "" << 1 << false << daysAgo(6);
}

void tst_UpdateCheck::startRoad()
{
    QFETCH(QString, stored);
    QFETCH(QString, reply);
    QFETCH(int, requests);
    QFETCH(bool, dialog);
    QFETCH(QString, storedAfter);
    m_primary->answer(buildInfoPath(), 200, reply.toLatin1());
    if (!stored.isEmpty())
        setLastUpdateCheckDate(stored);

    DialogSeen seen;
    {
        QObject context; // a dialog that never comes leaves no answer behind
        answerUpdateDialog(&context, &seen);
        App::instance()->checkUpdatesOnStart();
    }
    QCOMPARE(m_primary->requests().count(), requests);
    QCOMPARE(seen.shown, dialog);
    QCOMPARE(lastUpdateCheckDate(), storedAfter);
}

void tst_UpdateCheck::dialogCheckBoxAndYes()
{
    setCheckUpdatesSetting(true);
    LinkCatcher desktop;
    AppUpdateDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("Tarsel Updates Notification"));
    dialog.show();
    auto *check = dialog.findChild<QCheckBox *>();
    QVERIFY(check && check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!checkUpdatesSetting());
    QCOMPARE(App::instance()->value("checkupdates", true).toBool(), false);

    QTest::mouseClick(findButton(&dialog, "Yes"), Qt::LeftButton);
    QCOMPARE(desktop.links(), QList<QUrl>{QUrl(m_primary->base() + "/apps/updatepage.php?appname=tarsel")});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    // Leaving the dialog does not undo the box.
    QVERIFY(!checkUpdatesSetting());
}

// The application object arms the check at start; the tests run it themselves, so it starts switched off.
int main(int argc, char **argv)
{
    QTemporaryDir home;
    pointHomeAt(QDir(home.path()).canonicalPath());
    QSettings("Borlune", "Tarsel").setValue("Tarsel/checkupdates", false);
    App app(argc, argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    tst_UpdateCheck test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_UpdateCheck.moc"
