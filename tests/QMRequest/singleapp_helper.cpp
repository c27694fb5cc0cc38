// A second process for the guard's tests.
// "send KEY": as a later instance, passes a message with a NUL and a long one to the first; exit code 0
//   when both went out.
// "send-sized KEY COUNT": as a later instance, passes a message of COUNT letters; 0 when it went out,
//   4 when refused.
// "hold KEY": becomes the first instance, prints "ready" and waits to be killed.
// "raw KEY COUNT": as a client of its own, writes COUNT - 1 letters and the closing NUL, then hangs up.
// "dribble KEY": as a client of its own, prints "connected" and writes a letter every 300 ms; exit code 0
//   once the first instance hangs up, 5 when it still listens after 8 s.
// "race KEY": prints "ready", waits for a line on standard input, makes a guard, prints "first" or
//   "second" and keeps the guard until standard input ends.
#include "QMRequest/SingleAppCheck.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTimer>

#include <cstdio>

namespace {

int dribble(QCoreApplication &app, const QString &key)
{
    QLocalSocket socket;
    socket.connectToServer(QMRequest::SingleAppCheck::serverName(key), QIODevice::WriteOnly);
    if (!socket.waitForConnected(5000))
        return 2;
    std::printf("connected\n");
    std::fflush(stdout);
    QObject::connect(&socket, &QLocalSocket::disconnected, &app, [&app] { app.exit(0); });
    QTimer letters;
    QObject::connect(&letters, &QTimer::timeout, &socket, [&socket] { socket.write("x"); });
    letters.start(300);
    QTimer::singleShot(8000, &app, [&app] { app.exit(5); });
    return app.exec();
}

int writeRaw(const QString &key, int count)
{
    QLocalSocket socket;
    socket.connectToServer(QMRequest::SingleAppCheck::serverName(key), QIODevice::WriteOnly);
    if (!socket.waitForConnected(5000))
        return 2;
    socket.write(QByteArray(count - 1, 'x') + '\0');
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(5000)) {
    }
    socket.disconnectFromServer();
    return 0;
}

int race(const QString &key)
{
    std::printf("ready\n");
    std::fflush(stdout);
    char line[64];
    if (!std::fgets(line, sizeof line, stdin))
        return 2;
    QMRequest::SingleAppCheck guard(key);
    std::printf(guard.isRunning() ? "second\n" : "first\n");
    std::fflush(stdout);
    while (std::fgets(line, sizeof line, stdin)) {
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString mode = args.at(1);
    const QString key = args.at(2);
    if (mode == QLatin1String("dribble"))
        return dribble(app, key);
    if (mode == QLatin1String("raw"))
        return writeRaw(key, args.value(3).toInt());
    if (mode == QLatin1String("race"))
        return race(key);
    QMRequest::SingleAppCheck guard(key);
    if (mode == QLatin1String("send")) {
        if (!guard.isRunning())
            return 3;
        const QString withNul = QStringLiteral("before") + QChar(0) + QStringLiteral("after");
        const QString longText(300000, QLatin1Char('x'));
        return guard.sendMessage(withNul) && guard.sendMessage(longText) ? 0 : 4;
    }
    if (mode == QLatin1String("send-sized")) {
        if (!guard.isRunning())
            return 3;
        return guard.sendMessage(QString(args.value(3).toInt(), QLatin1Char('x'))) ? 0 : 4;
    }
    if (mode == QLatin1String("hold")) {
        if (guard.isRunning())
            return 3;
        std::printf("ready\n");
        std::fflush(stdout);
        return app.exec();
    }
    return 2;
}
