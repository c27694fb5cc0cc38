#include "TestApp.h"

#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/promo/PromoAdsBar.h"
#include "QMWidgets/promo/PromoMainPage.h"
#include "QMWidgets/promo/PromoMenuBar.h"

#include <QAction>

using namespace QMWidgets;

namespace {

class CountingPage : public PromoMainPage
{
public:
    explicit CountingPage(bool relayQuit)
        : PromoMainPage(nullptr, relayQuit)
    {
    }
    ~CountingPage() override { delete menuBar(); }

    void slotAdClicked() override { ++adClicks; }

    int adClicks = 0;
};

} // namespace

class tst_PromoMainPage : public QObject
{
    Q_OBJECT

private slots:
    void adsBarIsMadeOnce();
    void quitIsRelayedThroughThePage_data();
    void quitIsRelayedThroughThePage();
};

void tst_PromoMainPage::adsBarIsMadeOnce()
{
    CountingPage page(false);
    QAction entry(QStringLiteral("entry"));
    QAction last(QStringLiteral("last"));
    page.menuBar()->addAction(&entry);
    page.menuBar()->addAction(&last);

    PromoAdsBar *banner = page.adsBar();
    QVERIFY(banner);
    QCOMPARE(page.adsBar(), banner);
    QCOMPARE(banner->parent(), &page);
    banner->slotInsertAd();
    QSignalSpy triggered(&entry, &QAction::triggered);
    QTest::mouseClick(banner, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    // One connection however often the banner is asked for.
    QCOMPARE(page.adClicks, 1);
}

void tst_PromoMainPage::quitIsRelayedThroughThePage_data()
{
    QTest::addColumn<bool>("relayQuit");
    QTest::newRow("relayed: the page re-emits it")         << true;
    QTest::newRow("not relayed: the windows are closed")   << false;
}

void tst_PromoMainPage::quitIsRelayedThroughThePage()
{
    QFETCH(bool, relayQuit);

    QWidget window;
    window.show();
    CountingPage page(relayQuit);
    QSignalSpy pageQuit(&page, &PromoMainPage::quitApp);
    page.menuBar()->appButton()->appMenu()->actions().constLast()->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(pageQuit.count(), relayQuit ? 1 : 0);
    QCOMPARE(window.isVisible(), relayQuit);
}

TARSEL_APP_TEST_MAIN(tst_PromoMainPage)
#include "tst_PromoMainPage.moc"
