#include "scripting/ScriptEngine.h"

#include "MTools/Delay.h"
#include "scripting/OutputArea.h"

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

void waitCancellably(QScriptEngine *engine, int milliseconds)
{
    MTools::Delay wait;
    // Stop reaches the Editor while the script sits in this wait; it must not have to sit out the rest of it.
    if (auto *scriptEngine = qobject_cast<ScriptEngine *>(engine))
        QObject::connect(scriptEngine, &ScriptEngine::waitsCancelled, &wait, &MTools::Delay::cancel);
    wait.wait(milliseconds);
}

} // namespace QMMistlark
