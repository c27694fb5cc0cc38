#pragma once

#include <QString>
#include <Qt>

class QObject;
class QScriptEngine;

namespace QMMistlark {

// Synthesises the mouse and key input of scripts. An object that is not a widget counts as null, and
// the operations do nothing with it.
//
// Mouse and key input is posted and takes effect when the event loop next runs; paint, show, hide,
// close and the drag-and-drop events are sent.
class InputSynthesis
{
public:
    // One key press with that code, no modifiers and no text.
    static void keyPress(QObject *w, int key);
    // One key press per character, each with the key code of "A" and the character as its text. A text
    // longer than TypedAtOnceBound is typed at once, key by key, while the window handles its events, and
    // the engine's Stop ends the typing.
    static void typeText(QObject *w, const QString &text, QScriptEngine *scriptEngine);

    // Clicks the entry of a menu whose text is exactly text, else a widget in it with that tool tip,
    // else a button in it with that text.
    static void clickMenuItem(QObject *w, const QString &text);
    // Mouse press, release and double click (2, 3, 4) are posted; paint, show, hide and close
    // (12, 17, 18, 19) are sent; other types are ignored.
    static void sendEvent(QObject *w, int type);
    // A text such as "Ctrl+Shift+F5" for the target main widget; nothing while there is none. The caller
    // has judged the text. peditor, when given, is disabled around the post and always ends enabled.
    static void shortCutPress(const QString &text, QObject *peditor);
    // Presses and moves on the source so that it starts its drag, then drops on the target at (tx, ty).
    static void dragAndDrop(QObject *source, int x, int y, QObject *target, int tx, int ty);

    static void mouseMove(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs);
    static void mousePress(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs);
    static void mouseRelease(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs);
    // A press and a release; a negative coordinate stands for the middle of the widget.
    static void mouseClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs);
    // The double-click event alone, without a press or release around it.
    static void mouseDoubleClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs);
};

} // namespace QMMistlark
