#include "HangBound.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/HelpDialog.h"
#include "QMWidgets/dialogs/JoinDialog.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/app/Os.h"
#include "QMWidgets/dialogs/ReminderDialog.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "ModalAnswer.h"
#include "ButtonLookup.h"
#include "ChildRun.h"
#include "TestApp.h"
#include "LinkCatcher.h"

#include <QPointer>
#include <QPushButton>

#include <climits>

using namespace QMWidgets;

namespace {

// What one quit of the event loop showed: the prompt's title, empty when none came.
struct Quit
{
    QString prompt;
};

} // namespace

class tst_AppEngagement : public QObject
{
    Q_OBJECT

private slots:
    void storeLinksOpenTheMakersPageHere();
    void init();
    void shareLinks_data();
    void shareLinks();
    void followLinksReplaceShareLinks();
    void rateAndMoreApps();
    void reminderAcrossQuits_data();
    void reminderAcrossQuits();
    void reminderCountAfterTheLargest();
    void promptOpensOnTheMainWidget();
    void armingTwiceStillPromptsOnce();
    void reminderKinds_data();
    void reminderKinds();
    void pickAmongKindsReachesEach();
    void delayedReminderShowsItsKind();
    void immediateRate_data();
    void immediateRate();
    void shareAndJoinDialogs_data();
    void shareAndJoinDialogs();
    void promptWhoseParentGoesGivesNoAnswer_data();
    void promptWhoseParentGoesGivesNoAnswer();
    void helpDialogIsBuiltOnce();
    void introAtStart();

private:
    // Quits the event loop once, answering a prompt that comes with the button of the given text
    // ("Escape" presses Escape).
    Quit quitOnce(const QString &answer);

    App *m_app = App::instance();
};

Quit tst_AppEngagement::quitOnce(const QString &answer)
{
    Quit quit;
    QObject context;
    answerNextModal(&context, [&](QWidget *modal) {
        quit.prompt = modal->windowTitle();
        if (answer == "Escape") {
            QTest::keyClick(modal, Qt::Key_Escape);
        } else {
            QPushButton *button = buttonWithText(modal, answer);
            QVERIFY2(button && button->isVisible(), qPrintable(answer));
            button->click();
        }
    });
    QTimer::singleShot(0, m_app, &QCoreApplication::quit);
    m_app->exec();
    return quit;
}

// Runs first, while no test has put a handler of its own on the store's scheme.
void tst_AppEngagement::storeLinksOpenTheMakersPageHere()
{
    LinkCatcher catcher({"http", "https"});
    QSignalSpy opened(&catcher, &LinkCatcher::opened);
    m_app->slotShowMoreApps();
    QVERIFY(opened.wait(HangBoundMs));
    QCOMPARE(catcher.linkTexts(), QStringList{"https://www.borlune.com/apps/"});
}

void tst_AppEngagement::init()
{
    m_app->setValue("AutoReminder", true);
    m_app->settings()->remove("Tarsel/AutoReminderCount");
    m_app->setSiteLanguages({});
    m_app->language();
    m_app->setLanguage("en");
}

void tst_AppEngagement::shareLinks_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("siteLanguages");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("page");
    QTest::newRow("english: the international site, the application name as key")
        << "en" << QStringList() << "" << "https://www.borlune.org/tarsel";
    QTest::newRow("german site") << "de" << QStringList() << "" << "https://www.borlune.de/tarsel";
    QTest::newRow("russian site") << "ru" << QStringList() << "" << "https://www.borlune.ru/tarsel";
    QTest::newRow("listed language") << "fr" << QStringList{"fr"} << "" << "https://www.borlune.fr/tarsel";
    QTest::newRow("unlisted language") << "fr" << QStringList{"it"} << "" << "https://www.borlune.org/tarsel";
    QTest::newRow("comparison is case-sensitive") << "DE" << QStringList() << "" << "https://www.borlune.org/tarsel";
    QTest::newRow("key given") << "en" << QStringList() << "quillmap" << "https://www.borlune.org/quillmap";
}

void tst_AppEngagement::shareLinks()
{
    QFETCH(QString, language);
    QFETCH(QStringList, siteLanguages);
    QFETCH(QString, key);
    QFETCH(QString, page);
    m_app->setLanguage(language);
    m_app->setSiteLanguages(siteLanguages);
    QCOMPARE(m_app->siteLanguages(), siteLanguages);
    m_app->setVKontakteShareUrl("https://vk.example/unchanged");
    m_app->setShareLinks(key);
    QCOMPARE(m_app->appPageUrl(), page);
    QCOMPARE(m_app->facebookShareUrl(), "https://www.facebook.com/sharer/sharer.php?u=" + page);
    QCOMPARE(m_app->twitterShareUrl(), "https://twitter.com/home?status=" + page);
    QCOMPARE(m_app->vkontakteShareUrl(), QString("https://vk.example/unchanged"));
}

