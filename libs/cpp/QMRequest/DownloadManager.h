#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace QMRequest {

// One HTTP GET at a time, reported by signals: progress, the whole body, or failure.
class DownloadManager : public QObject
{
    Q_OBJECT

public:
    explicit DownloadManager(QObject *parent = nullptr);

    void get(const QUrl &url);
    // Redirects are not followed unless a policy says so (Qt's default, manual).
    void setRedirectPolicy(QNetworkRequest::RedirectPolicy policy);

signals:
    void downloadProgress(qint64 received, qint64 total);
    void done(const QUrl &url, const QByteArray &data);
    void error();

public slots:
    void slotAbort();
    void slotFinished(QNetworkReply *reply);
    void slotDownloadProgress(qint64 received, qint64 total);

private:
    QNetworkAccessManager *m_network;
    QNetworkReply *m_reply = nullptr;
};

} // namespace QMRequest
