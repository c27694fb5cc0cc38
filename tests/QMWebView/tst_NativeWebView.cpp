#include "HangBound.h"
#include "QMWebView/CustomWebView.h"
#include "QMWebView/NativeWebView.h"
#include "QMWebView/NativeWebViewInternal.h"
#include "QMWebView/WebViewInQt.h"

#include "Platform/web/WebBrowserControl.h"

#include "WebTestMain.h"

#include <QLayout>
#include <QTcpServer>
#include <QTcpSocket>

#include <unistd.h>

using QMWebView::NativeWebView;

// Answers every request on 127.0.0.1 with one small page.
class LoopbackServer : public QTcpServer
{
public:
    LoopbackServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    const QByteArray body = "<html><head><title>Loopback</title></head><body>served</body></html>";
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: "
                                  + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};

class tst_NativeWebView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loads_data();
    void loads();
    void loadsInARowStartOnceEach();
    void resizingFillsTheFrame();
    void relaysTheFrameSignals();
    void rootWithSandboxStartsNoBrowser();

private:
    LoopbackServer m_server;
    QTemporaryDir m_files;
};

void tst_NativeWebView::initTestCase()
{
    QVERIFY(m_server.listen(QHostAddress::LocalHost));
    QFile page(m_files.filePath("page.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>File</title></head><body>local</body></html>");
}

void tst_NativeWebView::loads_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<bool>("ok");
    QTest::newRow("loopback HTTP page") << QUrl(QString("http://127.0.0.1:%1/page").arg(m_server.serverPort())) << true;
    QTest::newRow("local file")         << QUrl::fromLocalFile(m_files.filePath("page.html")) << true;
    // A port that was open a moment ago and is closed now refuses the connection.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();
    QTest::newRow("refused port")       << QUrl(QString("http://127.0.0.1:%1/").arg(port)) << false;
    QTest::newRow("not a URL")          << QUrl("no scheme") << false;
}

void tst_NativeWebView::loads()
{
    QFETCH(QUrl, url);
    QFETCH(bool, ok);
    NativeWebView view;
    view.resize(320, 240);
    view.show();
    QSignalSpy started(&view, &NativeWebView::loadStarted);
    QSignalSpy finished(&view, &NativeWebView::loadFinished);
    QSignalSpy addresses(&view, &NativeWebView::urlChanged);

    view.load(url);
    QCOMPARE(started.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, HangBoundMs);
    QCOMPARE(finished.first().first().toBool(), ok);
    QCOMPARE(started.count(), 1); // the browser's own start of this load is not announced again
    if (ok) {
        QVERIFY(!addresses.isEmpty());
        QCOMPARE(addresses.last().first().toString(), url.toString());
    }
}

// Loads that fail before they reach the browser report their outcome later, from the event loop:
// a second load() comes before the first one's start is heard.
void tst_NativeWebView::loadsInARowStartOnceEach()
{
    NativeWebView view;
    QSignalSpy started(&view, &NativeWebView::loadStarted);
    QSignalSpy finished(&view, &NativeWebView::loadFinished);
    view.load(QUrl("no scheme"));
    view.load(QUrl("no scheme either"));
    QCOMPARE(started.count(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, HangBoundMs);
    QCOMPARE(started.count(), 2);
    // A start the page makes itself, as when a link is followed, is still announced.
    view.internal()->frame()->emitLoadStart("http://a/", "A");
    QCOMPARE(started.count(), 3);
}

void tst_NativeWebView::resizingFillsTheFrame()
{
    NativeWebView view;
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QMWebView::NativeWebViewInternal *label = view.internal();
    QMWebView::WebViewInQt *frame = label->frame();
    CustomWebView *host = frame->view();

    for (const QSize &size : {QSize(300, 200), QSize(640, 480), QSize(180, 120)}) {
        view.resize(size);
        QTRY_COMPARE_WITH_TIMEOUT(label->size(), size, HangBoundMs); // no margins around the label
        QTRY_COMPARE_WITH_TIMEOUT(frame->geometry(), QRect(QPoint(0, 0), size), HangBoundMs);
        // The frame's layout gives the host the frame less its margins, and the control fills the host.
        const QMargins margins = frame->layout()->contentsMargins();
        QTRY_COMPARE_WITH_TIMEOUT(host->geometry(), frame->rect().marginsRemoved(margins), HangBoundMs);
        QTRY_COMPARE_WITH_TIMEOUT(host->controlWidget()->geometry(), host->rect(), HangBoundMs);
    }
}

void tst_NativeWebView::relaysTheFrameSignals()
{
    NativeWebView view;
    QMWebView::WebViewInQt *frame = view.internal()->frame();
    QSignalSpy labelStarts(view.internal(), &QMWebView::NativeWebViewInternal::loadStart);
    QSignalSpy started(&view, &NativeWebView::loadStarted);
    QSignalSpy finished(&view, &NativeWebView::loadFinished);
    QSignalSpy addresses(&view, &NativeWebView::urlChanged);

    frame->emitLoadStart("http://a/", "A");
    QCOMPARE(labelStarts.count(), 1);
    QCOMPARE(labelStarts.first(), (QVariantList{"http://a/", "A"}));
    QCOMPARE(started.count(), 1); // a start that load() did not announce, such as a followed link
    frame->emitUrlChanged("http://b/");
    QCOMPARE(addresses.count(), 1);
    QCOMPARE(addresses.first().first().toString(), QString("http://b/"));
    frame->emitLoadFinish("http://b/", "B");
    frame->emitLoadError();
    QCOMPARE(finished.count(), 2);
    QCOMPARE(finished.at(0).first().toBool(), true);
    QCOMPARE(finished.at(1).first().toBool(), false);
}

void tst_NativeWebView::rootWithSandboxStartsNoBrowser()
{
    if (geteuid() != 0)
        QSKIP("only root runs Chromium's sandbox check");
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no browser started"));
    NativeWebView view;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);

    auto *control = qobject_cast<Platform::WebBrowserControl *>(view.internal()->frame()->view()->controlWidget());
    QVERIFY(control);
    QVERIFY(!control->view());
    QSignalSpy started(&view, &NativeWebView::loadStarted);
    QSignalSpy finished(&view, &NativeWebView::loadFinished);
    view.load(QUrl(QString("http://127.0.0.1:%1/").arg(m_server.serverPort())));
    QVERIFY(finished.wait(HangBoundMs));
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(started.count(), 1);
}

TARSEL_WEB_TEST_MAIN(tst_NativeWebView)
#include "tst_NativeWebView.moc"
