#include "ChildRun.h"

#include <QCoreApplication>
#include <QProcess>

ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &added, int timeoutMilliseconds)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(added);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), testFunctions);
    const bool finished = child.waitForFinished(timeoutMilliseconds);
    ChildRun run;
    if (!finished) {
        child.kill();
        child.waitForFinished();
        run.output = QStringLiteral("no end after %1 ms:\n").arg(timeoutMilliseconds);
    }
    run.output += QString::fromLocal8Bit(child.readAll());
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}
