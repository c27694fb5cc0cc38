#include "QMWidgets/dialogs/JoinReminderDialog.h"

#include "QMWidgets/dialogs/JoinWidget.h"

namespace QMWidgets {

JoinReminderDialog::JoinReminderDialog(QWidget *parent)
    : ReminderDialog(parent)
{
    setWindowTitle(tr("Join Us"));
    showFrameInstead(new JoinWidget(nullptr));
}

} // namespace QMWidgets
