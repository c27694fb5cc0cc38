#pragma once

#include <QObject>
#include <QUrl>

namespace Platform {

// Stands in for the store app, which opens "ms-windows-store:" links on Windows: elsewhere nothing
// handles that scheme, so such a link opens a web page instead.
class StoreLinkHandler : public QObject
{
    Q_OBJECT

public:
    // Registers a handler for the scheme, owned by owner, that opens webPage. Does nothing on Windows.
    static void install(QObject *owner, const QUrl &webPage);

public slots:
    void openStoreLink(const QUrl &storeLink);

private:
    StoreLinkHandler(QObject *owner, const QUrl &webPage);

    QUrl m_webPage;
};

} // namespace Platform
