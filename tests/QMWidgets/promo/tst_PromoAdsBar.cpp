#include "ChildRun.h"
#include "TestApp.h"
#include "WidgetPaint.h"

#include "QMWidgets/promo/PromoAdsBar.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "resources/Resources.h"

#include <QAction>
#include <QDialog>
#include <QPointer>
#include <QVBoxLayout>
#include <QPushButton>
#include <QSet>

#include <memory>
#include <vector>

using namespace QMWidgets;

namespace {

// A More menu of the given entries ("" for an entry without text, "-" for a separator); a trigger
// of entry i records i.
class Source
{
public:
    explicit Source(const QStringList &entries)
        : bar(nullptr, true)
    {
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i) == QLatin1String("-")) {
                bar.addSeparator();
                continue;
            }
            actions.push_back(std::make_unique<QAction>(entries.at(i)));
            QObject::connect(actions.back().get(), &QAction::triggered, [this, i] { triggered << i; });
            bar.addAction(actions.back().get());
        }
    }

    PromoMenuBar bar;
    std::vector<std::unique_ptr<QAction>> actions;
    QList<int> triggered;
};

QStringList numbered(int count)
{
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries << QStringLiteral("entry %1").arg(i);
    return entries;
}

QSet<int> range(int count)
{
    QSet<int> set;
    for (int i = 0; i < count; ++i)
        set.insert(i);
    return set;
}

} // namespace

class tst_PromoAdsBar : public QObject
{
    Q_OBJECT

private slots:
    void ownerMayDeleteItOnAdClicked();
    void pickDrawsFromLeadingEntries_data();
    void pickDrawsFromLeadingEntries();
    void unusableSourcesTriggerNothing_data();
    void unusableSourcesTriggerNothing();
    void previousEntryStaysWhenNoCandidateHasText();
    void closeAndClickHiding();
    void styledBannerReadsAndShowsItsClose_data();
    void styledBannerReadsAndShowsItsClose();
};

void tst_PromoAdsBar::pickDrawsFromLeadingEntries_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("maxAds");
    QTest::addColumn<QSet<int>>("reached");

    QTest::newRow("12 entries, default 10: the first ten") << 12 << 10 << range(10);
    QTest::newRow("5 entries: all but the last")           << 5  << 10 << range(4);
    QTest::newRow("maximum 0 means all but the last")      << 12 << 0  << range(11);
    QTest::newRow("negative maximum too")                  << 12 << -3 << range(11);
    QTest::newRow("maximum n - 1 is all but the last")     << 6  << 5  << range(5);
    QTest::newRow("2 entries: only the first")             << 2  << 10 << range(1);
}

// The entry a press triggers shows which entries take part in the pick.
void tst_PromoAdsBar::pickDrawsFromLeadingEntries()
{
    QFETCH(int, entries);
    QFETCH(int, maxAds);
    QFETCH(QSet<int>, reached);

    Source source(numbered(entries));
    PromoAdsBar banner(nullptr, &source.bar);
    banner.setMaxAds(maxAds);
    banner.resize(300, 40);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    QSignalSpy clicks(&banner, &PromoAdsBar::adClicked);

    for (int i = 0; i < 300; ++i) {
        banner.slotInsertAd();
        QTest::mouseClick(&banner, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }
    QCOMPARE(source.triggered.size(), 300);
    QCOMPARE(clicks.count(), 300);
    QCOMPARE(QSet<int>(source.triggered.cbegin(), source.triggered.cend()), reached);
}

void tst_PromoAdsBar::unusableSourcesTriggerNothing_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty source")                 << QStringList();
    QTest::newRow("one entry")                    << QStringList{"only"};
    QTest::newRow("no text among the candidates") << QStringList{"", "-", "", "last"};
}

