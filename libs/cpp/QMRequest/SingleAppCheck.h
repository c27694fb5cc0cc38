#pragma once

#include <QObject>
#include <QSharedMemory>
#include <QString>

class QLocalServer;

namespace QMRequest {

// Tells whether another instance of the application runs, and lets a later instance pass a text to the first.
// A one-byte shared-memory segment marks the first instance; messages travel over a local socket.
class SingleAppCheck : public QObject
{
    Q_OBJECT

public:
    explicit SingleAppCheck(const QString &key);
    ~SingleAppCheck() override;

    bool isRunning() const;
    // Used by a later instance; false on the first one or when the message could not be passed whole.
    bool sendMessage(const QString &message);

    // The received bytes as text: UTF-8 up to the first NUL byte.
    static QString decodeMessage(const QByteArray &bytes);

signals:
    void messageAvailable(QString message);

public slots:
    void slotReceiveMessage();

private:
    bool m_running = false;
    QString m_key;
    QSharedMemory m_memory;
    QLocalServer *m_server = nullptr;
};

} // namespace QMRequest
