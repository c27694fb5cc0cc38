#include "QMRequest/DownloadManager.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace QMRequest {

DownloadManager::DownloadManager(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    connect(m_network, SIGNAL(finished(QNetworkReply *)), this, SLOT(slotFinished(QNetworkReply *)));
}

void DownloadManager::get(const QUrl &url)
{
    m_reply = m_network->get(QNetworkRequest(url));
    connect(m_reply, SIGNAL(downloadProgress(qint64, qint64)), this, SLOT(slotDownloadProgress(qint64, qint64)));
}

void DownloadManager::setRedirectPolicy(QNetworkRequest::RedirectPolicy policy)
{
    m_network->setRedirectPolicy(policy);
}

void DownloadManager::slotDownloadProgress(qint64 received, qint64 total)
{
    emit downloadProgress(received, total);
}

void DownloadManager::slotFinished(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError)
        emit error();
    else
        emit done(reply->url(), reply->readAll());
    reply->deleteLater();
    if (reply == m_reply)
        m_reply = nullptr;
}

void DownloadManager::slotAbort()
{
    if (!m_reply)
        return;
    // The network layer reports the aborted reply as finished with an error, which ends the wait.
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->abort();
    reply->deleteLater();
}

} // namespace QMRequest
