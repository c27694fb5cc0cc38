#pragma once

#include "QMWidgets/dialogs/ReminderDialog.h"

namespace QMWidgets {

// Asks the user to rate the application: Rate It Now, Later, or never again.
class RateAppStoreDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit RateAppStoreDialog(QWidget *parent);
};

} // namespace QMWidgets
