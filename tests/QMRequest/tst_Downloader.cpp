#include "HangBound.h"
#include "QMRequest/Downloader.h"
#include "LocalHttpServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using QMRequest::Downloader;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Answers every request with a body of no stated length, written for as long as the client reads, up to
// a total far beyond any bound; notes whether the client hung up before the end.
class FloodServer : public QObject
{
public:
    static const qint64 FloodBytes = 64 * 1024 * 1024;

    bool listen()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                m_head += socket->readAll();
                if (m_sent > 0 || !m_head.contains("\r\n\r\n"))
                    return;
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n");
                writeMore(socket);
            });
            connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { writeMore(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this] { m_hungUpEarly = m_sent < FloodBytes; });
        });
        return m_server.listen(QHostAddress::LocalHost);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/flood").arg(m_server.serverPort()); }
    bool hungUpEarly() const { return m_hungUpEarly; }

private:
    void writeMore(QTcpSocket *socket)
    {
        if (socket->bytesToWrite() > 0 || socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (m_sent >= FloodBytes) {
            socket->disconnectFromHost();
            return;
        }
        const QByteArray chunk(256 * 1024, 'a');
        m_sent += socket->write(chunk);
    }

    QTcpServer m_server;
    QByteArray m_head;
    qint64 m_sent = 0;
    bool m_hungUpEarly = false;
};

} // namespace

class tst_Downloader : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void withHttpScheme_data();
    void withHttpScheme();
    void replies_data();
    void replies();
    void silentServerIsAborted();
    void callWhileWaitingSendsNothing();
    void percent_data();
    void percent();
    void downloadToFile_data();
    void downloadToFile();
    void replyBound_data();
    void replyBound();
    void floodStopsAtTheBound();

private:
    std::unique_ptr<LocalHttpServer> m_server;
};

void tst_Downloader::init()
{
    m_server = std::make_unique<LocalHttpServer>();
    QVERIFY(m_server->listen());
    m_server->answer("/good", 200, "build:1.9.0;date:2030-01-15;");
    m_server->answer("/empty", 200, QByteArray());
    m_server->answer("/missing", 404, "<html>not here</html>");
    m_server->staySilent("/silent");
}

void tst_Downloader::withHttpScheme_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");
    QTest::newRow("bare host and path") << "example.org/a" << "http://example.org/a";
    QTest::newRow("http kept") << "http://example.org" << "http://example.org";
    QTest::newRow("https kept") << "https://example.org" << "https://example.org";
    QTest::newRow("scheme in capitals kept") << "HTTP://example.org" << "HTTP://example.org";
    QTest::newRow("scheme words later in the text") << "example.org/?to=http://x" << "http://example.org/?to=http://x";
}

void tst_Downloader::withHttpScheme()
{
    QFETCH(QString, text);
    QFETCH(QString, url);
    QCOMPARE(Downloader::withHttpScheme(text), url);
}

void tst_Downloader::replies_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("good reply") << "/good" << QByteArray("build:1.9.0;date:2030-01-15;");
    QTest::newRow("empty reply") << "/empty" << QByteArray();
    QTest::newRow("404 with a body gives nothing") << "/missing" << QByteArray();
}

void tst_Downloader::replies()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    Downloader downloader;
    QVERIFY(!downloader.isFinished());
    // Without a scheme, as the update check's server bases may be written.
    QCOMPARE(downloader.get(m_server->base().mid(7) + path), body);
    QVERIFY(downloader.isFinished());
    QCOMPARE(m_server->requests(), QStringList{path});
}

void tst_Downloader::silentServerIsAborted()
{
    Downloader downloader;
    QTimer::singleShot(200, &downloader, SLOT(slotAbort()));
    QCOMPARE(downloader.get(m_server->base() + "/silent"), QByteArray());
    QVERIFY(downloader.isFinished());

    // A refused connection ends the same way, without a timer.
    const QString refused = "http://127.0.0.1:" + QString::number(LocalHttpServer::refusedPort()) + "/good";
    QCOMPARE(downloader.get(refused), QByteArray());
    // And the downloader is free for the next request.
    QCOMPARE(downloader.get(m_server->base() + "/good").isEmpty(), false);
}

