#include "QMRequest/SingleAppCheck.h"

#include "HangBound.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using QMRequest::SingleAppCheck;

namespace {

// The most bytes a message may take on the way, its closing NUL included.
const int MessageBound = 1024 * 1024;

QString freshKey()
{
    return QStringLiteral("tarsel-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Reads the process's output into *output until it holds the word or the process ends.
void waitForWord(QProcess &process, QByteArray *output, const QByteArray &word)
{
    QTRY_VERIFY_WITH_TIMEOUT((*output += process.readAllStandardOutput()).contains(word)
                                 || process.state() == QProcess::NotRunning,
                             20000);
}

// Writes the bytes to the first instance of the key as a client of its own would, then hangs up.
void writeRaw(const QString &key, const QByteArray &bytes)
{
    QLocalSocket socket;
    socket.connectToServer(SingleAppCheck::serverName(key), QIODevice::WriteOnly);
    QVERIFY2(socket.waitForConnected(5000), qPrintable(socket.errorString()));
    socket.write(bytes);
    while (socket.bytesToWrite() > 0)
        QVERIFY2(socket.waitForBytesWritten(5000), qPrintable(socket.errorString()));
    socket.disconnectFromServer();
}

} // namespace

class tst_SingleAppCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QProcess::ExitStatus>(); }
    void secondGuardInThisProcess();
    void messagesFromAnotherProcess();
    void killedFirstInstanceDoesNotBlock_data();
    void killedFirstInstanceDoesNotBlock();
    void fileNamedByTheKeyStays_data();
    void fileNamedByTheKeyStays();
    void onlyWholeMessagesArrive_data();
    void onlyWholeMessagesArrive();
    void decodeMessage_data();
    void decodeMessage();
    void messageBound_data();
    void messageBound();
    void slowClientDelaysNoOther();
    void racingStartsElectOne();
    void keyOfAnyLength_data();
    void keyOfAnyLength();
    void unusableSocketFolderIsLeftAlone_data();
    void unusableSocketFolderIsLeftAlone();

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
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, HangBoundMs);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("héllo"));
}

void tst_SingleAppCheck::expectMessagesFromHelper(SingleAppCheck &first, const QString &key)
{
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    QProcess helper;
    QSignalSpy finished(&helper, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    helper.start(QStringLiteral(SINGLEAPP_HELPER), {QStringLiteral("send"), key});
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, HangBoundMs);
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, HangBoundMs);
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

void tst_SingleAppCheck::killedFirstInstanceDoesNotBlock_data()
{
    QTest::addColumn<bool>("laterOutlivesIt");
    QTest::newRow("later instance gone first") << false;
    // A later instance that stayed attached kept the segment alive and every further start "second".
    QTest::newRow("later instance still running") << true;
}

void tst_SingleAppCheck::killedFirstInstanceDoesNotBlock()
{
    QFETCH(bool, laterOutlivesIt);
    const QString key = freshKey();
    QProcess holder;
    holder.start(QStringLiteral(SINGLEAPP_HELPER), {QStringLiteral("hold"), key});
    QVERIFY(holder.waitForStarted());
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += holder.readAllStandardOutput()).contains("ready")
                                 || holder.state() != QProcess::Running,
                             20000);
    QCOMPARE(holder.state(), QProcess::Running);
    auto later = std::make_unique<SingleAppCheck>(key);
    QVERIFY(later->isRunning());
    if (!laterOutlivesIt)
        later.reset();
    holder.kill();
    QVERIFY(holder.waitForFinished());
    QCOMPARE(holder.exitStatus(), QProcess::CrashExit);

    SingleAppCheck first(key);
    QVERIFY(!first.isRunning());
    expectMessagesFromHelper(first, key);
}

void tst_SingleAppCheck::fileNamedByTheKeyStays_data()
{
    QTest::addColumn<bool>("absolute");
    QTest::newRow("key naming a file by its path") << true;
    QTest::newRow("file of the key's name in the temporary folder") << false;
}

// The first instance removed whatever file its key named before listening.
void tst_SingleAppCheck::fileNamedByTheKeyStays()
{
    QFETCH(bool, absolute);
    QTemporaryDir dir;
    const QString key = absolute ? dir.filePath(QStringLiteral("notes.txt")) : freshKey();
    const QString path = absolute ? key : QDir::temp().filePath(key);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("keep me");
    file.close();

    {
        SingleAppCheck first(key);
        QVERIFY(!first.isRunning());
        QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
        SingleAppCheck second(key);
        QVERIFY(second.sendMessage(QStringLiteral("still works")));
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, HangBoundMs);
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep me"));
    file.remove();
}

