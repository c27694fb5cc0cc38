#include "scripting/ScriptEngine.h"

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

} // namespace QMMistlark
