#include "ChildRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

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

bool isRowChild()
{
    static const char rowChild[] = "TARSEL_ROW_CHILD";
    if (qEnvironmentVariableIsSet(rowChild))
        return true;
    QProcessEnvironment child;
    child.insert(QLatin1String(rowChild), QStringLiteral("1"));
    QString row = QLatin1String(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        row += QLatin1Char(':') + QLatin1String(QTest::currentDataTag());
    const ChildRun run = runInChild({row}, child, 60000);
    [&] { QVERIFY2(run.passed, qPrintable(run.output)); }();
    return false;
}
