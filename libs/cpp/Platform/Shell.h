#pragma once

#include <QString>

namespace Platform {

// Stands in for the Windows shell's ShellExecute: starts a program with a parameter text and
// answers in the shell's manner, a code above LastErrorCode for success, a small code for failure.
class Shell
{
public:
    enum Result : int {
        FileNotFound = 2,       // no such program
        AccessDenied = 5,       // found, but it could not be started
        NoAssociation = 31,     // the verb means nothing for this program
        LastErrorCode = 32,
        Started = 33,
    };

    // How the started program's window is to appear; only Windows heeds it.
    enum ShowCommand : int {
        ShowNormal = 1,
    };

    // Outside Windows the program is looked up on PATH and started detached, with the whole
    // parameter text as its one argument: the text is the program's own command line there,
    // quotes and all. Only the verbs "open" and "" start anything.
    static int execute(const QString &verb, const QString &program, const QString &parameters,
                       int showCommand = ShowNormal);

    static bool succeeded(int result) { return result > LastErrorCode; }
};

} // namespace Platform
