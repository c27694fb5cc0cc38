#include "QMWidgets/widgets/RadioBox.h"

#include "QMWidgets/style/DisabledLook.h"

#include <QAbstractButton>
#include <QPalette>

namespace QMWidgets {

RadioBox::RadioBox(QBoxLayout::Direction direction, QWidget *parent)
    : QWidget(parent)
{
    new DisabledLook(this);
    QPalette palette;
    palette.setBrush(backgroundRole(), QBrush(Qt::green, Qt::SolidPattern));
    setPalette(palette);
    m_layout = new QBoxLayout(direction);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setLayout(m_layout);
}

void RadioBox::addButton(QAbstractButton *button)
{
    if (!button)
        return;
    button->setCheckable(true);
    m_layout->addWidget(button);
    connect(button, SIGNAL(clicked()), this, SLOT(slotButtonClicked()));
}

void RadioBox::slotButtonClicked()
{
    auto *clicked = qobject_cast<QAbstractButton *>(sender());
    if (!clicked)
        return;
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->setChecked(false);
    clicked->setChecked(true);
}

} // namespace QMWidgets
