#include "LocalHttpServer.h"

#include <QTcpSocket>

LocalHttpServer::LocalHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
}

bool LocalHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

quint16 LocalHttpServer::port() const
{
    return m_server.serverPort();
}

QString LocalHttpServer::base() const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(port());
}

void LocalHttpServer::answer(const QString &path, int status, const QByteArray &body, const QByteArray &headers)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    reply.headers = headers;
    m_replies.insert(path, reply);
}

void LocalHttpServer::staySilent(const QString &path)
{
    Reply reply;
    reply.silent = true;
    m_replies.insert(path, reply);
}

void LocalHttpServer::redirect(const QString &path, const QString &location)
{
    Reply reply;
    reply.status = 302;
    reply.location = location.toLatin1();
    m_replies.insert(path, reply);
}

void LocalHttpServer::onRequest(std::function<void(const QString &)> hook)
{
    m_hook = std::move(hook);
}

quint16 LocalHttpServer::refusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LocalHttpServer::readRequest(QTcpSocket *socket)
{
    // The head may come in pieces; a request seen is not read again.
    if (socket->property("answered").toBool())
        return;
    const QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n"))
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = QString::fromLatin1(requestLine.value(1));
    m_requests.append(path);
    if (m_hook)
        m_hook(path);

    const Reply reply = m_replies.value(path);
    if (reply.silent)
        return;
    QByteArray response = "HTTP/1.0 " + QByteArray::number(reply.status) + " Status\r\n";
    response += "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (!reply.location.isEmpty())
        response += "Location: " + reply.location + "\r\n";
    response += reply.headers;
    response += "Connection: close\r\n\r\n" + reply.body;
    socket->write(response);
    socket->disconnectFromHost();
}
