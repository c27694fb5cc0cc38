#include "scripting/DropSimulator.h"

#include "scripting/ScriptActivity.h"
#include "scripting/TargetMainWidget.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimerEvent>

namespace QMMistlark {

DropSimulator::DropSimulator(QObject *parent)
    : QObject(parent)
{
}

void DropSimulator::setSource(QWidget *source)
{
    m_source = source;
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
    if (!m_source || !m_target)
        return;
    const QList<QDrag *> drags = m_source->findChildren<QDrag *>();
    if (drags.isEmpty())
        return;

    // The target's handlers may run event loops that delete the drag or the target, so both are
    // checked again before each event.
    const QPointer<QDrag> drag = drags.last();
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

    // Ends the drag that the platform may still be running for the source.
    if (QObject *mainWidget = targetMainWidget()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString());
        QCoreApplication::sendEvent(mainWidget, &escape);
    }
}

} // namespace QMMistlark
