#include "QMRequest/SingleAppCheck.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace QMRequest {

namespace {

const int WaitMs = 1000;
// Instances wait for each other only while one looks for or makes the segment, a matter of milliseconds.
const int ElectionWaitMs = 5000;
const QString SocketFolder = QStringLiteral("qmrequest-single-instance");

QString keyHash(const QString &key)
{
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
}

// This library's folder inside the user's runtime folder; empty when there is none.
QString privateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QLatin1Char('/') + SocketFolder;
}

// Makes the folder for the user alone, or takes the one made so before. A folder in its place that is a
// symbolic link, that another user owns or that others may write to is unusable: followed, it put the socket
// and the lock where someone else chose. The mode of a folder the guard did not make is never changed.
bool makePrivateFolder(const QString &folder)
{
    if (folder.isEmpty() || !QDir().mkpath(QFileInfo(folder).path()))
        return false;
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) == 0)
        return true;
    struct stat status;
    if (errno != EEXIST || ::lstat(path.constData(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == ::getuid() && !(status.st_mode & (S_IWGRP | S_IWOTH));
}

// Held while an instance looks for the segment and makes it, and while the first one gives it up: without
// it two instances started together could both find none, or one remove the segment another had just made.
class Election
{
public:
    explicit Election(const QString &key)
        : m_lock(privateFolder() + QLatin1Char('/') + keyHash(key) + QStringLiteral(".lock"))
    {
        if (!makePrivateFolder(privateFolder()) || !m_lock.tryLock(ElectionWaitMs))
            qDebug() << "The single-instance check runs without its lock.";
    }

private:
    QLockFile m_lock;
};

} // namespace

SingleAppCheck::SingleAppCheck(const QString &key)
    : m_key(key)
{
    // Qt names the segment's key file after the key's letters: a hash keeps any key within a file name.
    m_memory.setKey(QStringLiteral("qmrequest-") + keyHash(m_key));
    Election election(m_key);
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
    // Still under the lock: an instance that finds the segment finds the server listening.
    listen();
}

SingleAppCheck::~SingleAppCheck()
{
    if (!m_memory.isAttached())
        return;
    Election election(m_key);
    // Connections still open go with the server; none of them may call back into a guard on its way out.
    for (auto it = m_incoming.cbegin(); it != m_incoming.cend(); ++it)
        it.key()->disconnect(this);
    m_incoming.clear();
    delete m_server;
    m_server = nullptr;
    m_memory.detach();
}

void SingleAppCheck::listen()
{
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, &SingleAppCheck::slotReceiveMessage);
    // The socket is named by a hash in a folder of our own: whatever file the key itself names stays untouched.
    const QString name = serverName(m_key);
    if (name.isEmpty() || !makePrivateFolder(QFileInfo(name).path())) {
        qDebug() << "No runtime folder for the single-instance socket.";
        return;
    }
    // This guard has just created the segment, so a socket of that name is a leftover.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        qDebug() << m_server->errorString();
}

bool SingleAppCheck::isRunning() const
{
    return m_running;
}

bool SingleAppCheck::sendMessage(const QString &message)
{
    if (!m_running)
        return false;
    const QByteArray bytes = encodeMessage(message);
    if (bytes.size() > MaxMessageBytes) {
        qDebug() << "The message is too long for the first instance.";
        return false;
    }
    QLocalSocket socket(this);
    socket.connectToServer(serverName(m_key), QIODevice::WriteOnly);
    if (!socket.waitForConnected(WaitMs)) {
        qDebug() << socket.errorString();
        return false;
    }
    socket.write(bytes);
    // Each wait bounds a stretch without progress, so a long message still goes out whole.
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(WaitMs)) {
            qDebug() << socket.errorString();
            return false;
        }
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(WaitMs);
    return true;
}

QString SingleAppCheck::serverName(const QString &key)
{
    const QString folder = privateFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + keyHash(key);
}

QByteArray SingleAppCheck::encodeMessage(const QString &message)
{
    return message.toUtf8() + '\0';
}

bool SingleAppCheck::decodeMessage(const QByteArray &bytes, QString *message)
{
    if (bytes.size() > MaxMessageBytes || !bytes.endsWith('\0'))
        return false;
    *message = QString::fromUtf8(bytes.left(bytes.indexOf('\0')));
    return true;
}

void SingleAppCheck::slotReceiveMessage()
{
    // Each connection is read as its bytes come, so that none holds up the program or another connection.
    while (QLocalSocket *socket = m_server ? m_server->nextPendingConnection() : nullptr) {
        m_incoming.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { readMessage(socket); });
        auto *deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this, [this, socket] {
            qDebug() << "A client of the first instance did not finish its message in time.";
            dropConnection(socket);
        });
        deadline->start(MessageTimeoutMs);
        // Whatever came with the connection, read once this loop is done with the server.
        QMetaObject::invokeMethod(this, [this, socket] { readMessage(socket); }, Qt::QueuedConnection);
    }
}

void SingleAppCheck::readMessage(QLocalSocket *socket)
{
    const auto incoming = m_incoming.find(socket);
    if (incoming == m_incoming.end())
        return;
    // Never more than one byte past the bound, whatever the client sends.
    incoming->append(socket->read(qint64(MaxMessageBytes) + 1 - incoming->size()));
    if (incoming->size() > MaxMessageBytes) {
        qDebug() << "A message to the first instance was too long.";
        dropConnection(socket);
        return;
    }
    // The sender hangs up once all is written.
    if (socket->state() == QLocalSocket::ConnectedState)
        return;
    const QByteArray bytes = m_incoming.take(socket);
    socket->disconnect(this);
    socket->deleteLater();
    // A sender whose wait ran out leaves its message without the closing NUL: a part is no message.
    QString message;
    if (!decodeMessage(bytes, &message)) {
        qDebug() << "A message to the first instance arrived incomplete.";
        return;
    }
    // Last: a receiver may delete this guard.
    emit messageAvailable(message);
}

void SingleAppCheck::dropConnection(QLocalSocket *socket)
{
    m_incoming.remove(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

} // namespace QMRequest
