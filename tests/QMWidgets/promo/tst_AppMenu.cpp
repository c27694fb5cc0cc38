#include "ButtonLookup.h"
#include "LinkCatcher.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/promo/MoreAppsButton.h"

#include <QAction>
#include <QMenu>

using namespace QMWidgets;

namespace {

QAction *entry(const QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class tst_AppMenu : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void entriesFollowEditionAndPolicyLink_data();
    void entriesFollowEditionAndPolicyLink();
    void hideOperations_data();
    void hideOperations();
    void quitOnlyRaisesTheSignal();
    void entriesReachTheApplication();
    void moreAppsButtonLinks();
};

void tst_AppMenu::cleanup()
{
    App::instance()->setIndependentEdition(true);
    App::instance()->setPrivacyPolicyUrl(QString());
}

void tst_AppMenu::entriesFollowEditionAndPolicyLink_data()
{
    QTest::addColumn<bool>("independent");
    QTest::addColumn<QString>("policyLink");
    QTest::addColumn<QStringList>("expected");

    const QStringList head{"Rate this App", "Intro", "Share", "Join Us", "More Apps", "Contact Us", "Support Page"};
    QTest::newRow("independent: update check present")
        << true << QString() << head + QStringList{"Check Updates", "About", "-", "Quit"};
    QTest::newRow("store edition: no update check")
        << false << QString() << head + QStringList{"About", "-", "Quit"};
    QTest::newRow("policy link set: privacy entry")
        << true << "https://example.org/privacy" << head + QStringList{"Check Updates", "Privacy Policy", "About", "-", "Quit"};
}

// The two tests are made when the menu is built: a later change leaves it as it is.
void tst_AppMenu::entriesFollowEditionAndPolicyLink()
{
    QFETCH(bool, independent);
    QFETCH(QString, policyLink);
    QFETCH(QStringList, expected);

    App::instance()->setIndependentEdition(independent);
    App::instance()->setPrivacyPolicyUrl(policyLink);
    AppButton button;
    QCOMPARE(button.menu(), button.appMenu());
    QCOMPARE(visibleMenuEntries(button.appMenu()), expected);

    App::instance()->setIndependentEdition(!independent);
    App::instance()->setPrivacyPolicyUrl(policyLink.isEmpty() ? "https://example.org/p" : QString());
    QCOMPARE(visibleMenuEntries(button.appMenu()), expected);
}

void tst_AppMenu::hideOperations_data()
{
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QStringList>("hidden");

    QTest::newRow("rate hides only its entry") << QStringList{"hideRateAction"} << QStringList{"Rate this App"};
    QTest::newRow("twice is the same as once") << QStringList{"hideRateAction", "hideRateAction"}
                                               << QStringList{"Rate this App"};
    QTest::newRow("intro and support page, as this program does")
        << QStringList{"hideIntroAction", "hideSupportPageAction"} << QStringList{"Intro", "Support Page"};
    QTest::newRow("share, join, more apps")
        << QStringList{"hideShareAction", "hideJoinAction", "hideMoreAppsAction"}
        << QStringList{"Share", "Join Us", "More Apps"};
}

// Through the button, as the promotion bar calls them; the other entries keep their order.
void tst_AppMenu::hideOperations()
{
    QFETCH(QStringList, operations);
    QFETCH(QStringList, hidden);

    AppButton button;
    QStringList expected = visibleMenuEntries(button.appMenu());
    for (const QString &text : hidden)
        expected.removeOne(text);
    for (const QString &operation : operations) {
        if (operation == "hideRateAction") button.hideRateAction();
        else if (operation == "hideIntroAction") button.hideIntroAction();
        else if (operation == "hideSupportPageAction") button.hideSupportPageAction();
        else if (operation == "hideShareAction") button.hideShareAction();
        else if (operation == "hideJoinAction") button.hideJoinAction();
        else if (operation == "hideMoreAppsAction") button.hideMoreAppsAction();
        else QFAIL(qPrintable(operation));
    }
    QCOMPARE(visibleMenuEntries(button.appMenu()), expected);
}

void tst_AppMenu::quitOnlyRaisesTheSignal()
{
    QWidget window;
    window.show();
    AppButton button(&window);
    QSignalSpy menuQuit(button.appMenu(), &AppMenu::quitPressed);
    QSignalSpy buttonQuit(&button, &AppButton::quitPressed);
    QSignalSpy aboutToQuit(qApp, &QCoreApplication::aboutToQuit);

    entry(button.appMenu(), "Quit")->trigger();
    QCOMPARE(menuQuit.count(), 1);
    QCOMPARE(buttonQuit.count(), 1);
    QCoreApplication::processEvents();
    QVERIFY(window.isVisible());
    QCOMPARE(aboutToQuit.count(), 0);
}

void tst_AppMenu::entriesReachTheApplication()
{
    LinkCatcher links;
    AppMenu menu;
    App::instance()->setAppPageUrl(QStringLiteral("https://example.org/apps/tarsel/"));
    entry(&menu, "Support Page")->trigger();
    entry(&menu, "Contact Us")->trigger();
    QCOMPARE(links.links().size(), 2);
    QCOMPARE(links.links().at(0).toString(), QStringLiteral("https://example.org/apps/tarsel/"));
    QCOMPARE(links.links().at(1).scheme(), QStringLiteral("mailto"));
    App::instance()->setAppPageUrl(QString());
}

void tst_AppMenu::moreAppsButtonLinks()
{
    LinkCatcher links;
    MoreAppsButton button;
    button.addApp(QPixmap(), QStringLiteral("Web"), QStringLiteral("https://example.org/a"));
    button.addSeparator();
    button.addAppStoreApp(QPixmap(), QStringLiteral("Store"), QStringLiteral("HexWren"), QStringLiteral("id42"));
    // An empty link still makes an entry; the desktop is handed nothing it could open.
    button.addApp(QPixmap(), QStringLiteral("Empty"), QString());
    QAction own(QStringLiteral("Own"));
    button.addAction(&own);

    const QList<QAction *> actions = button.menu()->actions();
    QCOMPARE(actions.size(), 5);
    QVERIFY(actions.at(1)->isSeparator());
    QCOMPARE(actions.at(3)->text(), QStringLiteral("Empty"));
    QCOMPARE(actions.at(4), &own);

    actions.at(0)->trigger();
    actions.at(2)->trigger();
    actions.at(3)->trigger();
    QCOMPARE(links.linkTexts(), (QStringList{"https://example.org/a",
                                             "https://apps.apple.com/app/hexwren/id42?ls=1&mt=12"}));
}

TARSEL_APP_TEST_MAIN(tst_AppMenu)
#include "tst_AppMenu.moc"
