#include "LinkCatcher.h"

#include <QDesktopServices>

LinkCatcher::LinkCatcher(const QStringList &schemes)
    : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

LinkCatcher::~LinkCatcher()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void LinkCatcher::open(const QUrl &url)
{
    m_links.append(url);
    emit opened(url);
}
