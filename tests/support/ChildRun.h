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

// As ranRowInChild, but the rows of the current test function share one child process, which saves starting a
// program per row: the first row not yet known starts a child that runs the function's rows from that row on, and
// each row takes its verdict from that child's report. A row that the shared child did not pass (it failed, or the
// child ended or hung at it) runs again in a process of its own, so its verdict and output are its alone, and the
// rows after it get a fresh shared child. A hang is a child that prints nothing for the given time.
bool ranRowInSharedChild(int timeoutMilliseconds = 180000, const QProcessEnvironment &added = QProcessEnvironment());

// The row's body runs in a child; the parent returns with the child's verdict.
#define RUN_ROW_IN_CHILD(...)                                                                                  \
    do {                                                                                                       \
        if (ranRowInChild(__VA_ARGS__))                                                                        \
            return;                                                                                            \
    } while (false)

// The row's body runs in a child that the function's rows share; the parent returns with the row's verdict.
#define RUN_ROW_IN_SHARED_CHILD(...)                                                                           \
    do {                                                                                                       \
        if (ranRowInSharedChild(__VA_ARGS__))                                                                  \
            return;                                                                                            \
    } while (false)
