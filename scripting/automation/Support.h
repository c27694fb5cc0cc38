#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QScriptable>
#include <QString>

class QScriptEngine;
class QWidget;

namespace QMMistlark {

// The automation object of scripts, published to them as "Support": its slots are what scripts call, and
// it hands each to the class of its concern (WidgetFinder, InputSynthesis, ScriptDialogs, WidgetGrab).
// It throws their refusals to the calling script and waits. It keeps no state, so any instance serves any
// caller.
//
// The widget arguments take any object because scripts hand over whatever a lookup returned, an
// action as readily as a widget: an object that is not a widget counts as null, so lookups and parent
// walks return null and the other operations do nothing.
//
// Mouse and key input is posted and takes effect when the event loop next runs; paint, show, hide,
// close and the drag-and-drop events are sent.
class Support : public QObject, protected QScriptable
{
    Q_OBJECT

public:
    explicit Support(QObject *parent = nullptr);

    // keyPress with a text, for the engine's script: a text longer than TypedAtOnceBound is typed at once,
    // key by key, while the window handles its events, and the engine's Stop ends the typing.
    void typeText(QObject *w, const QString &text, QScriptEngine *scriptEngine);

    // The script that a global function calls for: its Stop ends the dialogs and waits of this object.
    // A call as the script object "Support" finds its script by itself.
    void setEngine(QScriptEngine *engine);

public slots:
    // A widget larger than the grab bound gets a null pixmap, and a script that asked gets an error.
    QPixmap grab(QObject *w);
    // Always PNG data, whatever the file name's extension.
    void grabAndSave(QObject *w, const QString &fileName);
    QWidget *findVisiblePopup();
    QWidget *findVisibleDialog();
    // The widget and each of its ancestors, one debug message each.
    void dumpHierarchy(QObject *w);
    // 0 for a top-level widget; -1 for null.
    int numOfParents(QObject *w);
    // One key press with that code, no modifiers and no text.
    void keyPress(QObject *w, int key);
    void quitApplication();
    // Waits while events go on being handled; a negative time returns at once. Called by a script, the
    // wait ends when the script's Editor stops it.
    void delay(int milliseconds);
    // Lets the pending events run once.
    void waitForDialogTermination();

    // The walks up the parent chain start with w itself.
    QObject *parentByClassNameSkipNS(QObject *w, const QString &name);
    // An exact class name first, then one that ends with name ("Editor" finds "QMMistlark::Editor").
    QObject *parentByClassName(QObject *w, const QString &name);
    QObject *parentByObjectName(QObject *w, const QString &name);
    QObject *parentByInherits(QObject *w, const QString &name);

    // Among all top-level windows. A window that matches itself wins at once; otherwise the first
    // match below the last window that holds one.
    QObject *getWidgetByObjectName(const QString &name);
    QObject *getWidgetByWindowTitle(const QString &title);
    QObject *getWidgetByClassName(const QString &name);
    QObject *getWidgetByToolTip(const QString &tip);
    QObject *getVisibleWidgetByToolTip(const QString &tip);
    QObject *getVisibleWidgetByClassName(const QString &name);

    // Below w; w itself is never a result.
    QObject *getSubWidgetByObjectName(QObject *w, const QString &name);
    QObject *getVisibleSubWidgetByClassName(QObject *w, const QString &name);
    QObject *getSubWidgetByClassName(QObject *w, const QString &name);
    QObject *getSubWidgetByInheritClassName(QObject *w, const QString &name);
    QObject *getSubWidgetByToolTip(QObject *w, const QString &tip);
    // Starts with w's parent, and has no ends-with fallback.
    QObject *getParentWidgetByClassName(QObject *w, const QString &name);

    // Clicks the entry of a menu whose text is exactly text, else a widget in it with that tool tip,
    // else a button in it with that text.
    void clickMenuItem(QObject *w, const QString &text);
    // One key press per character, each with the key code of "A" and the character as its text (typeText).
    void keyPress(QObject *w, const QString &text);
    // Mouse press, release and double click (2, 3, 4) are posted; paint, show, hide and close
    // (12, 17, 18, 19) are sent; other types are ignored.
    void sendEvent(QObject *w, int type);
    // A text such as "Ctrl+Shift+F5" for the target main widget; nothing while there is none.
    // peditor, when given, is disabled around the post and always ends enabled.
    void shortCutPress(const QString &text, QObject *peditor = nullptr);
    // Presses and moves on the source so that it starts its drag, then drops on the target at (tx, ty).
    void dragAndDrop(QObject *source, int x, int y, QObject *target, int tx, int ty);

    // The dialogs show their texts cut at the shown-text bound. They hold their script but not its window,
    // whose Stop rejects them as Cancel would.
    void informationDialog(const QString &text);
    // A message box that closes itself after the time.
    void messageDialog(int milliseconds, const QString &text);
    // The entered text, or a null string when cancelled.
    QString textDialog(const QString &label, const QString &text);
    // The entered number, or value when cancelled.
    int intDialog(const QString &label, int value);

    void mouseMove(QObject *w, int x = 1, int y = 1, Qt::MouseButton mb = Qt::LeftButton,
                   Qt::MouseButtons mbs = Qt::LeftButton);
    void mousePress(QObject *w, int x = 1, int y = 1, Qt::MouseButton mb = Qt::LeftButton,
                    Qt::MouseButtons mbs = Qt::LeftButton);
    void mouseRelease(QObject *w, int x = 1, int y = 1, Qt::MouseButton mb = Qt::LeftButton,
                      Qt::MouseButtons mbs = Qt::LeftButton);
    // A press and a release; a negative coordinate stands for the middle of the widget.
    void mouseClick(QObject *w, int x = -1, int y = -1, Qt::MouseButton mb = Qt::LeftButton,
                    Qt::MouseButtons mbs = Qt::LeftButton);
    // The double-click event alone, without a press or release around it.
    void mouseDoubleClick(QObject *w, int x = 1, int y = 1, Qt::MouseButton mb = Qt::LeftButton,
                          Qt::MouseButtons mbs = Qt::LeftButton);

private:
    // The widget's picture into *picture; false when there is no widget or it is over the grab bound.
    bool grabbed(QWidget *widget, QPixmap *picture);
    // True when the refusal is not empty; called from a script, it is thrown as a script error.
    bool refused(const QString &refusal);

    QScriptEngine *callingEngine() const;

    QPointer<QScriptEngine> m_engine;
};

} // namespace QMMistlark
