#include "QMWidgets/app/App.h"

#include "QMWidgets/app/MakerLinks.h"

#include "MTools/Encodings.h"

#include <QDesktopServices>
#include <QUrl>

namespace QMWidgets {

namespace {

// The maker's pages, kept as Base64 text in the program.
const char kFirstMakerWebAddress[] = "aHR0cHM6Ly93d3cuYm9ybHVuZS5jb20=";
const char kSecondMakerWebAddress[] = "aHR0cHM6Ly9hcHBzLmJvcmx1bmUuY29t";
const char kThirdMakerWebAddress[] = "aHR0cHM6Ly9zdXBwb3J0LmJvcmx1bmUuY29t";

} // namespace

QString App::accountPageUrl() const
{
    return QString(m_accountPageUrlTemplate).replace(QLatin1String("%1"), languagePath());
}

void App::setAccountPageUrlTemplate(const QString &urlTemplate)
{
    m_accountPageUrlTemplate = urlTemplate;
}

void App::setWebPageUrl(const QString &url)
{
    m_webPageUrl = url;
}

QString App::webPageUrl() const
{
    return m_webPageUrl;
}

void App::setAppPageUrl(const QString &url)
{
    m_appPageUrl = url;
}

QString App::appPageUrl() const
{
    return m_appPageUrl;
}

void App::setPrivacyPolicyUrl(const QString &url)
{
    m_privacyPolicyUrl = url;
}

QString App::privacyPolicyUrl() const
{
    return m_privacyPolicyUrl;
}

void App::setLinksDisabled(bool disabled)
{
    m_linksDisabled = disabled;
}

bool App::linksDisabled() const
{
    return m_linksDisabled;
}

QString App::facebookShareUrl() const
{
    return m_facebookShareUrl;
}

QString App::twitterShareUrl() const
{
    return m_twitterShareUrl;
}

QString App::vkontakteShareUrl() const
{
    return m_vkontakteShareUrl;
}

void App::setFacebookShareUrl(const QString &url)
{
    m_facebookShareUrl = url;
}

void App::setTwitterShareUrl(const QString &url)
{
    m_twitterShareUrl = url;
}

void App::setVKontakteShareUrl(const QString &url)
{
    m_vkontakteShareUrl = url;
}

QString App::storeProductId(const QString &key) const
{
    return m_storeProductIds.value(key);
}

QString App::storeProductId() const
{
    return storeProductId(QCoreApplication::applicationName().toLower());
}

QString App::productPageLink(const QString &webLink) const
{
    QString link = webLink;
    if (link.endsWith('/'))
        link.chop(1);
    const QString key = link.split('/').last().toLower();
    const auto found = m_storeProductIds.constFind(key);
    if (found == m_storeProductIds.constEnd())
        return QString();
    return QStringLiteral("ms-windows-store://pdp/?productid=") + found.value();
}

QString App::storeLinkFor(const QString &webLink) const
{
    // The independent edition keeps its links on the web.
    return m_independentEdition ? webLink : productPageLink(webLink);
}

void App::setPromotedApp(const QString &first, const QString &second)
{
    m_firstPromotedApp = first;
    m_secondPromotedApp = second;
}

void App::setPromotedAppLink(const QString &key)
{
    m_promotedAppLink = storeLinkFor(key);
}

QString App::promotedAppLink() const
{
    return m_promotedAppLink;
}

bool App::hasPromotedApp() const
{
    return !m_secondPromotedApp.isEmpty() || !m_promotedAppLink.isEmpty();
}

QString App::makerWebSite()
{
    return QStringLiteral("https://www.borlune.com");
}

QString App::makerContactAddress()
{
    return QStringLiteral("support@borlune.com");
}

QString App::firstMakerWebAddress()
{
    return MTools::fromBase64ToString(QLatin1String(kFirstMakerWebAddress));
}

QString App::secondMakerWebAddress()
{
    return MTools::fromBase64ToString(QLatin1String(kSecondMakerWebAddress));
}

QString App::thirdMakerWebAddress()
{
    return MTools::fromBase64ToString(QLatin1String(kThirdMakerWebAddress));
}

void App::slotShowPrivacyPolicy()
{
    if (!m_privacyPolicyUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(m_privacyPolicyUrl));
}

void App::slotContactUs()
{
    const QString system = windowsVersionText() + ' ' + language() + ' '
                           + (isStoreEdition() ? QString() : QStringLiteral("I"));
    const QString link = QStringLiteral("mailto:") + makerContactAddress() + QStringLiteral("?subject=Contact (")
                         + QCoreApplication::applicationName() + ' ' + QCoreApplication::applicationVersion()
                         + QStringLiteral(") ") + system + QStringLiteral("&body=");
    QDesktopServices::openUrl(QUrl(link));
}

void App::slotTellFriend()
{
    const QString appKey = QCoreApplication::applicationName().toLower();
    QString link = makerWebSite() + '/' + appKey;
    if (!m_appPageUrl.isEmpty())
        link = m_appPageUrl;
    else if (isStoreEdition())
        link = storeLinkFor(appKey).replace(QLatin1String("macappstore"), QLatin1String("https"));
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:?subject=Check out the cool ")
                                   + QCoreApplication::applicationName() + QStringLiteral(" app!&body=")
                                   + displayName() + QStringLiteral(" - ") + link));
}

