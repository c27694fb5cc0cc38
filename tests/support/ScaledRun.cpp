#include "ScaledRun.h"

#include "ChildRun.h"

ScaledRun runScaled(const QStringList &testFunctions, const QString &factor, int timeoutMs)
{
    QProcessEnvironment scaled;
    scaled.insert(QStringLiteral("QT_SCALE_FACTOR"), factor);
    const ChildRun child = runInChild(testFunctions, scaled, timeoutMs);
    ScaledRun run;
    run.passed = child.passed;
    run.output = child.output;
    return run;
}
