#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// A small HTTP/1.0 server on 127.0.0.1 for the tests of the network code: each path answers with the
// status and body set for it, an unknown path with 404. A silent path takes the request and never answers.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    LocalHttpServer();

    bool listen();
    quint16 port() const;
    // "http://127.0.0.1:<port>", to which the request paths are appended.
    QString base() const;

    // The extra headers are lines ending in CR LF, such as "Content-Encoding: gzip\r\n".
    void answer(const QString &path, int status, const QByteArray &body, const QByteArray &headers = QByteArray());
    void staySilent(const QString &path);
    // Answers the path with "302 Found" and a Location header naming the target (a path or a whole URL).
    void redirect(const QString &path, const QString &location);
    // Runs when a request arrives, before it is answered.
    void onRequest(std::function<void(const QString &path)> hook);

    // Paths requested so far, in order.
    QStringList requests() const { return m_requests; }

    // A port on which nothing listens: one that was free a moment ago.
    static quint16 refusedPort();

private:
    void readRequest(QTcpSocket *socket);

    struct Reply
    {
        int status = 404;
        QByteArray body;
        bool silent = false;
        QByteArray location;
        QByteArray headers;
    };

    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
    QStringList m_requests;
    std::function<void(const QString &)> m_hook;
};
