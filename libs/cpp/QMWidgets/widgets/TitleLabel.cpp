#include "QMWidgets/widgets/TitleLabel.h"

#include <QMouseEvent>

namespace QMWidgets {

TitleLabel::TitleLabel(QWidget *parent)
    : QLabel(parent)
{
}

TitleLabel::~TitleLabel()
{
    delete m_overlay;
}

void TitleLabel::setOverlay(QWidget *widget, const QPoint &offset)
{
    if (m_overlay != widget)
        delete m_overlay;
    m_overlay = widget;
    m_overlayOffset = offset;
    if (m_overlay)
        m_overlay->setWindowFlags(Qt::ToolTip);
}

void TitleLabel::placeOverlay()
{
    if (m_overlay)
        m_overlay->move(mapToGlobal(m_overlayOffset));
}

void TitleLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressX = event->pos().x();
    m_pressY = event->pos().y();
    QLabel::mousePressEvent(event);
}

void TitleLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (QWidget *window = parentWidget())
        window->move(event->globalPos().x() - m_pressX, event->globalPos().y() - m_pressY);
    placeOverlay();
    QLabel::mouseMoveEvent(event);
}

void TitleLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    placeOverlay();
}

void TitleLabel::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    if (m_overlay)
        m_overlay->show();
}

void TitleLabel::hideEvent(QHideEvent *event)
{
    QLabel::hideEvent(event);
    if (m_overlay)
        m_overlay->hide();
}

} // namespace QMWidgets
