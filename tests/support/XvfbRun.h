#pragma once

#include <QString>
#include <QStringList>

// The outcome of running test functions of this very executable on an X server of their own.
struct XvfbRun
{
    bool started = false;  // false: xvfb-run is not installed
    bool passed = false;   // finished in time with exit code 0
    QString output;        // the child's standard output and error
};

// Runs the given test functions of this executable under xvfb-run on the xcb platform, with a screen of
// the given size ("1280x1024x24"). The child finds TARSEL_EXPECT_PLATFORM set to "xcb", so that a test
// can make sure that it does not run offscreen by mistake.
XvfbRun runUnderXvfb(const QStringList &testFunctions, const QString &screen = QStringLiteral("1280x1024x24"));
