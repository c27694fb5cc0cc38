#include "ScaledRun.h"

#include "ChildRun.h"

ScaledRun runScaled(const QStringList &testFunctions, const QString &factor)
{
    const ChildRun child = runInChild(testFunctions, {{QStringLiteral("QT_SCALE_FACTOR"), factor}});
    ScaledRun run;
    run.passed = child.passed;
    run.output = child.output;
    return run;
}
