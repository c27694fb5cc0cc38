#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop's URL handler: install it with QDesktopServices::setUrlHandler(scheme,
// recorder, "openUrl") and it records the links instead of opening them.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void openUrl(const QUrl &url) { urls << url; }
};
