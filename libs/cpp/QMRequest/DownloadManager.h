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
    // A body of more bytes is a failure, given up as soon as it is announced or received; -1 for no bound.
    // A bounded request asks for the body as it is, and one sent compressed all the same is a failure too.
    void setMaximumSize(qint64 bytes);

signals:
    void downloadProgress(qint64 received, qint64 total);
    void done(const QUrl &url, const QByteArray &data);
    void error();

public slots:
    void slotAbort();
    void slotFinished(QNetworkReply *reply);
    void slotDownloadProgress(qint64 received, qint64 total);

private:
    void checkSize(QNetworkReply *reply);

    QNetworkAccessManager *m_network;
    qint64 m_maximumSize = -1;
    QNetworkReply *m_reply = nullptr;
};

} // namespace QMRequest
