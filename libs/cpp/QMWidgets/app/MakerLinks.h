#pragma once

#include <QString>

namespace QMWidgets {

// The maker's addresses on the web and on the social services, kept in one place: the engagement
// prompts build every rate, share, follow and video link from these.
namespace MakerLinks {

// Scheme and host of the country sites up to the dot before the top-level domain; a language
// suffix such as "de/" or "org/" completes it.
QString countrySitePrefix();
// The maker's web site, without a trailing slash.
QString webSite();
// The maker's page of its applications; store links open it on systems without the store.
QString appsPage();
// The application server's folder, ending in "/".
QString appServer();
QString facebookSharePage();
QString twitterStatusPage();
// Redirect servers of the independent edition; the share frame's Facebook button has one of its own.
QString facebookShareRedirect();
QString shareRedirect();
QString joinRedirect();
QString youTubeChannel();
QString facebookPage();
QString twitterPage();
QString vkontaktePage();
QString storePublisherPage();
// The two forms of a YouTube link whose video id the help dialog's fallback keeps.
QString youTubeShortPrefix();
QString youTubeWatchPrefix();
// The maker's video page for a language: the country site for the languages that have one.
QString videoPage(const QString &language);

// In the independent edition the link is passed through the redirect page (not percent-encoded).
QString redirected(const QString &redirect, const QString &link);
// Hands the link to the desktop, parsed tolerantly; what the desktop reports is not looked at.
void open(const QString &link);

// The App Store's web page of an application: the name is lower-cased, the id used as given.
QString appStorePage(const QString &name, const QString &id);
// The cross-promotion page on the application server; "?appname=" and a store name complete it.
QString crossPromoPage();
// The root of the maker's tutorial pages, ending in "/"; a language folder such as "de/" may follow it.
QString tutorialSite();

} // namespace MakerLinks

} // namespace QMWidgets
