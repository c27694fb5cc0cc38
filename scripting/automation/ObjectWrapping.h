#pragma once

#include <QScriptValue>

class QObject;
class QScriptEngine;

namespace QMMistlark {

// How a script holds the objects it is handed. Every object that reaches a script of a ScriptEngine comes
// through here: the results of the global functions and of Support's slots, signal arguments, properties of
// an object type, findChild(), findChildren() and a child reached by its object name. So what a script may do
// to an object is decided in one place:
// - an object of the program (any object the script did not make) cannot be deleted by the script: its
//   deleteLater() is refused with a red report, since the program or Qt may still hold it by a plain pointer;
// - a property write or a slot call that would hold or break the window is refused with a script error
//   (see writeRefusal and callRefusal in WidgetWrites).
// Objects that the script made itself (newObject, createTimer, singleShotTimer, grab) it may delete; their
// deleteLater() deletes them alone, whatever object it is called on.
//
// A script sees a stand-in that passes every read, call and signal on to the object's own script wrapper. No
// script reaches that wrapper: the stand-in's prototype is Object.prototype, the wrapper has none, every
// conversion of an object or a list of objects makes a stand-in, and the wrapper's methods act on their own
// object when called on a stand-in. scriptObject() gives the object back. An engine that is not a ScriptEngine
// gets the plain wrappers.

// Makes the engine convert every pointer to a QObject class through wrapObject. Called when an Editor builds
// its engine and again before each run, for the pointer types registered meanwhile.
void registerObjectTypes(QScriptEngine *engine);

// An object of the program; null for null.
QScriptValue wrapObject(QScriptEngine *engine, QObject *object);

// An object the script made and may delete. With engineOwned, the engine deletes it once the script no longer
// references it and it has no parent (a grabbed picture); otherwise it lives until the script deletes it (a
// timer keeps firing when the script drops it).
QScriptValue wrapScriptMade(QScriptEngine *engine, QObject *object, bool engineOwned = false);

// The object a script value stands for, or null.
QObject *scriptObject(const QScriptValue &value);

} // namespace QMMistlark
