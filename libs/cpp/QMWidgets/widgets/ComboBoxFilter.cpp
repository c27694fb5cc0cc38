#include "QMWidgets/widgets/ComboBoxFilter.h"

#include <QComboBox>
#include <QEvent>
#include <QPainter>
#include <QPolygonF>

namespace QMWidgets {

ComboBoxFilter::ComboBoxFilter(QObject *parent)
    : QObject(parent)
{
}

bool ComboBoxFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint)
        return false;
    m_combo = qobject_cast<QComboBox *>(watched);
    if (!m_combo)
        return true;
    const int w = m_combo->width();
    const int h = m_combo->height();
    const QRect all(0, 0, w, h);
    QPainter painter(m_combo);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette palette = m_combo->palette(); // read in its current colour group
    painter.setPen(QPen(palette.brush(QPalette::Text), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(palette.brush(QPalette::Base));
    painter.drawRect(all);
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(all, Qt::AlignCenter | Qt::TextWordWrap, m_combo->currentText());
    painter.setBrush(palette.brush(QPalette::Text));
    const QPolygonF corner({QPointF(w, h), QPointF(w, h / 1.5), QPointF(w - h / 3, h)});
    painter.translate(-7, -7);
    painter.drawPolygon(corner, Qt::OddEvenFill);
    return true;
}

} // namespace QMWidgets
