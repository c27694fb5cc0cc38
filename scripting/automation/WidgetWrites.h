#pragma once

#include <QScriptValue>
#include <QString>

class QObject;

namespace QMMistlark {

// What a script may write to an object of the program or its own, through a property or a slot that sets one.
// Refused, with the script error as the text: a size over widgetExtentBound(), a style sheet over
// StyleSheetTextBound or one that names a file the bounded reader refuses, and rich text (text, html,
// markdown, toolTip, whatsThis) that names such a file, whatever the object (an action's tool tip too). An empty
// text lets the write go on.

QString writeRefusal(const QObject *object, const QString &property, const QScriptValue &value);
// False for a property whose writes writeRefusal and shownValue let through as they are, whatever the value.
bool isCheckedWrite(const QString &property);

// The slots whose argument is checked as the property they set would be.
bool isCheckedSlot(const QString &name);
QString callRefusal(const QString &slot, const QScriptValue &argument);
// The value as it is written or passed: a title, a status message or a message for the output pane is cut
// beyond ShownTextBound, as printed text is (laying out 50 MB of it took minutes); any other value as it is.
QScriptValue shownValue(const QString &propertyOrSlot, const QScriptValue &value);
// The property that a checked slot sets, to take back; empty for one that adds to its text (append).
QString propertyOfSlot(const QString &slot);

// Empty while the window of the object is laid out within widgetExtentBound(); otherwise the script error. Sizes
// within the bound add up in a layout, and a style sheet or a text can give a widget its size: a write is looked
// at once its window's layout has followed it, and taken back when it went too far. The layouts follow at once,
// before anything is painted.
QString windowExtentRefusal(const QObject *object);
// False for a property of a widget's state (enabled, toolTip, ...), whose write gives it no other size.
bool canChangeSize(const QString &property);
// Lets every layout that waits to be redone follow the changes made so far.
void settleLayouts();

} // namespace QMMistlark
