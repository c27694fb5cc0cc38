#pragma once

#include <QString>

// The outcome of a test row run again in a child process.
struct ChildRun
{
    bool passed = false; // finished in time with exit code 0
    QString output;      // the child's standard output and error, or why it did not finish
};

// True in the child that runChildRow started: the row's body runs there.
bool isChildRow();

// Runs the current row of the current test function in a child process of this executable, which is
// killed after timeoutMs. A reader that hangs, crashes or swallows memory then fails the row, not the whole
// run: under the address sanitizer the child also ends once it holds more than about 2 GB.
ChildRun runChildRow(int timeoutMs = 180000);

// Ends the test function in the parent with the child's verdict on the row; in the child, does nothing.
#define RUN_ROW_IN_CHILD()                                                                                    \
    do {                                                                                                      \
        if (!isChildRow()) {                                                                                  \
            const ChildRun childRun = runChildRow();                                                          \
            QVERIFY2(childRun.passed, qPrintable(childRun.output));                                           \
            return;                                                                                           \
        }                                                                                                     \
    } while (false)
