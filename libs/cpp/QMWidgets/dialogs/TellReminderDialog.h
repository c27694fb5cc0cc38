#pragma once

#include "QMWidgets/dialogs/ReminderDialog.h"

namespace QMWidgets {

// Reminds the user to share the application, with the share buttons.
class TellReminderDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit TellReminderDialog(QWidget *parent);
};

} // namespace QMWidgets
