#include "QMWidgets/widgets/UltraRadioBoxPopup.h"

#include <QEvent>

namespace QMWidgets {

UltraRadioBoxPopup::UltraRadioBoxPopup(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

bool UltraRadioBoxPopup::isMouseOver() const
{
    return m_mouseOver;
}

bool UltraRadioBoxPopup::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        hide();
    return QWidget::event(event);
}

void UltraRadioBoxPopup::enterEvent(QEvent *event)
{
    m_mouseOver = true;
    QWidget::enterEvent(event);
}

void UltraRadioBoxPopup::leaveEvent(QEvent *event)
{
    m_mouseOver = false;
    QWidget::leaveEvent(event);
}

} // namespace QMWidgets