void tst_AppEngagement::followLinksReplaceShareLinks()
{
    m_app->setShareLinks(QString());
    m_app->setFollowLinks(QString());
    QCOMPARE(m_app->appPageUrl(), QString("https://www.borlune.com/apps/tarsel"));
    QCOMPARE(m_app->facebookShareUrl(), QString("https://www.borlune.com/apps/tarsel/facebook.php"));
    QCOMPARE(m_app->twitterShareUrl(), QString("https://www.borlune.com/apps/tarsel/twitter.php"));
    QCOMPARE(m_app->vkontakteShareUrl(), QString("https://www.borlune.com/apps/tarsel/vkontakte.php"));
    m_app->setFollowLinks("Quillmap");
    QCOMPARE(m_app->appPageUrl(), QString("https://www.borlune.com/apps/Quillmap"));
}

void tst_AppEngagement::rateAndMoreApps()
{
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    m_app->slotRateApp();
    m_app->slotShowMoreApps();
    // A test's own handler of the store's scheme sees the exact store link.
    QCOMPARE(catcher.linkTexts(), (QStringList{"https://apps.borlune.com/rate.php?appname=tarsel",
                                           "ms-windows-store://publisher/?name=Borlune"}));
}

void tst_AppEngagement::reminderAcrossQuits_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<QStringList>("answers"); // one a quit; "-" where no prompt is due
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<int>("finalCount");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("links");
    const QString rate = "Rate \"Tarsel\"";
    const QString rateLink = "https://apps.borlune.com/rate.php?appname=tarsel";
    QTest::newRow("every second quit while the answer is later")
        << 2 << QStringList{"-", "&Later", "-", "&Later", "-"} << QStringList{"", rate, "", rate, ""} << 6 << true
        << QStringList();
    QTest::newRow("escape acts like later")
        << 2 << QStringList{"-", "Escape", "-", "&Later"} << QStringList{"", rate, "", rate} << 5 << true
        << QStringList();
    QTest::newRow("never ends it: no prompt and no count after")
        << 2 << QStringList{"-", "&Don't ask me again", "-", "-"} << QStringList{"", rate, "", ""} << 3 << false
        << QStringList();
    QTest::newRow("rate opens the rate page and ends it")
        << 2 << QStringList{"-", "&Rate It Now", "-", "-"} << QStringList{"", rate, "", ""} << 3 << false
        << QStringList{rateLink};
    QTest::newRow("period 1: every quit") << 1 << QStringList{"&Later", "&Later"} << QStringList{rate, rate} << 3
                                          << true << QStringList();
    QTest::newRow("period 0 counts as 1") << 0 << QStringList{"&Later", "&Later"} << QStringList{rate, rate} << 3
                                          << true << QStringList();
    QTest::newRow("negative period counts as 1") << -3 << QStringList{"&Later"} << QStringList{rate} << 2 << true
                                                 << QStringList();
}

void tst_AppEngagement::reminderAcrossQuits()
{
    QFETCH(int, period);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, prompts);
    QFETCH(int, finalCount);
    QFETCH(bool, enabled);
    QFETCH(QStringList, links);
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    m_app->setReminder(period, 1);
    QStringList shown;
    for (const QString &answer : answers)
        shown << quitOnce(answer).prompt;
    QCOMPARE(shown, prompts);
    QCOMPARE(m_app->value("AutoReminderCount", -1).toInt(), finalCount);
    QCOMPARE(m_app->value("AutoReminder", true).toBool(), enabled);
    QCOMPARE(catcher.linkTexts(), links);
}

void tst_AppEngagement::reminderCountAfterTheLargest()
{
    m_app->setReminder(2, 1);
    m_app->setValue("AutoReminderCount", INT_MAX);
    QCOMPARE(quitOnce("&Later").prompt, QString());
    QCOMPARE(m_app->value("AutoReminderCount", -1).toInt(), 1);
}

void tst_AppEngagement::promptOpensOnTheMainWidget()
{
    QWidget main;
    m_app->setMainWidget(&main);
    m_app->setReminder(1, 1);
    QWidget *parent = nullptr;
    bool mainShown = false;
    QObject context;
    answerNextModal(&context, [&](QWidget *modal) {
        parent = modal->parentWidget();
        mainShown = main.isVisible();
        buttonWithText(modal, "&Later")->click();
    });
    QTimer::singleShot(0, m_app, &QCoreApplication::quit);
    m_app->exec();
    // A hidden main widget is shown again for the prompt that opens on it.
    QVERIFY(mainShown);
    QCOMPARE(parent, &main);
}

