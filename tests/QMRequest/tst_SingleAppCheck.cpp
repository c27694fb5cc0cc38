#include "QMRequest/SingleAppCheck.h"

#include <QProcess>
#include <QSignalSpy>
#include <QUuid>
#include <QtTest>

using QMRequest::SingleAppCheck;

namespace {

QString freshKey()
{
    return QStringLiteral("tarsel-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

class tst_SingleAppCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QProcess::ExitStatus>(); }
    void secondGuardInThisProcess();
    void messagesFromAnotherProcess();
    void killedFirstInstanceDoesNotBlock();
    void decodeMessage_data();
    void decodeMessage();

private:
    void expectMessagesFromHelper(SingleAppCheck &first, const QString &key);
};

void tst_SingleAppCheck::secondGuardInThisProcess()
{
    const QString key = freshKey();
    SingleAppCheck first(key);
    QVERIFY(!first.isRunning());
    QVERIFY(!first.sendMessage(QStringLiteral("to nobody")));
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    {
        SingleAppCheck second(key);
        QVERIFY(second.isRunning());
        // Within one process the receiver only runs once the event loop does; the small message fits the buffer.
        QVERIFY(second.sendMessage(QStringLiteral("héllo")));
    }
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("héllo"));
}

void tst_SingleAppCheck::expectMessagesFromHelper(SingleAppCheck &first, const QString &key)
{
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    QProcess helper;
    QSignalSpy finished(&helper, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    helper.start(QStringLiteral(SINGLEAPP_HELPER), {QStringLiteral("send"), key});
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
    QTRY_COMPARE(received.count(), 2);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("before"));
    QCOMPARE(received.at(1).at(0).toString(), QString(300000, QLatin1Char('x')));
}

void tst_SingleAppCheck::messagesFromAnotherProcess()
{
    const QString key = freshKey();
    SingleAppCheck first(key);
    QVERIFY(!first.isRunning());
    expectMessagesFromHelper(first, key);
}

void tst_SingleAppCheck::killedFirstInstanceDoesNotBlock()
{
    const QString key = freshKey();
    QProcess holder;
    holder.start(QStringLiteral(SINGLEAPP_HELPER), {QStringLiteral("hold"), key});
    QVERIFY(holder.waitForStarted());
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += holder.readAllStandardOutput()).contains("ready")
                                 || holder.state() != QProcess::Running,
                             20000);
    QCOMPARE(holder.state(), QProcess::Running);
    {
        SingleAppCheck later(key);
        QVERIFY(later.isRunning());
    }
    holder.kill();
    QVERIFY(holder.waitForFinished());
    QCOMPARE(holder.exitStatus(), QProcess::CrashExit);

    SingleAppCheck first(key);
    QVERIFY(!first.isRunning());
    expectMessagesFromHelper(first, key);
}

void tst_SingleAppCheck::decodeMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("plain") << QByteArray("open /tmp/a.js") << QStringLiteral("open /tmp/a.js");
    QTest::newRow("utf8") << QByteArray("gr\xc3\xbc\xc3\x9f") << QStringLiteral("grüß");
    QTest::newRow("cut at NUL") << QByteArray("ab\0cd", 5) << QStringLiteral("ab");
    QTest::newRow("leading NUL") << QByteArray("\0cd", 3) << QString();
}

void tst_SingleAppCheck::decodeMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(SingleAppCheck::decodeMessage(bytes), text);
}

QTEST_GUILESS_MAIN(tst_SingleAppCheck)
#include "tst_SingleAppCheck.moc"
