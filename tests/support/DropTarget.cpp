#include "DropTarget.h"

#include <QDropEvent>
#include <QMimeData>

DropTarget::DropTarget(QStringList *log, QWidget *parent)
    : QWidget(parent)
    , m_log(log)
{
    setAcceptDrops(true);
}

void DropTarget::dragEnterEvent(QDragEnterEvent *event)
{
    record(QStringLiteral("enter"), event);
}

void DropTarget::dragMoveEvent(QDragMoveEvent *event)
{
    record(QStringLiteral("move"), event);
}

void DropTarget::dropEvent(QDropEvent *event)
{
    record(QStringLiteral("drop"), event);
}

void DropTarget::record(const QString &kind, QDropEvent *event)
{
    // A simulated drop may come without data: the log says so instead of the test crashing.
    *m_log << QStringLiteral("%1 (%2,%3) %4").arg(kind).arg(event->pos().x()).arg(event->pos().y())
                  .arg(event->mimeData() ? event->mimeData()->text() : QStringLiteral("no data"));
    event->acceptProposedAction();
}
