#include "QMRequest/Downloader.h"
#include "LocalHttpServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
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

QTEST_GUILESS_MAIN(tst_Downloader)
#include "tst_Downloader.moc"