void App::slotSupportPage()
{
    QDesktopServices::openUrl(QUrl(m_appPageUrl.isEmpty() ? makerWebSite() : m_appPageUrl));
}

void App::slotGoToPromotedApp()
{
    QString link;
    if (!m_promotedAppLink.isEmpty())
        link = m_promotedAppLink;
    else if (!hasPromotedApp() && !m_webPageUrl.isEmpty())
        link = m_webPageUrl;
    QDesktopServices::openUrl(QUrl(link));
}

QStringList App::siteLanguages() const
{
    return m_siteLanguages;
}

void App::setSiteLanguages(const QStringList &languages)
{
    m_siteLanguages = languages;
}

void App::setShareLinks(const QString &appKey)
{
    const QString key = appKey.isEmpty() ? QCoreApplication::applicationName().toLower() : appKey;
    const QString code = language();
    QString suffix = QStringLiteral("org/");
    if (code == QLatin1String("de") || code == QLatin1String("ru") || m_siteLanguages.contains(code))
        suffix = code + '/';
    m_appPageUrl = MakerLinks::countrySitePrefix() + suffix + key;
    m_facebookShareUrl = MakerLinks::facebookSharePage() + QStringLiteral("sharer.php?u=") + m_appPageUrl;
    m_twitterShareUrl = MakerLinks::twitterStatusPage() + QStringLiteral("home?status=") + m_appPageUrl;
}

void App::setFollowLinks(const QString &appKey)
{
    const QString key = appKey.isEmpty() ? QCoreApplication::applicationName().toLower() : appKey;
    const QString base = MakerLinks::appsPage() + key;
    m_facebookShareUrl = base + QStringLiteral("/facebook.php");
    m_twitterShareUrl = base + QStringLiteral("/twitter.php");
    m_vkontakteShareUrl = base + QStringLiteral("/vkontakte.php");
    m_appPageUrl = base;
}

void App::slotRateApp()
{
    QString link;
    if (isIndependentEdition()) {
        link = MakerLinks::appServer() + QStringLiteral("rate.php?appname=")
               + QCoreApplication::applicationName().toLower();
    } else {
        link = storeLinkFor(m_appPageUrl)
                   .replace(QLatin1String("//pdp/?productid="), QLatin1String("//review/?ProductId="));
    }
    MakerLinks::open(link);
}

void App::slotShowMoreApps()
{
    MakerLinks::open(MakerLinks::storePublisherPage());
}

} // namespace QMWidgets
