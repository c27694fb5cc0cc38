#include "ScaledRun.h"

#include "ChildRun.h"

ScaledRun runScaled(const QStringList &testFunctions, const QString &factor)
{
    QProcessEnvironment scale;
    scale.insert(QStringLiteral("QT_SCALE_FACTOR"), factor);
    const ChildRun child = runInChild(testFunctions, scale, 60000);
    ScaledRun run;
    run.output = child.output;
    run.passed = child.passed;
    return run;
}
