#pragma once

#include <QObject>
#include <QString>

class QScriptEngine;

namespace QMMistlark {

class ScriptEngine;

// Keeps Stop in reach while a script drives the program. A modal dialog or a pop-up that opens while a script is
// live (running, in a callback, or with a timer pending) blocks the windows behind it as it was made to, so the
// Stop item may be out of reach; a script can also grey, hide or cover it. The Stop key cannot be taken away: the
// application sees it before any window, dialog or pop-up does, closes the pop-ups, and stops every live script,
// and each script's Stop cancels the dialogs and pop-ups that opened while it was live. GUI thread only.
class RunDialogs : public QObject
{
    Q_OBJECT

public:
    // The Stop key as the user reads it, for tool tips.
    static QString stopKeyText();

    // Starts watching the application's dialogs and keys; later calls do nothing.
    static void watch();
    // Cancels the dialogs and pop-ups that opened while the engine's script was live and are still up.
    static void cancelOpenedFor(const QScriptEngine *engine);
    // The engine goes: its list goes with it, and its dialogs stay.
    static void forget(const QScriptEngine *engine);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit RunDialogs(QObject *parent);
};

} // namespace QMMistlark
