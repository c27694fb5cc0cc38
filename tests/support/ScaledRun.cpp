#include "ScaledRun.h"

#include <QCoreApplication>
#include <QProcess>

ScaledRun runScaled(const QStringList &testFunctions, const QString &factor, int timeoutMs)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), factor);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), testFunctions);
    const bool finished = child.waitForFinished(timeoutMs);
    if (!finished) {
        child.kill();
        child.waitForFinished();
    }
    ScaledRun run;
    run.output = finished ? QString::fromLocal8Bit(child.readAll()) : child.errorString();
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}
