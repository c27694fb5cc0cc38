#include "QMRequest/Downloader.h"

#include "MTools/FileWriting.h"
#include "QMRequest/DownloadManager.h"

#include <QMutexLocker>
#include <QRegularExpression>

namespace QMRequest {

Downloader::Downloader(QObject *parent)
    : QObject(parent)
    , m_manager(new DownloadManager(this))
{
    connect(m_manager, SIGNAL(done(QUrl, QByteArray)), this, SLOT(slotFinished(QUrl, QByteArray)));
    connect(m_manager, SIGNAL(downloadProgress(qint64, qint64)), this, SLOT(slotProgress(qint64, qint64)));
    connect(m_manager, SIGNAL(error()), this, SLOT(slotError()));
}

Downloader::~Downloader() = default;

QString Downloader::withHttpScheme(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(text).hasMatch() ? text : QStringLiteral("http://") + text;
}

bool Downloader::fetch(const QString &url, QEventLoop::ProcessEventsFlags flags)
{
    // Tested before the mutex: a call from inside our own wait would otherwise block on it forever.
    if (m_busy)
        return false;
    m_result.clear();
    m_succeeded = false;
    m_busy = true;
    m_manager->get(QUrl(withHttpScheme(url), QUrl::TolerantMode));
    m_finished = false;
    m_loop.exec(flags);
    m_finished = true;
    m_busy = false;
    return m_succeeded;
}

QByteArray Downloader::get(const QString &url, QEventLoop::ProcessEventsFlags flags)
{
    if (m_busy)
        return QByteArray();
    QMutexLocker lock(&m_mutex);
    fetch(url, flags);
    return m_result;
}

bool Downloader::downloadToFile(const QString &url, const QString &fileName, QEventLoop::ProcessEventsFlags flags)
{
    if (m_busy)
        return false;
    QMutexLocker lock(&m_mutex);
    if (!fetch(url, flags))
        return false;
    return MTools::writeFileSafely(fileName, m_result);
}

bool Downloader::isFinished() const
{
    return m_finished;
}

void Downloader::setRedirectPolicy(QNetworkRequest::RedirectPolicy policy)
{
    m_manager->setRedirectPolicy(policy);
}

void Downloader::setMaximumSize(qint64 bytes)
{
    m_manager->setMaximumSize(bytes);
}

void Downloader::slotAbort()
{
    m_manager->slotAbort();
}

void Downloader::slotFinished(const QUrl &, const QByteArray &data)
{
    m_result = data;
    m_succeeded = true;
    m_loop.exit(0);
}

void Downloader::slotError()
{
    m_loop.exit(0);
}

void Downloader::slotProgress(qint64 received, qint64 total)
{
    emit progress(int(received));
    // An unknown (-1) or empty total gives no share to report.
    if (total > 0)
        emit progressPercent(int(double(received) * 100.0 / double(total)));
}

} // namespace QMRequest
