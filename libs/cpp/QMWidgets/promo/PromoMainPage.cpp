#include "QMWidgets/promo/PromoMainPage.h"

#include "QMWidgets/promo/PromoAdsBar.h"
#include "QMWidgets/promo/PromoMenuBar.h"

namespace QMWidgets {

PromoMainPage::PromoMainPage(QWidget *parent, bool relayQuit)
    : QFrame(parent)
    , m_menuBar(new PromoMenuBar(nullptr, relayQuit))
{
    connect(m_menuBar, &PromoMenuBar::quitApp, this, &PromoMainPage::quitApp);
}

PromoMenuBar *PromoMainPage::menuBar() const
{
    return m_menuBar;
}

PromoAdsBar *PromoMainPage::adsBar()
{
    if (m_adsBar)
        return m_adsBar;
    m_adsBar = new PromoAdsBar(this, m_menuBar);
    connect(m_adsBar, &PromoAdsBar::adClicked, this, &PromoMainPage::slotAdClicked);
    return m_adsBar;
}

void PromoMainPage::slotAdClicked()
{
}

} // namespace QMWidgets