void tst_SingleAppCheck::onlyWholeMessagesArrive_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("arrived");
    QTest::newRow("whole") << QByteArray("open a.js\0", 10) << QStringList{QStringLiteral("open a.js")};
    QTest::newRow("empty message") << QByteArray("\0", 1) << QStringList{QString()};
    QTest::newRow("up to the first NUL") << QByteArray("ab\0cd\0", 6) << QStringList{QStringLiteral("ab")};
    // The sender gave up before the end: what came is no message.
    QTest::newRow("cut short") << QByteArray("open a.j") << QStringList();
    QTest::newRow("nothing") << QByteArray() << QStringList();
}

void tst_SingleAppCheck::onlyWholeMessagesArrive()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, arrived);
    const QString key = freshKey();
    SingleAppCheck first(key);
    QVERIFY(!first.isRunning());
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    writeRaw(key, bytes);
    // A whole message after it shows that the first connection has been dealt with.
    writeRaw(key, SingleAppCheck::encodeMessage(QStringLiteral("last")));
    QTRY_VERIFY_WITH_TIMEOUT(!received.isEmpty() && received.last().at(0).toString() == QLatin1String("last"),
        HangBoundMs);
    QStringList texts;
    for (const QList<QVariant> &signal : qAsConst(received))
        texts << signal.at(0).toString();
    QCOMPARE(texts, arrived + QStringList{QStringLiteral("last")});
}

void tst_SingleAppCheck::decodeMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty message") << QByteArray("\0", 1) << true << QString();
    QTest::newRow("plain") << QByteArray("open /tmp/a.js\0", 15) << true << QStringLiteral("open /tmp/a.js");
    QTest::newRow("utf8") << QByteArray("gr\xc3\xbc\xc3\x9f\0", 7) << true << QStringLiteral("grüß");
    QTest::newRow("cut at NUL") << QByteArray("ab\0cd\0", 6) << true << QStringLiteral("ab");
    QTest::newRow("leading NUL") << QByteArray("\0cd\0", 4) << true << QString();
    QTest::newRow("no bytes") << QByteArray() << false << QString();
    QTest::newRow("without closing NUL") << QByteArray("ab\0cd", 5) << false << QString();
}

void tst_SingleAppCheck::decodeMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QFETCH(QString, text);
    QString decoded;
    QCOMPARE(SingleAppCheck::decodeMessage(bytes, &decoded), whole);
    QCOMPARE(decoded, text);
}

void tst_SingleAppCheck::messageBound_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("arrives");
    QTest::newRow("client's message at the bound arrives") << "raw" << MessageBound << 0 << true;
    // A client that kept sending drove the first instance to gigabytes.
    QTest::newRow("client's message over the bound is dropped") << "raw" << MessageBound + 1 << 0 << false;
    // The letters and the closing NUL.
    QTest::newRow("sender passes a message at the bound") << "send-sized" << MessageBound - 1 << 0 << true;
    QTest::newRow("sender refuses a message over the bound") << "send-sized" << MessageBound << 4 << false;
}

void tst_SingleAppCheck::messageBound()
{
    QFETCH(QString, mode);
    QFETCH(int, bytes);
    QFETCH(int, exitCode);
    QFETCH(bool, arrives);
    const QString key = freshKey();
    SingleAppCheck first(key);
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    QProcess helper;
    QSignalSpy finished(&helper, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    helper.start(QStringLiteral(SINGLEAPP_HELPER), {mode, key, QString::number(bytes)});
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, HangBoundMs);
    QCOMPARE(helper.exitCode(), exitCode);
    writeRaw(key, SingleAppCheck::encodeMessage(QStringLiteral("last")));
    QTRY_VERIFY_WITH_TIMEOUT(!received.isEmpty() && received.last().at(0).toString() == QLatin1String("last"),
        HangBoundMs);
    QCOMPARE(received.count(), arrives ? 2 : 1);
    if (arrives)
        QCOMPARE(received.at(0).at(0).toString().size(), mode == QLatin1String("raw") ? bytes - 1 : bytes);
}

// The first instance read a client's message on the GUI thread, waiting anew at every byte: a client that
// kept sending froze it and held back every other message.
void tst_SingleAppCheck::slowClientDelaysNoOther()
{
    const QString key = freshKey();
    SingleAppCheck first(key);
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    QProcess dribbler;
    QSignalSpy finished(&dribbler, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    dribbler.start(QStringLiteral(SINGLEAPP_HELPER), {QStringLiteral("dribble"), key});
    // Waited for without an event loop, so that this instance takes the slow connection only with the next.
    QVERIFY(dribbler.waitForReadyRead(20000));
    QCOMPARE(dribbler.readLine(), QByteArray("connected\n"));

    // The message comes while the slow client still holds its connection, not once it is hung up on.
    bool slowClientConnected = false;
    connect(&first, &SingleAppCheck::messageAvailable, &dribbler,
            [&] { slowClientConnected = dribbler.state() == QProcess::Running && finished.isEmpty(); });
    SingleAppCheck second(key);
    QVERIFY(second.isRunning());
    QVERIFY(second.sendMessage(QStringLiteral("open b.js")));
    QVERIFY(received.wait(HangBoundMs));
    QVERIFY(slowClientConnected);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("open b.js"));

    // The slow client is hung up on within a few seconds, having passed no message.
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, HangBoundMs);
    QCOMPARE(dribbler.exitCode(), 0);
    QCOMPARE(received.count(), 1);
}

