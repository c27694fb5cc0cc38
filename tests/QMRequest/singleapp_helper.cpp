// A second process for the guard's tests. "send KEY": as a later instance, passes a message with a NUL
// and a long one to the first, exit code 0 when both went out. "hold KEY": becomes the first instance,
// prints "ready" and waits to be killed.
#include "QMRequest/SingleAppCheck.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    QMRequest::SingleAppCheck guard(args.at(2));
    if (args.at(1) == QLatin1String("send")) {
        if (!guard.isRunning())
            return 3;
        const QString withNul = QStringLiteral("before") + QChar(0) + QStringLiteral("after");
        const QString longText(300000, QLatin1Char('x'));
        return guard.sendMessage(withNul) && guard.sendMessage(longText) ? 0 : 4;
    }
    if (args.at(1) == QLatin1String("hold")) {
        if (guard.isRunning())
            return 3;
        std::printf("ready\n");
        std::fflush(stdout);
        return app.exec();
    }
    return 2;
}
