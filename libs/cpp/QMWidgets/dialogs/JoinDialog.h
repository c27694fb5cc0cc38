#pragma once

#include <QDialog>

namespace QMWidgets {

// Asks the user to follow the maker, with the follow buttons.
class JoinDialog : public QDialog
{
    Q_OBJECT

public:
    explicit JoinDialog(QWidget *parent);
};

} // namespace QMWidgets