void tst_Downloader::callWhileWaitingSendsNothing()
{
    Downloader downloader;
    QByteArray nested = "not called";
    m_server->onRequest([&](const QString &) {
        if (nested == "not called")
            nested = downloader.get(m_server->base() + "/good");
    });
    QCOMPARE(downloader.get(m_server->base() + "/good"), QByteArray("build:1.9.0;date:2030-01-15;"));
    QCOMPARE(nested, QByteArray());
    QCOMPARE(m_server->requests().count(), 1);
}

void tst_Downloader::percent_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QList<int>>("percents");
    QTest::newRow("half") << qint64(512) << qint64(1024) << QList<int>{50};
    QTest::newRow("truncated") << qint64(1) << qint64(3) << QList<int>{33};
    QTest::newRow("unknown total") << qint64(10) << qint64(-1) << QList<int>{};
    QTest::newRow("empty total") << qint64(0) << qint64(0) << QList<int>{};
}

void tst_Downloader::percent()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(QList<int>, percents);
    Downloader downloader;
    QSignalSpy progress(&downloader, &Downloader::progress);
    QSignalSpy percent(&downloader, &Downloader::progressPercent);
    downloader.slotProgress(received, total);
    QCOMPARE(progress.count(), 1);
    QCOMPARE(progress.first().first().toInt(), int(received));
    QList<int> seen;
    for (const QList<QVariant> &arguments : percent)
        seen.append(arguments.first().toInt());
    QCOMPARE(seen, percents);
}

void tst_Downloader::downloadToFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("written");
    QTest::newRow("good reply replaces the file") << "/good" << true << true;
    QTest::newRow("good reply creates the file") << "/good" << false << true;
    QTest::newRow("404 keeps the old file") << "/missing" << true << false;
    QTest::newRow("404 creates nothing") << "/missing" << false << false;
    QTest::newRow("abort keeps the old file") << "/silent" << true << false;
}

void tst_Downloader::downloadToFile()
{
    QFETCH(QString, path);
    QFETCH(bool, existing);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString target = dir.filePath("target.txt");
    if (existing) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    Downloader downloader;
    QTimer::singleShot(500, &downloader, SLOT(slotAbort()));
    QCOMPARE(downloader.downloadToFile(m_server->base() + path, target), written);
    if (written)
        QCOMPARE(readBytes(target), QByteArray("build:1.9.0;date:2030-01-15;"));
    else if (existing)
        QCOMPARE(readBytes(target), QByteArray("old"));
    else
        QVERIFY(!QFile::exists(target));
}

void tst_Downloader::replyBound_data()
{
    QTest::addColumn<int>("bound");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("read");
    const int bound = 64 * 1024;
    QTest::newRow("reply at the bound") << bound << bound << true;
    QTest::newRow("reply over the bound gives nothing") << bound << bound + 1 << false;
    // As the files downloaded to keep are read.
    QTest::newRow("no bound, a large reply") << -1 << 4 * 1024 * 1024 << true;
}

void tst_Downloader::replyBound()
{
    QFETCH(int, bound);
    QFETCH(int, size);
    QFETCH(bool, read);
    const QByteArray body(size, 'b');
    m_server->answer("/sized", 200, body);
    Downloader downloader;
    downloader.setMaximumSize(bound);
    QTimer::singleShot(20000, &downloader, SLOT(slotAbort()));
    QCOMPARE(downloader.get(m_server->base() + "/sized"), read ? body : QByteArray());
}

// A body of no stated length is read only until it passes the bound, not to the end of the stream.
void tst_Downloader::floodStopsAtTheBound()
{
    FloodServer server;
    QVERIFY(server.listen());
    Downloader downloader;
    downloader.setMaximumSize(64 * 1024);
    QTimer::singleShot(20000, &downloader, SLOT(slotAbort()));
    QCOMPARE(downloader.get(server.url()), QByteArray());
    QTRY_VERIFY_WITH_TIMEOUT(server.hungUpEarly(), HangBoundMs);
}

QTEST_GUILESS_MAIN(tst_Downloader)
#include "tst_Downloader.moc"
