#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The outcome of running test functions of this very executable in a process of its own.
struct ChildRun
{
    bool passed = false; // finished in time with exit code 0
    QString output;      // the child's standard output and error, or why it did not finish
};

// Runs the given test functions ("name" or "name:row") of this executable in a child process, with the given
// variables added to its environment, so that a crash, a sanitizer's abort or a hang fails the caller's row
// instead of ending the whole run. A child that has not finished after the time is killed and fails. Under
// the address sanitizer the child also ends once it holds more than about 2 GB, so a reader that swallows
// memory fails its row instead of the machine.
ChildRun runInChild(const QStringList &testFunctions, const QProcessEnvironment &added = QProcessEnvironment(),
                    int timeoutMilliseconds = 60000);

// True in the child that ranRowInChild started: the row's body runs there.
bool isChildRun();

// In the parent: runs the current row of the current test function in a child process (with the given
// variables added to its environment), records a failure when the child does not pass and a skip when it
// skipped the row, and returns true, so the caller returns at once. In the child: returns false, and the caller
// goes on with the row itself.
bool ranRowInChild(int timeoutMilliseconds = 180000, const QProcessEnvironment &added = QProcessEnvironment());

// The row's body runs in a child; the parent returns with the child's verdict.
#define RUN_ROW_IN_CHILD(...)                                                                                  \
    do {                                                                                                       \
        if (ranRowInChild(__VA_ARGS__))                                                                        \
            return;                                                                                            \
    } while (false)
