#pragma once

// What the tests of the script's global functions share.

#include <QObject>
#include <QString>

namespace GlobalFunctionsTest {

// The file's text, or a note saying why it could not be read.
QString readFile(const QString &path);

// Runs under the version that main() sets in the program, and fails a test that leaves a window behind.
class ScriptFunctionsTest : public QObject
{
    Q_OBJECT

protected slots:
    void initTestCase();
    void cleanup();
};

} // namespace GlobalFunctionsTest
