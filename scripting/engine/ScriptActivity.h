#pragma once

class QScriptEngine;

namespace QMMistlark {

// Tells whether a script is busy in its own code. A busy engine handles events at its interval so that
// Stop reaches it, but the script's timers must not run their callbacks in those intervals: the script
// keeps its run-to-completion and sees them only where it waits (a delay, a dialog, any native call that
// runs an event loop). The engine names no frame of script code, so a native call shows as a context of
// its own: code runs busy while the engine's current context is the one it started in.
// GUI thread only.
class ScriptActivity
{
public:
    // Marks script code that starts in engine's current context, until the scope ends: a run, or a
    // callback that a timer calls.
    class Scope
    {
    public:
        explicit Scope(QScriptEngine *engine);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        QScriptEngine *m_engine;
    };

    // True while engine's innermost marked code runs in its own context, outside any native call and
    // outside a debugger's pause. A null engine asks about every engine.
    static bool isBusy(const QScriptEngine *engine);

    // A debugger that holds the evaluation waits as a dialog would.
    static void setSuspended(const QScriptEngine *engine, bool suspended);
};

} // namespace QMMistlark
