#include "ChildRow.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {
const char childVariable[] = "TARSEL_CHILD_ROW";
}

bool isChildRow()
{
    return qEnvironmentVariableIsSet(childVariable);
}

ChildRun runChildRow(int timeoutMs)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(childVariable), QStringLiteral("1"));
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + QStringLiteral("hard_rss_limit_mb=2048"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString row = QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char(':')
                        + QString::fromLatin1(QTest::currentDataTag());
    child.start(QCoreApplication::applicationFilePath(), {row});
    const bool finished = child.waitForFinished(timeoutMs);
    ChildRun run;
    if (!finished) {
        child.kill();
        child.waitForFinished();
        run.output = QStringLiteral("The row did not finish within %1 ms:\n").arg(timeoutMs);
    }
    run.output += QString::fromLocal8Bit(child.readAll());
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}
