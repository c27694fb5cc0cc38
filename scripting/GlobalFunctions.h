#pragma once

#include <QScriptValue>

class QScriptContext;
class QScriptEngine;

// The natives behind the global functions that every Editor publishes to its scripts.
// Each takes its arguments from the context and reaches the Editor's pane through the engine.
namespace QMMistlark {

// Does nothing: the run has already put the included file's text in front of the program.
QScriptValue include(QScriptContext *context, QScriptEngine *engine);
QScriptValue printout(QScriptContext *context, QScriptEngine *engine);
QScriptValue delay(QScriptContext *context, QScriptEngine *engine);

} // namespace QMMistlark
