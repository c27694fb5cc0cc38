#include "scripting/engine/RunDialogs.h"

#include "scripting/engine/ScriptEngine.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QVector>
#include <QWidget>

namespace QMMistlark {

namespace {

// Shift+Esc: on every keyboard, and a plain Escape stays the dialogs' Cancel.
constexpr int s_stopKey = Qt::Key_Escape;
constexpr Qt::KeyboardModifiers s_stopModifiers = Qt::ShiftModifier;

// The dialogs and pop-ups each engine's script was live for when they opened.
QHash<const QScriptEngine *, QVector<QPointer<QWidget>>> &openedFor()
{
    static QHash<const QScriptEngine *, QVector<QPointer<QWidget>>> dialogs;
    return dialogs;
}

// What holds the user away from Stop: a pop-up, or a dialog that blocks other windows. A window-modal dialog
// without a parent (the script's own dialogs are shown so) blocks nothing.
bool holdsTheUser(const QWidget *widget)
{
    if (!widget->isWindow() || widget->windowType() == Qt::ToolTip)
        return false;
    if (widget->windowType() == Qt::Popup)
        return true;
    if (widget->windowModality() == Qt::WindowModal)
        return widget->parentWidget() != nullptr;
    return widget->windowModality() == Qt::ApplicationModal || widget->testAttribute(Qt::WA_ShowModal);
}

bool isStopKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == s_stopKey && (key->modifiers() & ~Qt::KeypadModifier) == s_stopModifiers;
}

// The pop-ups first: each one holds the keyboard and the mouse. A pop-up that will not close is left after a
// bound, and the scripts stop all the same.
void stopEveryLiveScript()
{
    for (int round = 0; round < 100; ++round) {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        popup->close();
    }
    QVector<QPointer<ScriptEngine>> live;
    for (ScriptEngine *engine : ScriptEngine::liveEngines())
        live << engine;
    // A stop ends waits, and what ends may delete another engine's window.
    for (const QPointer<ScriptEngine> &engine : qAsConst(live)) {
        if (engine)
            engine->requestStop();
    }
}

} // namespace

RunDialogs::RunDialogs(QObject *parent)
    : QObject(parent)
{
}

QString RunDialogs::stopKeyText()
{
    return QKeySequence(int(s_stopModifiers) | s_stopKey).toString(QKeySequence::NativeText);
}

void RunDialogs::watch()
{
    static QPointer<RunDialogs> watcher;
    if (watcher || !qApp)
        return;
    watcher = new RunDialogs(qApp);
    qApp->installEventFilter(watcher);
}

void RunDialogs::cancelOpenedFor(const QScriptEngine *engine)
{
    const QVector<QPointer<QWidget>> dialogs = openedFor().take(engine);
    // The innermost first: a dialog that an outer one opened runs its own loop above the outer one's.
    for (int i = dialogs.size() - 1; i >= 0; --i) {
        QWidget *dialog = dialogs.at(i);
        if (!dialog || !dialog->isVisible())
            continue;
        if (auto *asking = qobject_cast<QDialog *>(dialog))
            asking->reject();
        else
            dialog->close();
    }
}

void RunDialogs::forget(const QScriptEngine *engine)
{
    openedFor().remove(engine);
}

bool RunDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (isStopKey(event) && !ScriptEngine::liveEngines().isEmpty()) {
        // Taken before any shortcut of a window or of a script can claim it; the press that follows stops.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            stopEveryLiveScript();
        return true;
    }
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    if (!holdsTheUser(widget))
        return QObject::eventFilter(watched, event);
    for (ScriptEngine *engine : ScriptEngine::liveEngines()) {
        QVector<QPointer<QWidget>> &dialogs = openedFor()[engine];
        dialogs.removeAll(nullptr);
        if (!dialogs.contains(widget))
            dialogs.append(widget);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace QMMistlark
