#include "ChildRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

namespace {
const char s_childRunVariable[] = "TARSEL_CHILD_RUN";
}

ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &environment,
                    int timeoutMilliseconds)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), testFunctions);
    const bool finished = child.waitForFinished(timeoutMilliseconds);
    if (!finished) {
        child.kill();
        child.waitForFinished();
    }
    ChildRun run;
    run.output = QString::fromLocal8Bit(child.readAll());
    if (!finished)
        run.output += QStringLiteral("\n[the child was killed after %1 ms]").arg(timeoutMilliseconds);
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}

ChildRun runInChild(const QStringList &testFunctions, int timeoutMilliseconds)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(s_childRunVariable), QStringLiteral("1"));
    return runInChild(testFunctions, environment, timeoutMilliseconds);
}

bool isChildRun()
{
    return qEnvironmentVariableIsSet(s_childRunVariable);
}

ChildRun runCurrentRowInChild(int timeoutMilliseconds)
{
    return runInChild({QLatin1String(QTest::currentTestFunction()) + QLatin1Char(':')
                           + QLatin1String(QTest::currentDataTag())},
                      timeoutMilliseconds);
}
