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

QStringList LinkCatcher::linkTexts() const
{
    QStringList texts;
    for (const QUrl &url : m_links)
        texts << url.toString();
    return texts;
}

void LinkCatcher::open(const QUrl &url)
{
    m_links.append(url);
    emit opened(url);
}