void tst_AppEngagement::armingTwiceStillPromptsOnce()
{
    m_app->setReminder(3, 1);
    m_app->setReminder(1, 1);
    QCOMPARE(m_app->reminderPeriod(), 1);
    int prompts = 0;
    QObject context;
    // Counts every prompt of the quit: a second connection would show a second one.
    std::function<void(QWidget *)> answer = [&](QWidget *modal) {
        ++prompts;
        buttonWithText(modal, "&Later")->click();
        answerNextModal(&context, answer);
    };
    answerNextModal(&context, answer);
    QTimer::singleShot(0, m_app, &QCoreApplication::quit);
    m_app->exec();
    QCOMPARE(prompts, 1);
    QCOMPARE(m_app->value("AutoReminderCount", -1).toInt(), 2);
}

void tst_AppEngagement::reminderKinds_data()
{
    QTest::addColumn<int>("kinds");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("rate") << 1 << 1 << "Rate \"Tarsel\"";
    QTest::newRow("tell") << 2 << 2 << "Share";
    QTest::newRow("join") << 4 << 4 << "Join Us";
    QTest::newRow("by edition: tell outside the store") << 8 << 2 << "Share";
    QTest::newRow("extra bit kept, shown as join") << 9 << 9 << "Join Us";
}

void tst_AppEngagement::reminderKinds()
{
    QFETCH(int, kinds);
    QFETCH(int, kind);
    QFETCH(QString, prompt);
    m_app->setReminder(1, kinds);
    QCOMPARE(m_app->reminderKind(), kind);
    QCOMPARE(quitOnce("&Don't ask me again").prompt, prompt);
    QVERIFY(!m_app->value("AutoReminder", true).toBool());
}

void tst_AppEngagement::pickAmongKindsReachesEach()
{
    // With equal chances, 300 picks miss one of three kinds with a probability below 1e-50.
    QSet<int> picked;
    for (int i = 0; i < 300; ++i) {
        m_app->setReminder(2, 7);
        picked << m_app->reminderKind();
    }
    QCOMPARE(picked, (QSet<int>{1, 2, 4}));
    picked.clear();
    for (int i = 0; i < 300; ++i) {
        m_app->setReminder(2, 6);
        picked << m_app->reminderKind();
    }
    QCOMPARE(picked, (QSet<int>{2, 4}));
}

void tst_AppEngagement::delayedReminderShowsItsKind()
{
    m_app->setReminder(2, 1);
    m_app->setValue("AutoReminderCount", 4);
    m_app->setReminderDelay(20);
    QString prompt;
    QObject context;
    answerNextModal(&context, [&](QWidget *modal) {
        prompt = modal->windowTitle();
        buttonWithText(modal, "&Close")->click();
    });
    m_app->slotCallTellReminder();
    QCOMPARE(m_app->reminderKind(), 2);
    QCOMPARE(prompt, QString());
    QTRY_COMPARE_WITH_TIMEOUT(prompt, QString("Share"), HangBoundMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_app->value("AutoReminderCount", -1).toInt(), 5, HangBoundMs);
    m_app->setReminderDelay(4000);
}

void tst_AppEngagement::immediateRate_data()
{
    QTest::addColumn<bool>("declined");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("later changes nothing") << false << "&Later" << true << QStringList();
    QTest::newRow("rate") << false << "&Rate It Now" << false
                          << QStringList{"https://apps.borlune.com/rate.php?appname=tarsel"};
    QTest::newRow("never") << false << "&Don't ask me again" << false << QStringList();
    QTest::newRow("after declining, still shown, without never") << true << "&Later" << false << QStringList();
}

void tst_AppEngagement::immediateRate()
{
    QFETCH(bool, declined);
    QFETCH(QString, answer);
    QFETCH(bool, enabled);
    QFETCH(QStringList, links);
    m_app->setValue("AutoReminder", !declined);
    m_app->setValue("AutoReminderCount", 7);
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    QObject context;
    QPointer<QWidget> prompt;
    bool neverShown = false;
    answerNextModal(&context, [&](QWidget *modal) {
        prompt = modal;
        neverShown = buttonWithText(modal, "&Don't ask me again")->isVisible();
        buttonWithText(modal, answer)->click();
    });
    m_app->slotImmediatelyRate();
    QVERIFY(prompt.isNull()); // asked, and deleted after its answer
    QCOMPARE(neverShown, !declined);
    QCOMPARE(m_app->value("AutoReminder", true).toBool(), enabled);
    QCOMPARE(m_app->value("AutoReminderCount", -1).toInt(), 7);
    QCOMPARE(catcher.linkTexts(), links);
}

void tst_AppEngagement::shareAndJoinDialogs_data()
{
    QTest::addColumn<bool>("share");
    QTest::addColumn<QString>("title");
    QTest::newRow("share") << true << "Share Tarsel";
    QTest::newRow("join") << false << "Join us";
}

