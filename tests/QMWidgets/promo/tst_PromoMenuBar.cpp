#include "ButtonLookup.h"
#include "LinkCatcher.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "resources/Resources.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QUrlQuery>

using namespace QMWidgets;

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// The store names of the catalogue entries in the more menu, read from the links they open.
QStringList promotedStoreNames(const PromoMenuBar &bar, LinkCatcher &links)
{
    links.clear();
    for (QAction *action : bar.actions()) {
        if (!action->isSeparator() && action->text() != QLatin1String("More Apps"))
            action->trigger();
    }
    QStringList names;
    for (const QUrl &link : links.links()) {
        // A link to anywhere else shows in the list as the whole link.
        const bool promo = link.toString().startsWith(QLatin1String("https://apps.borlune.com/crosspromo.php?appname="));
        names << (promo ? QUrlQuery(link).queryItemValue(QStringLiteral("appname")) : link.toString());
    }
    return names;
}

// Restores the application name and the flags that a test changes.
struct AppState
{
    const QString name = QCoreApplication::applicationName();
    ~AppState()
    {
        QCoreApplication::setApplicationName(name);
        App::instance()->setLinksDisabled(false);
        App::instance()->setIndependentEdition(true);
    }
};

using Row = PromoMenuBar::CatalogueRow;

const Row s_smallCatalogue[] = {
    {"alpha", false, {"alphapro", nullptr}, "Alpha", "alpha", "AlphaStore"},
    {"beta", true, {}, "Beta", "beta", "beta"},
    {"betamax", false, {}, "Betamax", "betamax", "betamax"},
    {"gamma", false, {"alpha", "delta"}, "Gamma", "gamma", "gamma"},
};

} // namespace

class tst_PromoMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void visibleButtons_data();
    void visibleButtons();
    void hideOperations();
    void quitWithRelay();
    void buttonsReachTheApplication();
    void appActionWithEmptyLinkAddsNothing();
    void rowMatcher_data();
    void rowMatcher();
    void runningAppId_data();
    void runningAppId();
    void catalogueRowsHaveTheirIcons();
    void categories_data();
    void categories();
    void addedWidgetsSitInTheirGroups();
};

void tst_PromoMenuBar::initTestCase()
{
    Resources::init();
}

void tst_PromoMenuBar::visibleButtons_data()
{
    QTest::addColumn<bool>("linksDisabled");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("menuEntries");

    QTest::newRow("links enabled: Rate and More Apps hidden")
        << false << QStringList{"AppButton", "IntroButton", "JoinButton", "MoreButton", "ShareButton"}
        << QStringList{"Rate this App", "Intro", "Share", "Join Us", "More Apps", "Contact Us", "Support Page",
                       "Check Updates", "About", "-", "Quit"};
    QTest::newRow("links disabled: only Intro")
        << true << QStringList{"IntroButton"}
        << QStringList{"Intro", "Contact Us", "Check Updates", "About", "-", "Quit"};
}

void tst_PromoMenuBar::visibleButtons()
{
    QFETCH(bool, linksDisabled);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, menuEntries);

    AppState state;
    App::instance()->setLinksDisabled(linksDisabled);
    PromoMenuBar bar(nullptr, false);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCOMPARE(bar.objectName(), QStringLiteral("MenuBar"));
    QCOMPARE(sorted(visibleButtonNames(&bar)), buttons);
    QCOMPARE(visibleMenuEntries(bar.appButton()->appMenu()), menuEntries);
    for (QPushButton *button : bar.findChildren<QPushButton *>()) {
        QVERIFY(button->isFlat());
        QCOMPARE(button->size(), QSize(60, 32));
    }
    QCOMPARE(bar.findChild<QPushButton *>("AppButton")->toolTip(), QStringLiteral("App Menu"));
}

// Hide operations only ever hide; hideMore and hideMoreButton are one.
void tst_PromoMenuBar::hideOperations()
{
    PromoMenuBar bar(nullptr, false);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.hideIntroButton();
    bar.hideMore();
    bar.hideMoreButton();
    bar.hideShare();
    bar.hideShare();
    QCOMPARE(sorted(visibleButtonNames(&bar)), (QStringList{"AppButton", "JoinButton"}));
    bar.hideIntro();
    bar.hideSupportPageAction();
    bar.hideRate();
    bar.hideJoin();
    bar.hideMoreApps();
    QCOMPARE(visibleButtonNames(&bar), QStringList{"AppButton"});
    QCOMPARE(visibleMenuEntries(bar.appButton()->appMenu()),
             (QStringList{"Contact Us", "Check Updates", "About", "-", "Quit"}));
}

