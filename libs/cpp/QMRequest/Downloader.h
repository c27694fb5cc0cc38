#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QMutex>
#include <QNetworkRequest>
#include <QObject>
#include <QUrl>

namespace QMRequest {

class DownloadManager;

// A blocking GET: runs a local event loop on the calling thread until the request ends. A caller bounds
// the wait by connecting a timer to slotAbort().
class Downloader : public QObject
{
    Q_OBJECT

public:
    explicit Downloader(QObject *parent = nullptr);
    ~Downloader() override;

    // The body of a successful reply; empty after a failure, an abort, or while another request runs.
    QByteArray get(const QString &url, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    // Writes the body only after a successful reply, so a failure leaves the file as it was; true when written.
    bool downloadToFile(const QString &url, const QString &fileName,
                        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    bool isFinished() const;
    void setRedirectPolicy(QNetworkRequest::RedirectPolicy policy);
    // A reply of more bytes is a failure, and reading stops once it passes the bound; -1 (the default)
    // for no bound. The bound holds on the bytes as they come: a bounded request asks for no compression, and
    // a reply compressed all the same is a failure.
    void setMaximumSize(qint64 bytes);

    // The text with "http://" in front unless it already names a scheme ("https://", "HTTP://").
    static QString withHttpScheme(const QString &text);

signals:
    void progress(int received);
    void progressPercent(int percent);

public slots:
    void slotAbort();
    void slotFinished(const QUrl &url, const QByteArray &data);
    void slotProgress(qint64 received, qint64 total);
    void slotError();

private:
    // Runs one request to its end; false when another one is running or it failed.
    bool fetch(const QString &url, QEventLoop::ProcessEventsFlags flags);

    QMutex m_mutex;
    DownloadManager *m_manager;
    bool m_finished = false;
    bool m_busy = false;
    bool m_succeeded = false;
    QEventLoop m_loop;
    QByteArray m_result;
};

} // namespace QMRequest
