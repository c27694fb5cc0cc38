#include "XvfbRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

XvfbRun runUnderXvfb(const QStringList &testFunctions, const QString &screen)
{
    XvfbRun run;
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty())
        return run;
    run.started = true;

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("TARSEL_EXPECT_PLATFORM"), QStringLiteral("xcb"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfbRun, QStringList{QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 ") + screen,
                                     QCoreApplication::applicationFilePath()}
                             + testFunctions);
    // A drag that waits for a real mouse release would hang the child: it is given a minute.
    const bool finished = child.waitForFinished(60000);
    if (!finished) {
        child.kill();
        child.waitForFinished();
    }
    run.output = QString::fromLocal8Bit(child.readAll());
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}
