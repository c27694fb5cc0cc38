#include "QMWidgets/widgets/EmailEdit.h"

#include "MTools/EmailRegExp.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace QMWidgets {

EmailEdit::EmailEdit(QWidget *parent)
    : QWidget(parent)
{
    m_lineEdit = new QLineEdit;
    m_ecardButton = new QPushButton;
    m_emailButton = new QPushButton;
    setNameAndToolTip(m_ecardButton, QStringLiteral("CardEditButton"), tr("Send an ecard"));
    setNameAndToolTip(m_emailButton, QStringLiteral("EmailEditButton"), tr("Send an email"));
    for (QPushButton *button : {m_ecardButton, m_emailButton}) {
        button->setFixedSize(24, 24);
        button->setFlat(true);
        button->setEnabled(false);
    }
    connect(m_lineEdit, SIGNAL(textChanged(const QString &)), this, SLOT(slotTextChanged()));
    connect(m_ecardButton, SIGNAL(clicked()), this, SLOT(slotSendECard()));
    connect(m_emailButton, SIGNAL(clicked()), this, SLOT(slotSendEmail()));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_lineEdit);
    layout->addWidget(m_ecardButton);
    layout->addWidget(m_emailButton);
}

void EmailEdit::setText(const QString &text)
{
    m_lineEdit->setText(text);
    enableButtons();
}

QString EmailEdit::text() const
{
    return m_lineEdit->text();
}

void EmailEdit::slotSendEmail()
{
    emit sendEmail(text());
}

void EmailEdit::slotSendECard()
{
    emit sendECard(text());
}

void EmailEdit::slotTextChanged()
{
    // The buttons first: an owner may delete the editor on the signal.
    enableButtons();
    emit textChanged(text());
}

void EmailEdit::enableButtons()
{
    const bool valid = MTools::emailRegExp().exactMatch(text());
    m_ecardButton->setEnabled(valid);
    m_emailButton->setEnabled(valid);
}

} // namespace QMWidgets
