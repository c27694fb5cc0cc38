#include "ChildRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {
const char s_childVariable[] = "TARSEL_ROW_IN_CHILD";
}

ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &added, int timeoutMilliseconds)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(added);
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + QStringLiteral("hard_rss_limit_mb=2048"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), testFunctions);
    const bool finished = child.waitForFinished(timeoutMilliseconds);
    ChildRun run;
    if (!finished) {
        child.kill();
        child.waitForFinished();
        run.output = QStringLiteral("The child did not finish within %1 ms:\n").arg(timeoutMilliseconds);
    }
    run.output += QString::fromLocal8Bit(child.readAll());
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}

bool isChildRun()
{
    return qEnvironmentVariableIsSet(s_childVariable);
}

bool ranRowInChild(int timeoutMilliseconds, const QProcessEnvironment &added)
{
    if (isChildRun())
        return false;
    QString row = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        row += QLatin1Char(':') + QString::fromUtf8(QTest::currentDataTag());
    QProcessEnvironment child = added;
    child.insert(QLatin1String(s_childVariable), QStringLiteral("1"));
    const ChildRun run = runInChild({row}, child, timeoutMilliseconds);
    // A row the child skipped shows as skipped here too, not as passed.
    const int skipped = run.output.indexOf(QLatin1String("\nSKIP   : "));
    if (run.passed && skipped >= 0) {
        // The line goes "SKIP   : class::function(row) reason".
        const int lineEnd = run.output.indexOf(QLatin1Char('\n'), skipped + 1);
        const QString line = run.output.mid(skipped + 1, lineEnd - skipped - 1);
        const QString tagEnd = QString::fromUtf8(QTest::currentDataTag()) + QStringLiteral(") ");
        const int reason = line.indexOf(tagEnd);
        QTest::qSkip(qPrintable(reason >= 0 ? line.mid(reason + tagEnd.size()) : line), __FILE__, __LINE__);
        return true;
    }
    if (!run.passed)
        QTest::qFail(qPrintable(QStringLiteral("the row failed in a process of its own:\n") + run.output), __FILE__,
                     __LINE__);
    return true;
}