// Such a pick neither divides by zero nor loops; a press then triggers nothing.
void tst_PromoAdsBar::unusableSourcesTriggerNothing()
{
    QFETCH(QStringList, entries);

    Source source(entries);
    PromoAdsBar banner(nullptr, &source.bar);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    banner.slotInsertAd();
    QSignalSpy clicks(&banner, &PromoAdsBar::adClicked);
    QTest::mouseClick(&banner, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(source.triggered.isEmpty());
    QVERIFY(!banner.currentAction());
    QCOMPARE(clicks.count(), 1);

    PromoAdsBar sourceless(nullptr, nullptr);
    sourceless.show();
    sourceless.slotInsertAd();
    QTest::mouseClick(&sourceless, Qt::LeftButton);
    QVERIFY(!sourceless.currentAction());
}

void tst_PromoAdsBar::previousEntryStaysWhenNoCandidateHasText()
{
    Source source({"-", "wanted", "last"});
    PromoAdsBar banner(nullptr, &source.bar);
    banner.setMaxAds(0);
    banner.slotInsertAd();
    // Only the separator is left as a candidate: the entry on show stays.
    banner.setMaxAds(1);
    banner.slotInsertAd();
    banner.show();
    QTest::mouseClick(&banner, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(source.triggered, QList<int>{1});
}

void tst_PromoAdsBar::closeAndClickHiding()
{
    Source source(numbered(3));
    PromoAdsBar banner(nullptr, &source.bar);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    QPushButton *close = banner.findChild<QPushButton *>("AdsBarCloseButton");
    QVERIFY(close);
    QSignalSpy closes(&banner, &PromoAdsBar::closeClicked);

    QTest::mouseClick(close, Qt::LeftButton);
    QCOMPARE(closes.count(), 1);
    QVERIFY(banner.isVisible());
    QVERIFY(source.triggered.isEmpty());

    banner.setHideOnClose(true);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!banner.isVisible());

    banner.show();
    banner.setHideOnAdClick(true);
    QTest::mouseClick(&banner, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(source.triggered.size(), 1);
    QVERIFY(!banner.isVisible());
}

void tst_PromoAdsBar::styledBannerReadsAndShowsItsClose_data()
{
    QTest::addColumn<bool>("inDialog");
    QTest::newRow("in a window") << false;
    QTest::newRow("in a dialog") << true;
}

// In the application style the entry's text stands out from the banner behind it, and the flat close button
// shows a picture: without one it is invisible yet clickable.
void tst_PromoAdsBar::styledBannerReadsAndShowsItsClose()
{
    QFETCH(bool, inDialog);
    Resources::init();
    Source source({"Tarsel for the web", "More Apps"});
    QDialog dialog;
    QWidget plain;
    QWidget &host = inDialog ? static_cast<QWidget &>(dialog) : plain;
    host.setStyleSheet(Resources::styleSheet());
    auto *layout = new QVBoxLayout(&host);
    auto *banner = new PromoAdsBar(&host, &source.bar);
    banner->setMinimumSize(400, 40);
    layout->addWidget(banner);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QVERIFY(banner->currentAction());

    QPushButton *close = banner->findChild<QPushButton *>("AdsBarCloseButton");
    QVERIFY(close && close->isVisible());
    QVERIFY(showsMoreThanBackground(*close));

    // Between the icon and the centred text, above it: the banner's own background.
    const QImage image = host.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QPoint behind = banner->mapTo(&host, QPoint(banner->height() + 4, 3));
    const QColor background = image.pixelColor((QPointF(behind) * ratio).toPoint());
    const QColor text = banner->palette().color(banner->foregroundRole());
    const double contrast = contrastRatio(text, background);
    QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3 to 1")
                                             .arg(text.name(), background.name()).arg(contrast)));
}

// The press read the bar's hide setting after adClicked(), on which an owner may delete the bar
// (in a process of its own: freed memory aborts the sanitizer build).
void tst_PromoAdsBar::ownerMayDeleteItOnAdClicked()
{
    if (ranRowInChild())
        return;
    Source source(numbered(3));
    QPointer<PromoAdsBar> banner = new PromoAdsBar(nullptr, &source.bar);
    banner->resize(300, 40);
    banner->show();
    QVERIFY(QTest::qWaitForWindowExposed(banner));
    banner->slotInsertAd();
    connect(banner, &PromoAdsBar::adClicked, [&] { delete banner; });
    QTest::mousePress(banner.data(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(banner.isNull());
    QCOMPARE(source.triggered.size(), 1);
}

TARSEL_APP_TEST_MAIN(tst_PromoAdsBar)
#include "tst_PromoAdsBar.moc"
