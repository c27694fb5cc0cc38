#include "scripting/ScriptEngine.h"

#include "MTools/Delay.h"
#include "scripting/OutputArea.h"

#include <QDialog>
#include <QPointer>

namespace QMMistlark {

ScriptEngine::ScriptEngine(QObject *parent)
    : QScriptEngine(parent)
{
}

ScriptEngine::~ScriptEngine() = default;

void ScriptEngine::setScriptFileName(const QString &fileName)
{
    m_scriptFileName = fileName;
}

QString ScriptEngine::scriptFileName() const
{
    return m_scriptFileName;
}

void ScriptEngine::setOutputArea(OutputArea *outputArea)
{
    m_outputArea = outputArea;
}

QTextEdit *ScriptEngine::outputArea() const
{
    return m_outputArea;
}

void ScriptEngine::cancelWaits()
{
    emit waitsCancelled();
}

void ScriptEngine::setStopped(bool stopped)
{
    m_stopped = stopped;
}

bool ScriptEngine::isStopped() const
{
    return m_stopped;
}

void waitCancellably(QScriptEngine *engine, int milliseconds)
{
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    if (scriptEngine && scriptEngine->isStopped())
        return;
    MTools::Delay wait;
    // Stop reaches the Editor while the script sits in this wait; it must not have to sit out the rest of it.
    if (scriptEngine)
        QObject::connect(scriptEngine, &ScriptEngine::waitsCancelled, &wait, &MTools::Delay::cancel);
    wait.wait(milliseconds);
}

int execCancellably(QScriptEngine *engine, QDialog *dialog)
{
    const QPointer<QDialog> guarded = dialog;
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    if (scriptEngine && scriptEngine->isStopped())
        return QDialog::Rejected;
    if (scriptEngine)
        QObject::connect(scriptEngine, &ScriptEngine::waitsCancelled, dialog, &QDialog::reject);
    // Window-modal without a parent: the dialog holds the script, not the windows.
    dialog->setWindowModality(Qt::WindowModal);
    const int result = dialog->exec();
    return guarded ? result : int(QDialog::Rejected);
}

} // namespace QMMistlark
