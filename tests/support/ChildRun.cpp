#include "ChildRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {
const char childVariable[] = "TARSEL_ROW_IN_CHILD";
}

ChildRun runInChild(const QStringList &testFunctions, const QList<QPair<QString, QString>> &environment)
{
    QProcess child;
    QProcessEnvironment childEnvironment = QProcessEnvironment::systemEnvironment();
    for (const auto &variable : environment)
        childEnvironment.insert(variable.first, variable.second);
    child.setProcessEnvironment(childEnvironment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), testFunctions);
    const bool finished = child.waitForFinished(60000);
    if (!finished) {
        child.kill();
        child.waitForFinished();
    }
    ChildRun run;
    run.output = finished ? QString::fromLocal8Bit(child.readAll()) : child.errorString();
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}

bool ranRowInChild()
{
    if (qEnvironmentVariableIsSet(childVariable))
        return false;
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        function += QLatin1Char(':') + QString::fromUtf8(QTest::currentDataTag());
    const ChildRun run = runInChild({function}, {{QString::fromLatin1(childVariable), QStringLiteral("1")}});
    if (!run.passed)
        QTest::qFail(qPrintable(QStringLiteral("the row failed in a process of its own:\n") + run.output), __FILE__,
                     __LINE__);
    return true;
}
