#include "scripting/automation/InputSynthesis.h"

#include "scripting/automation/DropSimulator.h"
#include "scripting/automation/KeyNameTable.h"
#include "scripting/automation/TargetMainWidget.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QShowEvent>
#include <QWidget>

#include <climits>

namespace QMMistlark {

namespace {

QWidget *asWidget(QObject *object)
{
    return qobject_cast<QWidget *>(object);
}

void postMouseEvent(QObject *object, QEvent::Type type, int x, int y, Qt::MouseButton mb,
                    Qt::MouseButtons mbs)
{
    QWidget *widget = asWidget(object);
    if (!widget)
        return;
    // A number that names no button is taken for the default one.
    if (int(mb) < 0 || int(mb) > int(Qt::MaxMouseButton))
        mb = Qt::LeftButton;
    QCoreApplication::postEvent(widget, new QMouseEvent(type, QPointF(x, y), mb, mbs, Qt::NoModifier));
}

// Seven pixels on, far enough for a drag to start; a coordinate near the largest int stays at it.
int movedCoordinate(int coordinate)
{
    return int(qMin(qint64(coordinate) + 7, qint64(INT_MAX)));
}

void postKeyPress(QObject *receiver, int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

} // namespace

void InputSynthesis::keyPress(QObject *w, int key)
{
    if (QWidget *widget = asWidget(w))
        postKeyPress(widget, key, Qt::NoModifier, QString());
}

void InputSynthesis::clickMenuItem(QObject *w, const QString &text)
{
    QMenu *menu = qobject_cast<QMenu *>(w);
    if (!menu)
        return;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        // Compared with the mnemonic ampersands: "&Open" is not "Open".
        if (action->text() == text) {
            // The middle, not the corner: with a style that puts the first entry at (0, 0), QMenu takes a
            // press there for one outside the menu and closes.
            const QPoint point = menu->actionGeometry(action).center();
            mouseClick(menu, point.x(), point.y(), Qt::LeftButton, Qt::LeftButton);
            return;
        }
    }
    // Menus may hold widgets (through QWidgetAction) with no entry text of their own.
    const QList<QWidget *> descendants = menu->findChildren<QWidget *>();
    for (QWidget *descendant : descendants) {
        if (descendant->toolTip() == text) {
            mouseClick(descendant, 1, 1, Qt::LeftButton, Qt::LeftButton);
            return;
        }
    }
    for (QWidget *descendant : descendants) {
        QAbstractButton *button = qobject_cast<QAbstractButton *>(descendant);
        if (button && button->text() == text) {
            mouseClick(button, 1, 1, Qt::LeftButton, Qt::LeftButton);
            return;
        }
    }
}

void InputSynthesis::typeText(QObject *w, const QString &text, QScriptEngine *scriptEngine)
{
    QPointer<QWidget> widget = asWidget(w);
    if (!widget)
        return;
    // Receivers that type read the event's text, so one key code serves every character.
    if (text.size() <= TypedAtOnceBound) {
        for (const QChar character : text)
            postKeyPress(widget, Qt::Key_A, Qt::NoModifier, QString(character));
        return;
    }
    // Posted at once, millions of keys would hold the window out of Stop's reach for minutes. So a long text is
    // typed here, key by key, after what was posted before it; the window handles its other events as often as
    // a busy script does, and Stop ends the typing as it ends a delay.
    bool stopped = false;
    QObject stopGuard;
    if (auto *stoppable = qobject_cast<ScriptEngine *>(scriptEngine))
        QObject::connect(stoppable, &ScriptEngine::waitsCancelled, &stopGuard, [&stopped] { stopped = true; });
    QCoreApplication::sendPostedEvents();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (const QChar character : text) {
        if (stopped || !widget)
            return;
        postKeyPress(widget, Qt::Key_A, Qt::NoModifier, QString(character));
        QCoreApplication::sendPostedEvents(widget, 0);
        if (sinceEvents.hasExpired(TypingEventsInterval)) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }
}

void InputSynthesis::sendEvent(QObject *w, int type)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return;
    switch (type) {
    case QEvent::MouseButtonPress:
        mousePress(widget, 1, 1, Qt::LeftButton, Qt::LeftButton);
        break;
    case QEvent::MouseButtonRelease:
        mouseRelease(widget, 1, 1, Qt::LeftButton, Qt::LeftButton);
        break;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClick(widget, 1, 1, Qt::LeftButton, Qt::LeftButton);
        break;
    case QEvent::Paint: {
        QPaintEvent event(QRect(0, 0, widget->width(), widget->height()));
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    // Only the events: the widget is not shown, hidden or closed by them.
    case QEvent::Show: {
        QShowEvent event;
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    case QEvent::Hide: {
        QHideEvent event;
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    case QEvent::Close: {
        QCloseEvent event;
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    default:
        break;
    }
}

void InputSynthesis::shortCutPress(const QString &text, QObject *peditor)
{
    QObject *mainWidget = targetMainWidget();
    if (!mainWidget)
        return;

    const QStringList parts = text.split(QLatin1Char('+'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    int key = -1;
    for (const QString &part : parts) {
        if (isModifierName(part))
            modifiers |= modifierByName(part);
        else // the split swallows a "+" key: "Ctrl++" gives "Ctrl", "" and ""
            key = keyCodeByName(part.isEmpty() ? QStringLiteral("+") : part);
    }
    if (key <= 0)
        return;

    QWidget *editor = asWidget(peditor);
    if (editor)
        editor->setDisabled(true);
    postKeyPress(mainWidget, key, modifiers, QString());
    if (editor)
        editor->setDisabled(false);
}

void InputSynthesis::dragAndDrop(QObject *source, int x, int y, QObject *target, int tx, int ty)
{
    // The source's own mouse handling starts the drag; the simulator then finds it and drops it.
    mousePress(source, x, y, Qt::LeftButton, Qt::LeftButton);
    mouseMove(source, movedCoordinate(x), movedCoordinate(y), Qt::LeftButton, Qt::LeftButton);
    DropSimulator *simulator = new DropSimulator;
    simulator->setSource(asWidget(source));
    simulator->setTarget(asWidget(target), QPoint(tx, ty));
    simulator->start(5);
}

void InputSynthesis::mouseMove(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseMove, x, y, mb, mbs);
}

void InputSynthesis::mousePress(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseButtonPress, x, y, mb, mbs);
}

void InputSynthesis::mouseRelease(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseButtonRelease, x, y, mb, mbs);
}

void InputSynthesis::mouseClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return;
    const int clickX = x >= 0 ? x : widget->width() / 2;
    const int clickY = y >= 0 ? y : widget->height() / 2;
    postMouseEvent(widget, QEvent::MouseButtonPress, clickX, clickY, mb, mbs);
    postMouseEvent(widget, QEvent::MouseButtonRelease, clickX, clickY, mb, mbs);
}

void InputSynthesis::mouseDoubleClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseButtonDblClick, x, y, mb, mbs);
}

} // namespace QMMistlark
