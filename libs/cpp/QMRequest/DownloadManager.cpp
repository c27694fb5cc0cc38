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
    QNetworkRequest request(url);
    // Asked for no encoding, Qt inflates nothing: the bound then holds on the bytes the caller keeps, where a
    // gzipped gigabyte of a megabyte was inflated whole before the bound saw a byte of it.
    if (m_maximumSize >= 0)
        request.setRawHeader("Accept-Encoding", "identity");
    m_reply = m_network->get(request);
    connect(m_reply, SIGNAL(downloadProgress(qint64, qint64)), this, SLOT(slotDownloadProgress(qint64, qint64)));
    if (m_maximumSize < 0)
        return;
    // The reply holds at most one byte past the bound, and is given up once it does.
    m_reply->setReadBufferSize(m_maximumSize + 1);
    QNetworkReply *reply = m_reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { checkSize(reply); });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { checkSize(reply); });
}

void DownloadManager::setMaximumSize(qint64 bytes)
{
    m_maximumSize = bytes;
}

void DownloadManager::checkSize(QNetworkReply *reply)
{
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    // A body encoded all the same is not what was asked for, nor what the caller could use.
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    const bool encoded = !encoding.isEmpty() && encoding != "identity";
    if (reply != m_reply
        || (!encoded && reply->bytesAvailable() <= m_maximumSize && announced.toLongLong() <= m_maximumSize))
        return;
    // Reported like any other abort: as a failure.
    slotAbort();
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
    const bool failed = reply->error() != QNetworkReply::NoError;
    const QUrl url = reply->url();
    const QByteArray data = failed ? QByteArray() : reply->readAll();
    reply->deleteLater();
    if (reply == m_reply)
        m_reply = nullptr;
    // Last. An owner deletes the manager on its answer with deleteLater(): the network access manager it owns
    // reads itself after this slot returns.
    if (failed)
        emit error();
    else
        emit done(url, data);
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
