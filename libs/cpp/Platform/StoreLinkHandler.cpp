#include "Platform/StoreLinkHandler.h"

#include <QDesktopServices>
#include <QMetaObject>

namespace Platform {

StoreLinkHandler::StoreLinkHandler(QObject *owner, const QUrl &webPage)
    : QObject(owner)
    , m_webPage(webPage)
{
}

void StoreLinkHandler::install(QObject *owner, const QUrl &webPage)
{
#ifdef Q_OS_WIN
    Q_UNUSED(owner);
    Q_UNUSED(webPage);
#else
    auto *handler = new StoreLinkHandler(owner, webPage);
    QDesktopServices::setUrlHandler(QStringLiteral("ms-windows-store"), handler, "openStoreLink");
#endif
}

void StoreLinkHandler::openStoreLink(const QUrl &)
{
    // Qt hands an open made inside a handler straight to the desktop, past any handler of the web
    // page's scheme; opened after this handler returns, the page takes the ordinary way.
    const QUrl page = m_webPage;
    QMetaObject::invokeMethod(
        this, [page] { QDesktopServices::openUrl(page); }, Qt::QueuedConnection);
}

} // namespace Platform
