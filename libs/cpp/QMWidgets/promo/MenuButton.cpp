#include "QMWidgets/promo/MenuButton.h"

#include "QMWidgets/style/DisabledLook.h"

#include <QPainter>

namespace QMWidgets {

MenuButton::MenuButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    new DisabledLook(this);
}

MenuButton::MenuButton(QWidget *parent)
    : QPushButton(parent)
{
    new DisabledLook(this);
}

void MenuButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::white);
    const int half = height() / 2;
    painter.drawText(QRect(QPoint(0, half), QPoint(width() - 1, 2 * half - 1)), Qt::AlignHCenter | Qt::AlignVCenter,
                     tr("Menu"));
}

} // namespace QMWidgets
