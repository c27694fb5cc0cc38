#include "QMWidgets/widgets/IconLabel.h"

namespace QMWidgets {

IconLabel::IconLabel(QWidget *parent)
    : QLabel(parent)
{
}

void IconLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
}

} // namespace QMWidgets
