#include "QMWidgets/dialogs/TellReminderDialog.h"

#include "QMWidgets/dialogs/TellWidget.h"

namespace QMWidgets {

TellReminderDialog::TellReminderDialog(QWidget *parent)
    : ReminderDialog(parent)
{
    setWindowTitle(tr("Share"));
    showFrameInstead(new TellWidget(nullptr));
}

} // namespace QMWidgets
