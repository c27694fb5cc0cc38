#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The outcome of running test functions of this very executable in a process of their own.
struct ChildRun
{
    bool passed = false; // finished in time with exit code 0
    QString output;      // the child's standard output and error, or why it did not finish
};

// Runs the given test functions ("name" or "name:row") of this executable with the variables added to the
// environment. A child that crashes or outlasts the time fails, and the caller's run goes on.
ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &added, int timeoutMilliseconds);

// A test row whose code may crash or hang the program runs in a child process of its own, where that fails
// the row alone: called first in the row, it runs the child and reports its outcome, and gives false. In the
// child it gives true, and the row goes on with its own code.
bool isRowChild();
