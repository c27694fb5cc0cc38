#pragma once

#include <QScriptEngine>
#include <QString>

class QDialog;
class QTextEdit;

namespace QMMistlark {

class OutputArea;

// The engine of one Editor; its native functions reach the running script's file name and the output pane
// through it.
class ScriptEngine : public QScriptEngine
{
    Q_OBJECT

public:
    explicit ScriptEngine(QObject *parent = nullptr);
    ~ScriptEngine() override;

    void setScriptFileName(const QString &fileName);
    QString scriptFileName() const;

    void setOutputArea(OutputArea *outputArea);
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

private:
    QString m_scriptFileName;
    OutputArea *m_outputArea = nullptr;
    bool m_stopped = false;
};

// The wait of the script functions delay and Support.delay: events go on being handled, and when the
// engine is a ScriptEngine, its cancelWaits() ends the wait early.
void waitCancellably(QScriptEngine *engine, int milliseconds);

// Runs a script's dialog to its end and gives its result. The dialog blocks no other window, so the script
// window's Stop and close stay in reach; cancelWaits() rejects it as the user's Cancel would. The dialog may
// be gone on return.
int execCancellably(QScriptEngine *engine, QDialog *dialog);

} // namespace QMMistlark