void tst_AppEngagement::shareAndJoinDialogs()
{
    QFETCH(bool, share);
    QFETCH(QString, title);
    QWidget active;
    active.show();
    QApplication::setActiveWindow(&active);
    QVERIFY(QTest::qWaitForWindowActive(&active));
    QObject context;
    QPointer<QWidget> dialog;
    QWidget *parent = nullptr;
    answerNextModal(&context, [&](QWidget *modal) {
        dialog = modal;
        parent = modal->parentWidget();
        QCOMPARE(modal->windowTitle(), title);
        QVERIFY(share ? bool(qobject_cast<TellDialog *>(modal)) : bool(qobject_cast<JoinDialog *>(modal)));
        buttonWithText(modal, "&Close")->click();
    });
    if (share)
        m_app->slotShareApp();
    else
        m_app->slotJoin();
    QCOMPARE(parent, &active);
    QVERIFY(dialog.isNull());
}

void tst_AppEngagement::promptWhoseParentGoesGivesNoAnswer_data()
{
    QTest::addColumn<QString>("site");
    QTest::newRow("quit-time reminder") << "quit";
    QTest::newRow("rate now") << "rate";
    QTest::newRow("store review") << "review";
    QTest::newRow("share") << "share";
    QTest::newRow("join") << "join";
}

// The prompt goes with its parent while it runs. Nothing of it may be read afterwards (in a process of its own:
// freed memory aborts the sanitizer build), and its going is no answer: Rate, which has the value of
// QDialog::Rejected, must not be taken for it.
void tst_AppEngagement::promptWhoseParentGoesGivesNoAnswer()
{
    if (ranRowInChild())
        return;
    QFETCH(QString, site);
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    m_app->setValue("AutoReminderCount", 4);
    auto *mainWidget = new QWidget;
    const QPointer<QWidget> main = mainWidget;
    m_app->setMainWidget(main);
    main->show();
    QApplication::setActiveWindow(main);
    QVERIFY(QTest::qWaitForWindowActive(main));

    QObject context;
    QWidget *parent = nullptr;
    answerNextModal(&context, [&](QWidget *modal) {
        parent = modal->parentWidget();
        delete parent;
    });
    if (site == "quit") {
        m_app->setReminder(1, 1);
        QTimer::singleShot(0, m_app, &QCoreApplication::quit);
        m_app->exec();
    } else if (site == "rate") {
        m_app->slotImmediatelyRate();
    } else if (site == "review") {
        showStoreReviewDialog();
    } else if (site == "share") {
        m_app->slotShareApp();
    } else {
        m_app->slotJoin();
    }
    QCOMPARE(parent, mainWidget);
    QVERIFY(main.isNull());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(catcher.linkTexts(), QStringList());
    QVERIFY(m_app->value("AutoReminder", false).toBool());
    // The quit itself still counts; only an answer would end the reminder.
    QCOMPARE(m_app->value("AutoReminderCount", -1).toInt(), site == "quit" ? 5 : 4);
}

void tst_AppEngagement::helpDialogIsBuiltOnce()
{
    QWidget main;
    m_app->setMainWidget(&main);
    QCOMPARE(m_app->helpDialog(), nullptr);
    m_app->setHelpPages({":/app.png", ":/share.png"});
    m_app->setHelpVideoUrl("https://youtu.be/abc");
    m_app->slotHelp();
    auto *dialog = qobject_cast<HelpDialog *>(m_app->helpDialog());
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->parentWidget(), &main);
    QCOMPARE(dialog->findChildren<QPushButton *>("HelpSlideButton").size(), 2);
    QVERIFY(dialog->findChild<QPushButton *>("VideoButton")->isVisible());
    dialog->hide();
    m_app->slotHelp();
    QCOMPARE(m_app->helpDialog(), static_cast<QDialog *>(dialog));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->findChildren<QPushButton *>("HelpSlideButton").size(), 2);
    dialog->hide();
}

void tst_AppEngagement::introAtStart()
{
    // The dialog of the test before is shown again, so look at its visibility.
    m_app->slotHelp();
    auto *dialog = qobject_cast<HelpDialog *>(m_app->helpDialog());
    dialog->hide();

    m_app->setValue("NeverShowItAgain", true);
    App::scheduleIntroAtStart();
    QTimer later;
    later.setSingleShot(true);
    QSignalSpy passed(&later, &QTimer::timeout);
    later.start(700);
    QVERIFY(passed.wait(HangBoundMs));
    QVERIFY(dialog->isHidden());

    m_app->setValue("NeverShowItAgain", false);
    App::scheduleIntroAtStart();
    QVERIFY(dialog->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), HangBoundMs);
    dialog->hide();
}

TARSEL_APP_TEST_MAIN(tst_AppEngagement)
#include "tst_AppEngagement.moc"
