#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The outcome of running test functions of this very executable in a process of its own.
struct ChildRun
{
    bool passed = false; // finished in time with exit code 0
    QString output;      // the child's standard output and error
};

// Runs the given test functions ("name" or "name:row") of this executable in a child process with the given
// variables added to its environment, so that a crash, a sanitizer's abort or a hang fails the caller's row
// instead of ending the whole run.
ChildRun runInChild(const QStringList &testFunctions, const QList<QPair<QString, QString>> &environment = {});

// In the parent: runs the current row of the current test function in a child process, records a failure
// when the child does not pass, and returns true, so the caller returns at once. In the child: returns false,
// and the caller goes on with the row itself.
bool ranRowInChild();
