#include "QMWidgets/widgets/AniSwitch.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/widgets/CheckButton.h"
#include "QMWidgets/promo/CommunityButton.h"
#include "QMWidgets/promo/MenuButton.h"
#include "QMWidgets/promo/MoreAppsButton.h"
#include "QMWidgets/promo/PromoAdsBar.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "QMWidgets/widgets/RadioBox.h"
#include "QMWidgets/widgets/UltraRadioBox.h"
#include "TestApp.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

using namespace QMWidgets;

namespace {

// Builds a kit widget into the host and returns the part a user sees enabled or disabled.
using Build = std::function<QWidget *(QWidget *host)>;

QPushButton *withText(QPushButton *button, const QString &text)
{
    button->setText(text);
    return button;
}

// Pixels of the two paintings that differ visibly, against the pixels that show anything.
int changedShare(const QImage &enabled, const QImage &disabled, int *shown)
{
    int changed = 0;
    *shown = 0;
    for (int y = 0; y < enabled.height(); ++y) {
        for (int x = 0; x < enabled.width(); ++x) {
            const QRgb p = enabled.pixel(x, y);
            const QRgb q = disabled.pixel(x, y);
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            ++*shown;
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                          std::abs(qAlpha(p) - qAlpha(q))}) > 32)
                ++changed;
        }
    }
    return changed;
}

} // namespace

Q_DECLARE_METATYPE(Build)

class tst_DisabledLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Resources::init(); }
    void disabledDiffersFromEnabled_data();
    void disabledDiffersFromEnabled();
};

void tst_DisabledLook::disabledDiffersFromEnabled_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<bool>("inDialog");
    const auto rows = [](const char *name, const Build &build) {
        QTest::newRow(qPrintable(QStringLiteral("%1 alone").arg(name))) << build << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 in a dialog").arg(name))) << build << true;
    };
    rows("AppButton", [](QWidget *) {
        auto *button = new AppButton;
        button->setObjectName("AppButton");
        return button;
    });
    rows("MoreAppsButton", [](QWidget *) {
        auto *button = new MoreAppsButton;
        button->setObjectName("MoreAppsButton");
        return button;
    });
    rows("MenuButton", [](QWidget *) { return new MenuButton("Examples"); });
    rows("CommunityButton", [](QWidget *) { return withText(new CommunityButton, "Community"); });
    rows("CheckButton", [](QWidget *) { return withText(new CheckButton, "Wrap"); });
    rows("AniSwitch", [](QWidget *) {
        auto *aniSwitch = new AniSwitch;
        aniSwitch->setupSwitch(true, true);
        aniSwitch->setFixedSize(80, 24);
        return aniSwitch;
    });
    rows("RadioBox", [](QWidget *) {
        auto *box = new RadioBox(QBoxLayout::LeftToRight);
        box->addButton(new QPushButton("One"));
        box->addButton(new QPushButton("Two"));
        return box;
    });
    rows("UltraRadioBox", [](QWidget *) {
        auto *box = new UltraRadioBox;
        auto *first = new QPushButton("Fast");
        box->addButton(first, "Fast");
        box->addButton(new QPushButton("Slow"), "Slow");
        box->setCurrentButton(first);
        box->setFixedSize(60, 32);
        return box;
    });
    rows("promotion bar's Share", [](QWidget *host) {
        auto *bar = new PromoMenuBar(host, false);
        return bar->findChild<QPushButton *>("ShareButton");
    });
    rows("promotion bar's application button", [](QWidget *host) {
        auto *bar = new PromoMenuBar(host, false);
        return bar->findChild<QPushButton *>("AppButton");
    });
    rows("advertisement bar's close button", [](QWidget *host) {
        auto *source = new PromoMenuBar(host, false);
        auto *bar = new PromoAdsBar(host, source);
        return bar->findChild<QPushButton *>("AdsBarCloseButton");
    });
}

// Each kit widget, disabled, looks different from its enabled self: a good part of what it paints goes grey or
// faint, not a text colour alone.
void tst_DisabledLook::disabledDiffersFromEnabled()
{
    QFETCH(Build, build);
    QFETCH(bool, inDialog);
    std::unique_ptr<QWidget> host(inDialog ? new QDialog : new QWidget);
    host->setStyleSheet(Resources::styleSheet());
    auto *layout = new QVBoxLayout(host.get());
    QWidget *widget = build(host.get());
    QVERIFY(widget);
    if (!widget->parentWidget())
        layout->addWidget(widget);
    // The bars are made on the host; they take their places in its layout.
    for (QWidget *child : host->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && layout->indexOf(child) < 0)
            layout->addWidget(child);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    QVERIFY(widget->isVisible());

    const QImage enabled = paintWidget(*widget);
    widget->setEnabled(false);
    const QImage disabled = paintWidget(*widget);
    int shown = 0;
    const int changed = changedShare(enabled, disabled, &shown);
    QVERIFY2(shown > 0, "the widget paints nothing");
    QVERIFY2(changed * 5 >= shown, qPrintable(QStringLiteral("%1 of %2 shown pixels change").arg(changed).arg(shown)));
}

TARSEL_APP_TEST_MAIN(tst_DisabledLook)
#include "tst_DisabledLook.moc"
