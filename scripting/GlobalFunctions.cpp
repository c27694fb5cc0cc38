#include "scripting/GlobalFunctions.h"

#include "MTools/Delay.h"
#include "scripting/ScriptEngine.h"

#include <QScriptContext>
#include <QTextEdit>

namespace QMMistlark {

QScriptValue include(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    return engine->nullValue();
}

QScriptValue printout(QScriptContext *context, QScriptEngine *engine)
{
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    if (scriptEngine && scriptEngine->outputArea())
        scriptEngine->outputArea()->append(context->argument(0).toString());
    return engine->nullValue();
}

QScriptValue delay(QScriptContext *context, QScriptEngine *engine)
{
    MTools::Delay wait;
    // Stop reaches the Editor while the script sits in this wait; it must not have to sit out the rest of it.
    if (auto *scriptEngine = qobject_cast<ScriptEngine *>(engine))
        QObject::connect(scriptEngine, &ScriptEngine::waitsCancelled, &wait, &MTools::Delay::cancel);
    wait.wait(context->argument(0).toInt32());
    return engine->nullValue();
}

} // namespace QMMistlark
