#include "DragSource.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

DragSource::DragSource(QStringList *log, QWidget *parent, Start start)
    : QWidget(parent)
    , m_log(log)
    , m_start(start)
{
}

void DragSource::mousePressEvent(QMouseEvent *event)
{
    *m_log << QStringLiteral("source press (%1,%2)").arg(event->x()).arg(event->y());
}

void DragSource::mouseMoveEvent(QMouseEvent *event)
{
    *m_log << QStringLiteral("source move (%1,%2)").arg(event->x()).arg(event->y());
    if (!(event->buttons() & Qt::LeftButton))
        return;
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setText(QStringLiteral("payload"));
    drag->setMimeData(data);
    if (m_start == Start::Execute) {
        drag->exec(Qt::CopyAction);
        *m_log << QStringLiteral("source exec over");
    }
}
