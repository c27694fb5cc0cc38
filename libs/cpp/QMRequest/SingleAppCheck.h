#pragma once

#include <QObject>
#include <QSharedMemory>
#include <QString>

class QLocalServer;

namespace QMRequest {

// Tells whether another instance of the application runs, and lets a later instance pass a text to the first.
// A one-byte shared-memory segment, attached by the first instance alone, marks it; messages travel over a
// local socket in a folder of this library's own inside the user's runtime folder. Each message ends in a
// NUL byte, so that one cut short is told from a whole one.
class SingleAppCheck : public QObject
{
    Q_OBJECT

public:
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
    // not end with the closing NUL, a message cut short.
    static bool decodeMessage(const QByteArray &bytes, QString *message);

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
