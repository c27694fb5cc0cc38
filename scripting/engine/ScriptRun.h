#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QScriptEngineDebugger;
class QScriptValue;

namespace QMMistlark {

class ScriptEngine;

// The life of an Editor's runs: a run or a debugged run from its start to its end, Stop, the stop that lasts
// until the next run for the script's timers and callbacks, and the script debugger. The Editor is the widget;
// this is the run. What comes before and after the evaluation (the checks, the program, the reports in the
// pane) are the Editor's steps.
class ScriptRun : public QObject
{
    Q_OBJECT

public:
    struct Steps
    {
        // The checks before a run, with their reports; false when nothing is to run.
        std::function<bool()> prepare;
        // The program, built right before the evaluation; its file name is the engine's script file name.
        std::function<QString()> program;
        // An uncaught exception of the program, the stop's among them.
        std::function<void(const QScriptValue &result)> reportException;
        // A stop that came where no exception reports it: before the evaluation, or in a callback.
        std::function<void()> reportStopped;
    };

    ScriptRun(ScriptEngine *engine, Steps steps, QObject *parent = nullptr);
    ~ScriptRun() override;

    // True from the start of run() or debug() to their end, waits of the script included.
    bool isRunning() const;

    void run();
    void debug();
    // Ends the run and, until the next run or debug, every timer and callback of the script.
    void stop();

    static const char StoppedByUser[];

signals:
    // Last in what sends it: a receiver may delete the run's owner.
    void runningChanged(bool running);

private:
    // The life of a run around its evaluation: the running state, the checks before it.
    void runThrough(const std::function<void()> &evaluation);
    void evaluateDebugged();
    // The common start of run() and debug(): false when the checks failed or a stop came during them.
    bool start();
    // False, with the stop reported, when Stop came while the program was built (its included files checked).
    bool evaluate(QScriptValue *result);
    void setRunning(bool running);
    void abortCallback();
    void withdrawCallbackAbort();
    // An abort that the next callback to check for one takes; it lasts until an evaluation starts.
    void armAbort();
    // After a stop, once control is back in the event loop: the next callback meets an abort again.
    void rearmLater();

    ScriptEngine *m_engine;
    Steps m_steps;
    bool m_running = false;
    bool m_stoppedForGood = false;
    QPointer<QScriptEngineDebugger> m_debugger;
    // Lives while an abort waits for a busy callback to take it; see abortCallback().
    QPointer<QObject> m_callbackAbort;
};

} // namespace QMMistlark
