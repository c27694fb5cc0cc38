#pragma once

#include "QMWidgets/dialogs/ReminderDialog.h"

namespace QMWidgets {

// Reminds the user to follow the maker, with the follow buttons.
class JoinReminderDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit JoinReminderDialog(QWidget *parent);
};

} // namespace QMWidgets