// Four starts in the same moment: in half of the rounds two of them took themselves for the first.
void tst_SingleAppCheck::racingStartsElectOne()
{
    const int rounds = 10;
    const int racerCount = 4;
    for (int round = 0; round < rounds; ++round) {
        const QString key = freshKey();
        std::vector<std::unique_ptr<QProcess>> racers;
        std::vector<QByteArray> outputs(racerCount);
        for (int i = 0; i < racerCount; ++i) {
            racers.push_back(std::make_unique<QProcess>());
            racers.back()->start(QStringLiteral(SINGLEAPP_HELPER), {QStringLiteral("race"), key});
        }
        for (int i = 0; i < racerCount; ++i) {
            waitForWord(*racers[i], &outputs[i], "ready");
            QVERIFY2(outputs[i] == "ready\n", outputs[i].constData());
            outputs[i].clear();
        }
        for (const auto &racer : racers)
            racer->write("go\n");
        int firsts = 0;
        for (int i = 0; i < racerCount; ++i) {
            QByteArray &said = outputs[i];
            waitForWord(*racers[i], &said, "\n");
            QVERIFY2(said == "first\n" || said == "second\n", said.constData());
            firsts += said == "first\n" ? 1 : 0;
        }
        QVERIFY2(firsts == 1, qPrintable(QStringLiteral("round %1: %2 firsts").arg(round).arg(firsts)));
        for (const auto &racer : racers) {
            racer->closeWriteChannel();
            QVERIFY(racer->waitForFinished(20000));
            QCOMPARE(racer->exitCode(), 0);
        }
    }
}

void tst_SingleAppCheck::keyOfAnyLength_data()
{
    QTest::addColumn<QString>("key");
    // The segment's key file was named after the key's letters: from about 197 on, no such file could be
    // made and every instance took itself for the first.
    QTest::newRow("200 letters") << QString(200, QLatin1Char('k'));
    QTest::newRow("10,000 letters") << QString(10000, QLatin1Char('k'));
}

void tst_SingleAppCheck::keyOfAnyLength()
{
    QFETCH(QString, key);
    key += freshKey();
    SingleAppCheck first(key);
    QVERIFY(!first.isRunning());
    QSignalSpy received(&first, &SingleAppCheck::messageAvailable);
    {
        SingleAppCheck second(key);
        QVERIFY(second.isRunning());
        QVERIFY(second.sendMessage(QStringLiteral("open c.js")));
    }
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, HangBoundMs);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("open c.js"));
}

void tst_SingleAppCheck::unusableSocketFolderIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("symbolic link to another folder") << "link";
    QTest::newRow("folder of another user") << "owner";
    QTest::newRow("folder others may write to") << "open";
}

// The guard followed a symbolic link in place of its folder, set the folder it led to to mode 700 and made its
// socket there. Such a folder is unusable: the guard runs without socket, as without a runtime folder, and
// leaves the folder as it was.
void tst_SingleAppCheck::unusableSocketFolderIsLeftAlone()
{
    QFETCH(QString, kind);
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/qmrequest-single-instance";
    struct Restore
    {
        QString folder;
        ~Restore()
        {
            QFile::remove(folder);
            QDir(folder).removeRecursively();
        }
    } restore{folder};
    QFile::remove(folder);
    QDir(folder).removeRecursively();
    QTemporaryDir elsewhere;
    const QString target = kind == "link" ? elsewhere.path() : folder;
    if (kind == "link")
        QVERIFY(QFile::link(elsewhere.path(), folder));
    else
        QVERIFY(QDir().mkdir(folder));
    const mode_t mode = kind == "open" ? 0777 : 0755;
    QVERIFY(::chmod(QFile::encodeName(target).constData(), mode) == 0);
    if (kind == "owner" && ::chown(QFile::encodeName(folder).constData(), 65534, 65534) != 0)
        QSKIP("Only root can give the folder to another user");

    const QString key = freshKey();
    {
        SingleAppCheck first(key);
        QVERIFY(!first.isRunning());
        SingleAppCheck second(key);
        QVERIFY(second.isRunning());
        QVERIFY(!second.sendMessage(QStringLiteral("to nobody")));
    }
    struct stat status;
    QVERIFY(::stat(QFile::encodeName(target).constData(), &status) == 0);
    QCOMPARE(status.st_mode & 07777, mode);
    QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_GUILESS_MAIN(tst_SingleAppCheck)
#include "tst_SingleAppCheck.moc"
