#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSharedMemory>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace QMRequest {

// Tells whether another instance of the application runs, and lets a later instance pass a text to the first.
// A one-byte shared-memory segment, attached by the first instance alone, marks it; the segment is looked
// for and made under a lock, so that of instances started together exactly one is first. Messages travel
// over a local socket in a folder of this library's own inside the user's runtime folder. Each message ends
// in a NUL byte, so that one cut short is told from a whole one. The first instance reads every connection
// as its bytes come, and hangs up on one that sends more than a message may hold or takes too long.
class SingleAppCheck : public QObject
{
    Q_OBJECT

public:
    // The most bytes a message takes on the way, its closing NUL included: far above any command line.
    static constexpr int MaxMessageBytes = 1024 * 1024;
    // How long a client has from connecting to hanging up after its whole message.
    static constexpr int MessageTimeoutMs = 3000;

    explicit SingleAppCheck(const QString &key);
    ~SingleAppCheck() override;

    bool isRunning() const;
    // Used by a later instance; false on the first one or when the message could not be passed whole.
    bool sendMessage(const QString &message);

    // The local socket a first instance of the key listens on; empty when there is no runtime folder.
    static QString serverName(const QString &key);
    // The bytes sent for a message: its UTF-8 and a closing NUL.
    static QByteArray encodeMessage(const QString &message);
    // The text of received bytes, UTF-8 up to the first NUL byte; false (and no text) for bytes that do
    // not end with the closing NUL, a message cut short, or that are more than MaxMessageBytes.
    static bool decodeMessage(const QByteArray &bytes, QString *message);

signals:
    void messageAvailable(QString message);

public slots:
    void slotReceiveMessage();

private:
    void listen();
    void readMessage(QLocalSocket *socket);
    void dropConnection(QLocalSocket *socket);

    bool m_running = false;
    QString m_key;
    QSharedMemory m_memory;
    QLocalServer *m_server = nullptr;
    // The bytes read so far from each connection whose message has not ended.
    QHash<QLocalSocket *, QByteArray> m_incoming;
};

} // namespace QMRequest