void tst_PromoMenuBar::quitWithRelay()
{
    QWidget window;
    window.show();
    PromoMenuBar bar(nullptr, true);
    QSignalSpy quitApp(&bar, &PromoMenuBar::quitApp);
    bar.appButton()->appMenu()->actions().constLast()->trigger();
    QCOMPARE(quitApp.count(), 1);
    // Nobody receives it here, so every window stays.
    QCoreApplication::processEvents();
    QVERIFY(window.isVisible());
}

void tst_PromoMenuBar::buttonsReachTheApplication()
{
    LinkCatcher links;
    PromoMenuBar bar(nullptr, false);
    // Rate is hidden but keeps its connection: the independent edition rates on the maker's server.
    QTest::mouseClick(bar.findChild<QPushButton *>("RateButton"), Qt::LeftButton);
    QCOMPARE(links.linkTexts(), QStringList{"https://apps.borlune.com/rate.php?appname="
                                            + QCoreApplication::applicationName().toLower()});
}

void tst_PromoMenuBar::appActionWithEmptyLinkAddsNothing()
{
    AppState state;
    LinkCatcher links({"https", "ms-windows-store"});
    PromoMenuBar bar(nullptr, false);

    bar.addAppAction(QPixmap(), QStringLiteral("Web"), QStringLiteral("https://example.org/x"));
    // In the store edition a link the product map does not know converts to nothing.
    App::instance()->setIndependentEdition(false);
    bar.addAppAction(QPixmap(), QStringLiteral("Unknown"), QStringLiteral("https://example.org/apps/nosuchapp/"));
    bar.addAppAction(QPixmap(), QStringLiteral("Known"), QStringLiteral("https://example.org/apps/tarsel/"));
    bar.addSeparator();
    bar.addMoreAppsAction();

    const QList<QAction *> actions = bar.actions();
    QStringList texts;
    for (QAction *action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, (QStringList{"Web", "Known", "-", "-", "More Apps", "-"}));
    actions.at(0)->trigger();
    actions.at(1)->trigger();
    QCOMPARE(links.linkTexts(),
             (QStringList{"https://example.org/x", "ms-windows-store://pdp/?productid=9NVK9HH7P4F9"}));
}

void tst_PromoMenuBar::rowMatcher_data()
{
    QTest::addColumn<QString>("runningId");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("row");

    QTest::newRow("exact row offered")                   << "tarsel"   << "alpha"       << "Alpha";
    QTest::newRow("exact row withheld in itself")        << "alpha"    << "alpha"       << "";
    QTest::newRow("exact row withheld in its family")    << "alphapro" << "alpha"       << "";
    QTest::newRow("exact compare is case-sensitive")     << "tarsel"   << "Alpha"       << "";
    QTest::newRow("exact row needs the whole id")        << "tarsel"   << "alphax"      << "";
    QTest::newRow("containment row for a longer id")     << "tarsel"   << "betaguitar"  << "Beta";
    QTest::newRow("containment row before a later exact") << "tarsel"  << "betamax"     << "Beta";
    QTest::newRow("running id containing the key withholds it, the walk goes on")
        << "betabass" << "betamax" << "Betamax";
    QTest::newRow("second family id withholds")          << "delta"    << "gamma"       << "";
    QTest::newRow("first family id withholds")           << "alpha"    << "gamma"       << "";
    QTest::newRow("no row")                              << "tarsel"   << "omega"       << "";
}

void tst_PromoMenuBar::rowMatcher()
{
    QFETCH(QString, runningId);
    QFETCH(QString, id);
    QFETCH(QString, row);

    const Row *found = PromoMenuBar::findCatalogueRow(runningId, id, s_smallCatalogue, int(std::size(s_smallCatalogue)));
    QCOMPARE(found ? QString::fromLatin1(found->description) : QString(), row);
}

void tst_PromoMenuBar::runningAppId_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::newRow("lower-cased")                     << "Tarsel"        << "tarsel";
    QTest::newRow("lite with a blank")               << "Tarsel Lite"   << "tarsel";
    QTest::newRow("lite in capitals, no blank")      << "TarselLITE"    << "tarsel";
    QTest::newRow("lite inside a longer word too")   << "Satellite App" << "satelapp";
}

void tst_PromoMenuBar::runningAppId()
{
    QFETCH(QString, name);
    QFETCH(QString, id);
    QCOMPARE(PromoMenuBar::runningAppId(name), id);
}

void tst_PromoMenuBar::catalogueRowsHaveTheirIcons()
{
    int count = 0;
    const Row *rows = PromoMenuBar::catalogue(&count);
    QCOMPARE(count, 42);
    int tarselRows = 0;
    for (int i = 0; i < count; ++i) {
        const QString icon = QStringLiteral(":/") + QLatin1String(rows[i].icon) + QStringLiteral("64x64.png");
        QCOMPARE(QPixmap(icon).size(), QSize(64, 64));
        tarselRows += QLatin1String(rows[i].key) == QLatin1String("tarsel");
    }
    QCOMPARE(tarselRows, 1);
}

