#include "QMWidgets/app/MakerLinks.h"

#include "QMWidgets/app/App.h"

#include <QDesktopServices>
#include <QStringList>
#include <QUrl>

namespace QMWidgets {

namespace MakerLinks {

QString countrySitePrefix()
{
    return QStringLiteral("https://www.borlune.");
}

QString webSite()
{
    return App::makerWebSite();
}

QString appsPage()
{
    return webSite() + QStringLiteral("/apps/");
}

QString appServer()
{
    return QStringLiteral("https://apps.borlune.com/");
}

QString facebookSharePage()
{
    return QStringLiteral("https://www.facebook.com/sharer/");
}

QString twitterStatusPage()
{
    return QStringLiteral("https://twitter.com/");
}

QString facebookShareRedirect()
{
    return QStringLiteral("https://fb.borlune.com/social/share.php?link=");
}

QString shareRedirect()
{
    return QStringLiteral("https://social.borlune.com/social/share.php?link=");
}

QString joinRedirect()
{
    return QStringLiteral("https://social.borlune.com/social/join.php?link=");
}

QString youTubeChannel()
{
    return QStringLiteral("https://www.youtube.com/c/Borlune");
}

QString facebookPage()
{
    return QStringLiteral("https://www.facebook.com/Borlune");
}

QString twitterPage()
{
    return QStringLiteral("https://twitter.com/Borlune");
}

QString vkontaktePage()
{
    return QStringLiteral("https://vk.com/borlune");
}

QString storePublisherPage()
{
    return QStringLiteral("ms-windows-store://publisher/?name=Borlune");
}

QString youTubeShortPrefix()
{
    return QStringLiteral("https://youtu.be/");
}

QString youTubeWatchPrefix()
{
    return QStringLiteral("https://www.youtube.com/watch?v=");
}

QString videoPage(const QString &language)
{
    static const QStringList countrySites = {QStringLiteral("de"), QStringLiteral("ru"), QStringLiteral("fr"),
                                             QStringLiteral("it"), QStringLiteral("nl")};
    const QString suffix = countrySites.contains(language) ? language : QStringLiteral("org");
    return countrySitePrefix() + suffix + QStringLiteral("/video.php?view=");
}

QString redirected(const QString &redirect, const QString &link)
{
    const App *app = App::instance();
    return app && app->isIndependentEdition() ? redirect + link : link;
}

void open(const QString &link)
{
    QDesktopServices::openUrl(QUrl(link));
}

QString appStorePage(const QString &name, const QString &id)
{
    return QStringLiteral("https://apps.apple.com/app/") + name.toLower() + QLatin1Char('/') + id
           + QStringLiteral("?ls=1&mt=12");
}

QString crossPromoPage()
{
    return appServer() + QStringLiteral("crosspromo.php");
}

QString tutorialSite()
{
    return webSite() + QLatin1Char('/');
}

} // namespace MakerLinks

} // namespace QMWidgets
