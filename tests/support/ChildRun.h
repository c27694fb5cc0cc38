#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The outcome of running test functions of this very executable in a child process.
struct ChildRun
{
    bool passed = false; // finished in time with exit code 0
    QString output;      // the child's standard output and error
};

// Runs the given test functions ("function" or "function:row") of this executable in a child process with the
// given environment, so that a crash or a hang there fails the caller's row instead of ending the test run.
// A child that is not done after the time is killed and counts as failed.
ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &environment,
                    int timeoutMilliseconds);

// The same, with the variable TARSEL_CHILD_RUN set so that the test function knows where it runs.
ChildRun runInChild(const QStringList &testFunctions, int timeoutMilliseconds);
bool isChildRun();

// The current row of the current test function ("function:row"), run as above.
ChildRun runCurrentRowInChild(int timeoutMilliseconds);
