#include "QMWidgets/widgets/CheckButton.h"

#include "QMWidgets/style/DisabledLook.h"

namespace QMWidgets {

CheckButton::CheckButton(QWidget *parent)
    : QPushButton(parent)
{
    new DisabledLook(this);
    setCheckable(true);
    setChecked(false);
    connect(this, SIGNAL(toggled(bool)), this, SLOT(slotClicked(bool)));
}

void CheckButton::slotClicked(bool on)
{
    if (on)
        emit onClicked();
    else
        emit offClicked();
}

} // namespace QMWidgets
