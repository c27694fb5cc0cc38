#include "QMWidgets/dialogs/LicenseDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"
#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/widgets/BoundedTextEdit.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTextEdit>

namespace QMWidgets {

namespace {

QString acceptanceKey()
{
    return QCoreApplication::applicationName() + QStringLiteral("/License");
}

} // namespace

LicenseDialog::LicenseDialog(QWidget *parent)
    : TopWidget(true, parent)
{
    hideMaximizeButton();
    hideMinimizeButton();
    hideCloseButton();
    setTitle(QCoreApplication::applicationName() + QLatin1Char(' ') + tr("License Agreement"));

    auto *agree = new QPushButton(tr("&Agree"));
    auto *disagree = new QPushButton(tr("&Disagree"));
    setupPushButton(agree);
    setupPushButton(disagree);
    connect(agree, &QPushButton::clicked, this, &LicenseDialog::slotAccept);
    connect(disagree, &QPushButton::clicked, this, &TopWidget::reject);

    // Whoever shows the agreement fills in its text: what it names loads within the bounds.
    m_text = new BoundedTextEdit;
    m_text->setReadOnly(true);
    m_text->setStyleSheet(QStringLiteral("background:white; color:black"));

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(2);
    buttons->addStretch();
    buttons->addWidget(agree);
    buttons->addWidget(disagree);
    auto *column = new QVBoxLayout;
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    // On a short screen the text scrolls within a smaller window and the buttons stay in view.
    column->addWidget(new BodyScrollArea(m_text, this), 1);
    column->addLayout(buttons);
    contentLayout()->addLayout(column);
    fitDialogIntoScreen(this);
}

QTextEdit *LicenseDialog::textEdit() const
{
    return m_text;
}

bool LicenseDialog::isAccepted()
{
    App *app = App::instance();
    return app && app->value(acceptanceKey(), false).toBool();
}

void LicenseDialog::slotAccept()
{
    if (App *app = App::instance())
        app->setValue(acceptanceKey(), true);
    accept();
}

void LicenseDialog::slotDisagree()
{
}

} // namespace QMWidgets
