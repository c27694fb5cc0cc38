#pragma once

#include <QScriptEngine>
#include <QString>

#include <memory>

class QDialog;
class QTextEdit;

namespace QMMistlark {

// The engine of one Editor; its native functions reach the running script's file name and the output pane
// through it.
class ScriptEngine : public QScriptEngine
{
    Q_OBJECT

public:
    // State of the script interface that holds values of this engine: it goes before the engine does.
    class Extension
    {
    public:
        virtual ~Extension() = default;
    };

    explicit ScriptEngine(QObject *parent = nullptr);
    ~ScriptEngine() override;

    void setExtension(std::unique_ptr<Extension> extension);
    Extension *extension() const;

    // Something the script asked for was refused without ending the script: its window shows why in red.
    void reportRefusal(const QString &text);
    // The script's own call asks for its run to end as Stop would end it.
    void requestStop();

    // Set by the Editor from the start of a run or debug to its end.
    void setRunning(bool running);
    bool isRunning() const;
    // The script can act: it runs, a callback of it runs, or a timer of it is pending.
    bool isLive() const;
    // Every engine whose script is live.
    static QList<ScriptEngine *> liveEngines();

    void setScriptFileName(const QString &fileName);
    QString scriptFileName() const;

    void setOutputArea(QTextEdit *outputArea);
    QTextEdit *outputArea() const;

    // Ends every delay(), dialog and include check the running script waits in, so that a stopped script
    // unwinds at once instead of after its wait.
    void cancelWaits();

    // Set by Stop until the next run: the script's timers no longer call it back, and its waits and dialogs
    // end at once.
    void setStopped(bool stopped);
    bool isStopped() const;

signals:
    void waitsCancelled();
    void refusalReported(const QString &text);
    void stopRequested();

private:
    QString m_scriptFileName;
    QTextEdit *m_outputArea = nullptr;
    bool m_stopped = false;
    bool m_running = false;
    std::unique_ptr<Extension> m_extension;
};

// The wait of the script functions delay and Support.delay: events go on being handled, and when the
// engine is a ScriptEngine, its cancelWaits() ends the wait early.
void waitCancellably(QScriptEngine *engine, int milliseconds);

// Runs a script's dialog to its end and gives its result. The dialog blocks no other window, so the script
// window's Stop and close stay in reach; cancelWaits() rejects it as the user's Cancel would. The dialog may
// be gone on return.
int execCancellably(QScriptEngine *engine, QDialog *dialog);

} // namespace QMMistlark
