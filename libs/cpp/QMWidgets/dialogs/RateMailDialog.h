#pragma once

#include "QMWidgets/dialogs/ReminderDialog.h"

namespace QMWidgets {

// Asks for a rating or a mail with the user's feedback.
class RateMailDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit RateMailDialog(QWidget *parent);
};

} // namespace QMWidgets
