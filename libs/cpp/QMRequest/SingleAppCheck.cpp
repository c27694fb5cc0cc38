#include "QMRequest/SingleAppCheck.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace QMRequest {

namespace {
const int waitMs = 1000;
const QString SocketFolder = QStringLiteral("qmrequest-single-instance");
}

SingleAppCheck::SingleAppCheck(const QString &key)
    : m_key(key)
{
    m_memory.setKey(m_key);
    // A segment left by a killed instance is attached by nobody: the last detach removes it.
    if (m_memory.attach(QSharedMemory::ReadWrite))
        m_memory.detach();
    if (m_memory.attach(QSharedMemory::ReadWrite)) {
        // Only the first instance stays attached, so the segment ends with it even while later ones live.
        m_memory.detach();
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
    // The socket is named by a hash in a folder of our own: whatever file the key itself names stays untouched.
    const QString name = serverName(m_key);
    const QString folder = QFileInfo(name).path();
    if (name.isEmpty() || !QDir().mkpath(folder)) {
        qDebug() << "No runtime folder for the single-instance socket.";
        return;
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // This guard has just created the segment, so a socket of that name is a leftover.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
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
    socket.connectToServer(serverName(m_key), QIODevice::WriteOnly);
    if (!socket.waitForConnected(waitMs)) {
        qDebug() << socket.errorString();
        return false;
    }
    socket.write(encodeMessage(message));
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

QString SingleAppCheck::serverName(const QString &key)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return QString();
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    return runtime + QLatin1Char('/') + SocketFolder + QLatin1Char('/') + QString::fromLatin1(hash);
}

QByteArray SingleAppCheck::encodeMessage(const QString &message)
{
    return message.toUtf8() + '\0';
}

bool SingleAppCheck::decodeMessage(const QByteArray &bytes, QString *message)
{
    if (!bytes.endsWith('\0'))
        return false;
    *message = QString::fromUtf8(bytes.left(bytes.indexOf('\0')));
    return true;
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
    if (!complete)
        return;
    // A sender whose wait ran out leaves its message without the closing NUL: a part is no message.
    QString message;
    if (!decodeMessage(bytes, &message)) {
        qDebug() << "A message to the first instance arrived incomplete.";
        return;
    }
    emit messageAvailable(message);
}

} // namespace QMRequest
