#pragma once

#include <QString>

// A program of the tests' own that writes down how it was called: the number of its arguments, then
// each argument on a line of its own. It uses shell built-ins only, so it runs while PATH holds nothing
// but its own folder.
class CallRecorder
{
public:
    // Writes the program as an executable file; each call of it replaces the record at recordPath.
    bool install(const QString &programPath, const QString &recordPath, QString *error);
    // Removes the record, so a call that never happens is not mistaken for an earlier one.
    void forgetCall() const;
    // The record of the last call; empty when there was none.
    QString lastCall() const;

private:
    QString m_recordPath;
};
