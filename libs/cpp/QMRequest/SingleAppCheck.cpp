#include "QMRequest/SingleAppCheck.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>

namespace QMRequest {

namespace {
const int waitMs = 1000;
}

SingleAppCheck::SingleAppCheck(const QString &key)
    : m_key(key)
{
    m_memory.setKey(m_key);
    // A segment left by a killed instance is attached by nobody: the last detach removes it.
    if (m_memory.attach(QSharedMemory::ReadWrite))
        m_memory.detach();
    if (m_memory.attach(QSharedMemory::ReadWrite)) {
        m_running = true;
        return;
    }
    m_running = false;
    if (!m_memory.create(1, QSharedMemory::ReadWrite)) {
        qDebug() << "Unable to create single instance.";
        return;
    }
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, &SingleAppCheck::slotReceiveMessage);
    // This guard has just created the segment, so a socket file of that name is a leftover.
    QLocalServer::removeServer(m_key);
    if (!m_server->listen(m_key))
        qDebug() << m_server->errorString();
}

SingleAppCheck::~SingleAppCheck() = default;

bool SingleAppCheck::isRunning() const
{
    return m_running;
}

bool SingleAppCheck::sendMessage(const QString &message)
{
    if (!m_running)
        return false;
    QLocalSocket socket(this);
    socket.connectToServer(m_key, QIODevice::WriteOnly);
    if (!socket.waitForConnected(waitMs)) {
        qDebug() << socket.errorString();
        return false;
    }
    socket.write(message.toUtf8());
    // Each wait bounds a stretch without progress, so a long message still goes out whole.
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(waitMs)) {
            qDebug() << socket.errorString();
            return false;
        }
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(waitMs);
    return true;
}

QString SingleAppCheck::decodeMessage(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
}

void SingleAppCheck::slotReceiveMessage()
{
    QLocalSocket *socket = m_server ? m_server->nextPendingConnection() : nullptr;
    if (!socket)
        return;
    QByteArray bytes;
    bool complete = true;
    // The sender disconnects once all is written; read until then.
    for (;;) {
        bytes += socket->readAll();
        if (socket->state() != QLocalSocket::ConnectedState)
            break;
        if (!socket->waitForReadyRead(waitMs)) {
            if (socket->state() == QLocalSocket::ConnectedState) {
                complete = false;
                qDebug() << socket->errorString().toLatin1().constData();
            }
        }
        if (!complete)
            break;
    }
    bytes += socket->readAll();
    socket->disconnectFromServer();
    socket->deleteLater();
    if (complete && !bytes.isEmpty())
        emit messageAvailable(decodeMessage(bytes));
}

} // namespace QMRequest
