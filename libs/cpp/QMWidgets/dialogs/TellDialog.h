#pragma once

#include <QDialog>

namespace QMWidgets {

// Asks the user to share the application, with the share buttons.
class TellDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TellDialog(QWidget *parent);
};

} // namespace QMWidgets
