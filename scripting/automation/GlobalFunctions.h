#pragma once

#include <QScriptValue>

class QScriptContext;
class QScriptEngine;

// The global functions that every Editor publishes to its scripts. Each takes its arguments from the
// context and reaches the Editor's pane and script file name through the engine. A missing argument is
// undefined and converts by the engine's rules; an object that is not a widget, where a widget is wanted,
// counts as null. None throws, except abort.
namespace QMMistlark {

// What the mouse functions take after the widget: (w), (w, button) or (w, button, x, y).
struct MouseArguments
{
    int button = 1;
    int x = 1;
    int y = 1;
};

// The button is the second argument when at least two are given; x and y are the third and fourth
// only when at least four are given, so three arguments leave them at 1.
MouseArguments parseMouseArguments(QScriptContext *context);

// Publishes the global functions as properties of the engine's global object, in their fixed order; a name
// the global object already has keeps its flags.
void publishGlobalFunctions(QScriptEngine *engine);

} // namespace QMMistlark
