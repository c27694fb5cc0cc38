#include "scripting/engine/RunDialogs.h"

#include "scripting/engine/ScriptEngine.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QVector>
#include <QWidget>

namespace QMMistlark {

namespace {

const char s_modalityBefore[] = "modalityBeforeScript";

// The dialogs each engine's script was live for when they opened.
QHash<const QScriptEngine *, QVector<QPointer<QWidget>>> &openedFor()
{
    static QHash<const QScriptEngine *, QVector<QPointer<QWidget>>> dialogs;
    return dialogs;
}

// A window-modal dialog without a parent (the script's own dialogs are shown so) blocks nothing already.
bool blocksWindows(const QWidget *widget)
{
    if (!widget->isWindow() || widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip)
        return false;
    if (widget->windowModality() == Qt::WindowModal)
        return widget->parentWidget() != nullptr;
    return widget->windowModality() == Qt::ApplicationModal || widget->testAttribute(Qt::WA_ShowModal);
}

} // namespace

RunDialogs::RunDialogs(QObject *parent)
    : QObject(parent)
{
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
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    // Shown again later, with no script live, the dialog is as modal as it was made.
    if (event->type() == QEvent::Hide) {
        const QVariant before = widget->property(s_modalityBefore);
        if (before.isValid()) {
            widget->setProperty(OpenedWhileLiveProperty, QVariant());
            widget->setProperty(s_modalityBefore, QVariant());
            widget->setWindowModality(Qt::WindowModality(before.toInt()));
        }
        return QObject::eventFilter(watched, event);
    }
    // The modality takes effect when the window is mapped, right after its show event.
    if (!blocksWindows(widget))
        return QObject::eventFilter(watched, event);
    const QList<const ScriptEngine *> live = ScriptEngine::liveEngines();
    if (live.isEmpty())
        return QObject::eventFilter(watched, event);
    widget->setProperty(s_modalityBefore, int(widget->windowModality()));
    widget->setProperty(OpenedWhileLiveProperty, true);
    widget->setWindowModality(Qt::NonModal);
    for (const ScriptEngine *engine : live) {
        QVector<QPointer<QWidget>> &dialogs = openedFor()[engine];
        dialogs.removeAll(nullptr);
        dialogs.append(widget);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace QMMistlark