void tst_PromoMenuBar::categories_data()
{
    QTest::addColumn<QString>("appName");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("storeNames");

    const QStringList general{"SongQuarry", "metrokit", "tabweaver", "EchoVale", "loopmere", "mixhollow",
                              "drumfern", "beatpike", "lyricmoth"};
    QTest::newRow("developer in this program: itself withheld")
        << "Tarsel" << "developer"
        << QStringList{"QuillMark", "HexWren", "lintora", "jsonkite", "regexmoth", "diffowl", "snipjar", "codebirch",
                       "ferrule", "GlyphForge", "iconsmith", "pixelmoss", "palettejay", "screentern"};
    QTest::newRow("category word in another case matches nothing") << "Tarsel" << "Developer" << QStringList();
    QTest::newRow("unknown word adds nothing")                      << "Tarsel" << "cooking"   << QStringList();
    QTest::newRow("empty category, no instrument in the name: general list") << "Tarsel" << "" << general;
    QTest::newRow("empty category: bass is searched before guitar")
        << "Bass Guitar" << ""
        << QStringList{"bassloft", "ChordLark", "TuneFinch", "scalewren", "SongQuarry", "tabweaver", "metrokit",
                       "drumfern", "beatpike", "EchoVale", "loopmere", "mixhollow"} + general;
    QTest::newRow("violin as a word")
        << "Tarsel" << "violin"
        << QStringList{"violinloft", "TuneFinch", "SongQuarry", "lyricmoth", "metrokit", "drumfern", "beatpike",
                       "EchoVale", "loopmere", "mixhollow"} + general;
    QTest::newRow("violin in the name")
        << "My Violin" << ""
        << QStringList{"violinloft", "TuneFinch", "SongQuarry", "lyricmoth", "metrokit", "drumfern", "beatpike",
                       "EchoVale", "loopmere", "mixhollow"} + general;
    // "Echovale Lite" runs as echovale: its row and loopmere's, whose family it is, are withheld.
    QTest::newRow("lite edition withholds its row and its family's")
        << "Echovale Lite" << "music"
        << QStringList{"drumfern", "beatpike", "mixhollow", "lyricmoth", "SongQuarry", "metrokit", "tabweaver",
                       "mixhollow", "drumfern", "beatpike", "lyricmoth"};
    QTest::newRow("photo leaves out its first group in the application it names")
        << "Photoquill" << "photo"
        << QStringList{"collagekite", "sepiadove", "GlyphForge", "palettejay", "pixelmoss", "vectorwick",
                       "EchoVale", "loopmere", "jsonkite", "regexmoth", "diffowl"};
}

// Every category ends in a separator, "More Apps" and a separator; the store names show which rows came.
void tst_PromoMenuBar::categories()
{
    QFETCH(QString, appName);
    QFETCH(QString, category);
    QFETCH(QStringList, storeNames);

    AppState state;
    QCoreApplication::setApplicationName(appName);
    LinkCatcher links;
    PromoMenuBar bar(nullptr, false);
    bar.setPromoCategory(category);

    const QList<QAction *> actions = bar.actions();
    QVERIFY(actions.size() >= 4);
    QVERIFY(actions.at(actions.size() - 1)->isSeparator());
    QCOMPARE(actions.at(actions.size() - 2)->text(), QStringLiteral("More Apps"));
    QVERIFY(actions.at(actions.size() - 3)->isSeparator());
    QVERIFY(actions.at(actions.size() - 4)->isSeparator());
    QCOMPARE(promotedStoreNames(bar, links), storeNames);
}

// Two equal stretches put a centre widget midway; a right widget sits just left of Share.
void tst_PromoMenuBar::addedWidgetsSitInTheirGroups()
{
    PromoMenuBar bar(nullptr, false);
    bar.hideIntroButton();
    QPushButton centre(QStringLiteral("Centre"));
    centre.setFixedWidth(80);
    QPushButton right(QStringLiteral("Right"));
    right.setFixedWidth(40);
    bar.addWidget(&centre);
    bar.addRightWidget(&right);
    bar.resize(800, 45);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));

    const QWidget *more = bar.findChild<QWidget *>("MoreButton");
    const QWidget *share = bar.findChild<QWidget *>("ShareButton");
    const int leftGap = centre.geometry().left() - more->geometry().right();
    const int rightGap = right.geometry().left() - centre.geometry().right();
    QVERIFY2(qAbs(leftGap - rightGap) <= 2, qPrintable(QStringLiteral("%1 %2").arg(leftGap).arg(rightGap)));
    QVERIFY(right.geometry().right() < share->geometry().left());
    QVERIFY(share->geometry().left() - right.geometry().right() < 20);
}

TARSEL_APP_TEST_MAIN(tst_PromoMenuBar)
#include "tst_PromoMenuBar.moc"
