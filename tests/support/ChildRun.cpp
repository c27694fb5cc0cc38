#include "ChildRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {
const char s_childVariable[] = "TARSEL_ROW_IN_CHILD";
// In a shared child: the row from which it runs the function's rows; those before it were known already.
const char s_fromRowVariable[] = "TARSEL_ROWS_FROM";

QProcessEnvironment childEnvironment(const QProcessEnvironment &added)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(added);
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + QStringLiteral("hard_rss_limit_mb=2048"));
    return environment;
}

// Kills the child and says so in its output.
void endHung(QProcess &child, ChildRun &run, const QString &why)
{
    child.kill();
    child.waitForFinished();
    run.output = why;
}

QString currentRowName()
{
    QString row = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        row += QLatin1Char(':') + QString::fromUtf8(QTest::currentDataTag());
    return row;
}

// Reports the child's verdict as the current row's: a skip as a skip, a failure with the child's output.
bool reportChildVerdict(const ChildRun &run)
{
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

// The report of the last shared child: its lines, and the function it ran. Empty once a row it left without a
// verdict has run alone, so that the next row starts a fresh one.
struct SharedChild
{
    QString function;
    QStringList lines;
};

SharedChild &sharedChild()
{
    static SharedChild child;
    return child;
}

// Runs the current function's rows from the current row on in one child; a child that prints nothing for the
// given time is ended as hung.
void startSharedChild(int timeoutMilliseconds, const QProcessEnvironment &added)
{
    QProcessEnvironment environment = childEnvironment(added);
    environment.insert(QLatin1String(s_childVariable), QStringLiteral("1"));
    environment.insert(QLatin1String(s_fromRowVariable), QString::fromUtf8(QTest::currentDataTag()));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(QTest::currentTestFunction())});
    QByteArray output;
    while (child.state() != QProcess::NotRunning) {
        if (!child.waitForReadyRead(timeoutMilliseconds) && child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished();
        }
        output += child.readAll();
    }
    output += child.readAll();
    SharedChild &shared = sharedChild();
    shared.function = QString::fromLatin1(QTest::currentTestFunction());
    shared.lines = QString::fromLocal8Bit(output).split(QLatin1Char('\n'));
}

enum class Verdict { Unknown, Passed, Skipped };

// The current row's verdict in the shared child's report, with a skip's reason. Test output lines go
// "PASS   : class::function(row)" and "SKIP   : class::function(row) reason".
Verdict sharedVerdict(QString *reason)
{
    const QString row = QStringLiteral("::") + QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('(')
                        + QString::fromUtf8(QTest::currentDataTag()) + QLatin1Char(')');
    for (const QString &line : qAsConst(sharedChild().lines)) {
        if (line.startsWith(QLatin1String("PASS   : ")) && line.endsWith(row))
            return Verdict::Passed;
        const int skipped = line.startsWith(QLatin1String("SKIP   : ")) ? line.indexOf(row + QLatin1Char(' ')) : -1;
        if (skipped >= 0) {
            *reason = line.mid(skipped + row.size() + 1);
            return Verdict::Skipped;
        }
    }
    return Verdict::Unknown;
}
} // namespace

ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &added, int timeoutMilliseconds)
{
    QProcess child;
    child.setProcessEnvironment(childEnvironment(added));
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), testFunctions);
    const bool finished = child.waitForFinished(timeoutMilliseconds);
    ChildRun run;
    if (!finished)
        endHung(child, run, QStringLiteral("The child did not finish within %1 ms:\n").arg(timeoutMilliseconds));
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
    QProcessEnvironment child = added;
    child.insert(QLatin1String(s_childVariable), QStringLiteral("1"));
    return reportChildVerdict(runInChild({currentRowName()}, child, timeoutMilliseconds));
}

bool ranRowInSharedChild(int timeoutMilliseconds, const QProcessEnvironment &added)
{
    if (isChildRun()) {
        // Rows before the one the child was started for are known already: they pass here untouched.
        static bool reached = !qEnvironmentVariableIsSet(s_fromRowVariable);
        if (!reached)
            reached = QString::fromUtf8(QTest::currentDataTag()) == qEnvironmentVariable(s_fromRowVariable);
        return !reached;
    }
    SharedChild &shared = sharedChild();
    if (shared.function != QLatin1String(QTest::currentTestFunction()))
        startSharedChild(timeoutMilliseconds, added);
    QString reason;
    switch (sharedVerdict(&reason)) {
    case Verdict::Passed:
        return true;
    case Verdict::Skipped:
        QTest::qSkip(qPrintable(reason), __FILE__, __LINE__);
        return true;
    case Verdict::Unknown:
        break;
    }
    // Failed, or the shared child ended or hung at this row: the row's own process gives its own verdict and
    // output, and the rows after it get a fresh shared child.
    shared = SharedChild();
    return ranRowInChild(timeoutMilliseconds, added);
}
