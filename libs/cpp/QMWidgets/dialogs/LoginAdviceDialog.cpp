#include "QMWidgets/dialogs/LoginAdviceDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace QMWidgets {

LoginAdviceDialog::LoginAdviceDialog(QWidget *parent)
    : TopWidget(true, parent)
{
    hideMaximizeButton();
    hideMinimizeButton();
    setTitle(QCoreApplication::applicationName() + tr(" Login Advice"));

    auto *registerButton = new QPushButton(tr("&Registration"));
    auto *loginButton = new QPushButton(tr("&Login"));
    auto *cancelButton = new QPushButton(tr("&Cancel"));
    for (QPushButton *button : {registerButton, loginButton, cancelButton})
        setupPushButton(button);
    connect(registerButton, SIGNAL(clicked()), this, SLOT(slotRegister()));
    connect(loginButton, SIGNAL(clicked()), this, SLOT(slotLogin()));
    connect(cancelButton, SIGNAL(clicked()), this, SLOT(reject()));

    m_messageLabel = new QLabel;

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(5);
    buttons->addWidget(loginButton);
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_messageLabel);
    layout->addLayout(buttons);
    contentLayout()->addLayout(layout);
}

void LoginAdviceDialog::setText(const QString &text)
{
    m_messageLabel->setText(text);
}

bool LoginAdviceDialog::isLoginChosen() const
{
    return m_loginChosen;
}

void LoginAdviceDialog::slotRegister()
{
    accept();
    // The page comes from the application object; without one, or without a page set, nothing opens.
    if (const App *app = App::instance())
        MakerLinks::open(app->accountPageUrl());
}

void LoginAdviceDialog::slotLogin()
{
    m_loginChosen = true;
    accept();
}

} // namespace QMWidgets
