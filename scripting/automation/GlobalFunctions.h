#pragma once

#include <QScriptValue>

class QScriptContext;
class QScriptEngine;

// The natives behind the global functions that every Editor publishes to its scripts, in the order in
// which they are published. Each takes its arguments from the context and reaches the Editor's pane and
// script file name through the engine. A missing argument is undefined and converts by the engine's
// rules; an object that is not a widget, where a widget is wanted, counts as null. None throws, except
// abort.
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

QScriptValue getWidgetByObjectName(QScriptContext *context, QScriptEngine *engine);
QScriptValue getWidgetByWindowTitle(QScriptContext *context, QScriptEngine *engine);
QScriptValue getWidgetByClassName(QScriptContext *context, QScriptEngine *engine);
QScriptValue getSubWidgetByClassName(QScriptContext *context, QScriptEngine *engine);
QScriptValue getVisibleSubWidgetByClassName(QScriptContext *context, QScriptEngine *engine);
QScriptValue getSubWidgetByToolTip(QScriptContext *context, QScriptEngine *engine);
// Also the native of getWidgetByID: a generated widget identifier is shown as the widget's tool tip.
QScriptValue getWidgetByToolTip(QScriptContext *context, QScriptEngine *engine);
QScriptValue getVisibleWidgetByToolTip(QScriptContext *context, QScriptEngine *engine);
QScriptValue currentDateTimeString(QScriptContext *context, QScriptEngine *engine);
QScriptValue currentAppVersion(QScriptContext *context, QScriptEngine *engine);
QScriptValue currentAppBuild(QScriptContext *context, QScriptEngine *engine);
QScriptValue getVisibleWidgetByClassName(QScriptContext *context, QScriptEngine *engine);
QScriptValue getSubWidgetByObjectName(QScriptContext *context, QScriptEngine *engine);
QScriptValue getParentWidgetByClassName(QScriptContext *context, QScriptEngine *engine);
// A new, hidden label holding the widget's image, sized to it; null for anything but a widget.
QScriptValue grab(QScriptContext *context, QScriptEngine *engine);
QScriptValue grabAndSave(QScriptContext *context, QScriptEngine *engine);
// Exactly six arguments, or nothing happens.
QScriptValue dragAndDrop(QScriptContext *context, QScriptEngine *engine);
QScriptValue quitApplication(QScriptContext *context, QScriptEngine *engine);
QScriptValue getSubWidgetByInheritClassName(QScriptContext *context, QScriptEngine *engine);
QScriptValue sendEvent(QScriptContext *context, QScriptEngine *engine);
QScriptValue clickMenuItem(QScriptContext *context, QScriptEngine *engine);
QScriptValue mouseClick(QScriptContext *context, QScriptEngine *engine);
QScriptValue mouseDoubleClick(QScriptContext *context, QScriptEngine *engine);
QScriptValue mousePress(QScriptContext *context, QScriptEngine *engine);
QScriptValue mouseRelease(QScriptContext *context, QScriptEngine *engine);
QScriptValue keyPress(QScriptContext *context, QScriptEngine *engine);
// The Editor, the engine's parent, is disabled while the key is posted.
QScriptValue shortCutPress(QScriptContext *context, QScriptEngine *engine);
QScriptValue enterPress(QScriptContext *context, QScriptEngine *engine);
QScriptValue spacePress(QScriptContext *context, QScriptEngine *engine);
// Also the native of alert.
QScriptValue information(QScriptContext *context, QScriptEngine *engine);
QScriptValue message(QScriptContext *context, QScriptEngine *engine);
QScriptValue generateIDs(QScriptContext *context, QScriptEngine *engine);
QScriptValue restoreOriginalToolTips(QScriptContext *context, QScriptEngine *engine);
// The output pane's text into a new file of the protocol folder, named after the script and the time.
QScriptValue saveOutputToProtocol(QScriptContext *context, QScriptEngine *engine);
QScriptValue createTimer(QScriptContext *context, QScriptEngine *engine);
// "QWidget" or "QLabel", case-sensitive; null for any other name.
QScriptValue newObject(QScriptContext *context, QScriptEngine *engine);
QScriptValue singleShotTimer(QScriptContext *context, QScriptEngine *engine);
QScriptValue parent(QScriptContext *context, QScriptEngine *engine);
QScriptValue parentByClassName(QScriptContext *context, QScriptEngine *engine);
QScriptValue className(QScriptContext *context, QScriptEngine *engine);
QScriptValue textDialog(QScriptContext *context, QScriptEngine *engine);
QScriptValue intDialog(QScriptContext *context, QScriptEngine *engine);
QScriptValue getVisibleDialog(QScriptContext *context, QScriptEngine *engine);
QScriptValue waitForDialogTermination(QScriptContext *context, QScriptEngine *engine);
// Ends the run with an error, as an uncaught exception would.
QScriptValue abort(QScriptContext *context, QScriptEngine *engine);
QScriptValue getVisiblePopup(QScriptContext *context, QScriptEngine *engine);
// A time-stamped line appended to the script's log file in the protocol folder, and to the output pane.
QScriptValue printToScriptLog(QScriptContext *context, QScriptEngine *engine);
QScriptValue printChildren(QScriptContext *context, QScriptEngine *engine);
QScriptValue dumpHierarchy(QScriptContext *context, QScriptEngine *engine);
// The names of the files in a folder that match one of the blank-separated name filters.
QScriptValue getFileNames(QScriptContext *context, QScriptEngine *engine);
QScriptValue waitForPopupTermination(QScriptContext *context, QScriptEngine *engine);
// Does nothing: the run has already put the included file's text in front of the program.
QScriptValue include(QScriptContext *context, QScriptEngine *engine);
QScriptValue printout(QScriptContext *context, QScriptEngine *engine);
// Shows identifiers below one widget as "Vis/" tool tips; they are not recorded for restoring.
QScriptValue generateIDsForWidget(QScriptContext *context, QScriptEngine *engine);
QScriptValue delay(QScriptContext *context, QScriptEngine *engine);

} // namespace QMMistlark
