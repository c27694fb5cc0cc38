#pragma once

#include <QString>
#include <QStringList>

// The outcome of running test functions of this very executable at another screen scale.
struct ScaledRun
{
    bool passed = false; // finished in time with exit code 0
    QString output;      // the child's standard output and error
};

// Runs the given test functions of this executable with QT_SCALE_FACTOR set to the factor, which must be
// fixed before the application object exists. At 2 the offscreen desktop of 800 by 600 pixels counts as
// 400 by 300, a small screen. The child is given the time in milliseconds, a minute unless said otherwise.
ScaledRun runScaled(const QStringList &testFunctions, const QString &factor, int timeoutMs = 60000);
