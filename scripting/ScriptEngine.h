#pragma once

#include <QScriptEngine>
#include <QString>

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

    // Ends every delay() the running script waits in, so that a stopped script unwinds at once
    // instead of after its wait.
    void cancelWaits();

signals:
    void waitsCancelled();

private:
    QString m_scriptFileName;
    OutputArea *m_outputArea = nullptr;
};

// The wait of the script functions delay and Support.delay: events go on being handled, and when the
// engine is a ScriptEngine, its cancelWaits() ends the wait early.
void waitCancellably(QScriptEngine *engine, int milliseconds);

} // namespace QMMistlark
