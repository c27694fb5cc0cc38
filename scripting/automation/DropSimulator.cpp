#include "scripting/automation/DropSimulator.h"

#include "scripting/engine/ScriptActivity.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>

namespace QMMistlark {

DropSimulator::DropSimulator(QObject *parent)
    : QObject(parent)
{
}

DropSimulator::~DropSimulator()
{
    releaseHeldDrags();
}

void DropSimulator::setSource(QWidget *source)
{
    m_source = source;
    // The drag is a child of the source or of a widget in it, made and executed by the source's handlers.
    if (source && QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

void DropSimulator::setTarget(QWidget *target, const QPoint &point)
{
    m_target = target;
    m_dropPoint = point;
}

void DropSimulator::start(int milliseconds)
{
    // A negative time would not start the timer, and the simulator would never run nor go away.
    m_timer.start(qMax(0, milliseconds), this);
}

void DropSimulator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    // Held: looked at again at the next pass of the event loop.
    if (ScriptActivity::isBusy(nullptr)) {
        m_timer.start(0, this);
        return;
    }
    m_timer.stop();
    simulate();
}

void DropSimulator::simulate()
{
    // Deleted whatever happens below: nothing else holds the simulator, and it serves one gesture only.
    deleteLater();
    m_simulated = true;
    if (!m_source || !m_target) {
        releaseHeldDrags();
        return;
    }
    const QList<QDrag *> drags = m_source->findChildren<QDrag *>();
    if (drags.isEmpty())
        return;

    // The target's handlers may run event loops that delete the drag or the target, so both are
    // checked again before each event.
    const QPointer<QDrag> drag = drags.last();
    const bool executing = runsInsideExec(drag);
    QDragEnterEvent enter(m_dropPoint, Qt::CopyAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_target, &enter);
    if (drag && m_target) {
        QDragMoveEvent move(m_dropPoint, Qt::CopyAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_target, &move);
    }
    if (drag && m_target) {
        QDropEvent drop(QPointF(m_dropPoint), Qt::CopyAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_target, &drop);
    }

    // A drag whose exec still waits for a real mouse release would keep the source's handler, and the
    // script behind it, waiting: it is over now.
    if (executing && drag)
        QDrag::cancel();

    // Ends the drag that the platform may still be running for the source.
    if (QObject *mainWidget = targetMainWidget()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString());
        QCoreApplication::sendEvent(mainWidget, &escape);
    }
    releaseHeldDrags();
}

bool DropSimulator::eventFilter(QObject *watched, QEvent *event)
{
    if (m_simulated || !m_source)
        return false;
    if (event->type() == QEvent::ChildAdded && liesBelowSource(watched)) {
        // Sent while the child is still being constructed: it is not yet known to be a drag.
        m_creationDepths.insert(static_cast<QChildEvent *>(event)->child(), QThread::currentThread()->loopLevel());
    } else if (event->type() == QEvent::DeferredDelete) {
        // QDrag::exec has returned and its drag is on its way out: held until the drop is done.
        if (qobject_cast<QDrag *>(watched) && liesBelowSource(watched->parent())) {
            m_heldDrags.append(watched);
            return true;
        }
    }
    return false;
}

bool DropSimulator::liesBelowSource(const QObject *object) const
{
    for (; object; object = object->parent()) {
        if (object == m_source)
            return true;
    }
    return false;
}

bool DropSimulator::runsInsideExec(const QObject *drag) const
{
    for (const QPointer<QObject> &held : m_heldDrags) {
        if (held == drag)
            return false;
    }
    const auto depth = m_creationDepths.constFind(drag);
    return depth != m_creationDepths.constEnd() && QThread::currentThread()->loopLevel() > depth.value();
}

void DropSimulator::releaseHeldDrags()
{
    const QList<QPointer<QObject>> held = m_heldDrags;
    m_heldDrags.clear();
    for (const QPointer<QObject> &drag : held)
        delete drag.data();
}

} // namespace QMMistlark
