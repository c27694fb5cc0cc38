#pragma once

#include "QMWidgets/widgets/TopWidget.h"

class QLabel;

namespace QMWidgets {

// Tells the user why signing in helps and offers to sign in, to register on the account page or to
// cancel. exec() gives 1 after Login or Registration and 0 otherwise; isLoginChosen() tells the two apart.
class LoginAdviceDialog : public TopWidget
{
    Q_OBJECT

public:
    explicit LoginAdviceDialog(QWidget *parent = nullptr);

    void setText(const QString &text);
    bool isLoginChosen() const;

public slots:
    void slotRegister();
    void slotLogin();

private:
    QLabel *m_messageLabel = nullptr;
    bool m_loginChosen = false;
};

} // namespace QMWidgets
