#include "QMWidgets/dialogs/InputDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/ModalRun.h"
#include "QMWidgets/style/StyleHelpers.h"

#include "MGraphX/OutsideResources.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace QMWidgets {

InputDialog::InputDialog(const QString &label, QWidget *parent, Qt::WindowFlags flags, int mode)
    : QDialog(parent)
{
    Q_UNUSED(flags)
    setObjectName(QStringLiteral("InputDialog"));

    m_stack = new QStackedWidget;
    m_spinBox = new QSpinBox;
    m_lineEdit = new QLineEdit;
    m_lineEdit->setFixedHeight(32);
    m_stack->addWidget(m_spinBox);
    m_stack->addWidget(m_lineEdit);
    setMode(mode);

    m_okButton = new QPushButton(tr("Ok"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    setupPushButton(m_okButton);
    setupPushButton(m_cancelButton);
    connect(m_okButton, SIGNAL(clicked()), this, SLOT(accept()));
    connect(m_cancelButton, SIGNAL(clicked()), this, SLOT(reject()));

    // Small screens have no room for a row of buttons.
    QBoxLayout *buttonLayout = App::isSmallScreen() ? static_cast<QBoxLayout *>(new QVBoxLayout)
                                                    : static_cast<QBoxLayout *>(new QHBoxLayout);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(m_okButton);
    buttonLayout->addWidget(m_cancelButton);

    auto *caption = new QLabel(label);
    // The caption may come from outside and name pictures: they load within the bounds, never by Qt's own loader.
    MGraphX::boundLabelResources(caption);
    auto inputLayout = new QVBoxLayout;
    inputLayout->addWidget(caption);
    inputLayout->addWidget(m_stack);

    auto mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(10, 10, 10, 10);
    mainLayout->setSpacing(7);
    mainLayout->addLayout(inputLayout);
    mainLayout->addLayout(buttonLayout);
}

void InputDialog::setMode(int mode)
{
    m_mode = mode;
    if (mode == IntegerInput) {
        m_stack->setCurrentWidget(m_spinBox);
        m_spinBox->setFocus(Qt::OtherFocusReason);
    } else if (mode == TextInput) {
        m_stack->setCurrentWidget(m_lineEdit);
        m_lineEdit->setFocus(Qt::OtherFocusReason);
    }
}

int InputDialog::mode() const
{
    return m_mode;
}

QSpinBox *InputDialog::spinBox() const
{
    return m_spinBox;
}

QLineEdit *InputDialog::lineEdit() const
{
    return m_lineEdit;
}

void InputDialog::accept()
{
    QDialog::accept();
}

void InputDialog::reject()
{
    QDialog::reject();
}

QString InputDialog::getText(QWidget *parent, const QString &title, const QString &label,
                             QLineEdit::EchoMode echo, const QString &text, bool *ok, Qt::WindowFlags flags)
{
    auto *dialog = new InputDialog(label, parent, flags, TextInput);
    dialog->setWindowTitle(title);
    dialog->lineEdit()->setEchoMode(echo);
    dialog->lineEdit()->setText(text);
    dialog->lineEdit()->setFocus(Qt::OtherFocusReason);

    // A parent deleted while the dialog runs takes the dialog with it: that is a cancel.
    const auto answer = runModal(dialog, [](InputDialog *asked, int result) {
        return std::make_pair(result == QDialog::Accepted, asked->lineEdit()->text());
    });
    if (ok)
        *ok = answer && answer->first;
    return answer ? answer->second : text;
}

int InputDialog::getInt(QWidget *parent, const QString &title, const QString &label, int value, int min,
                        int max, int step, bool *ok, Qt::WindowFlags flags)
{
    Q_UNUSED(step)
    auto *dialog = new InputDialog(label, parent, flags, IntegerInput);
    dialog->setWindowTitle(title);
    // The range first, so the value opens clamped to it.
    dialog->spinBox()->setRange(min, max);
    dialog->spinBox()->setValue(value);

    const auto answer = runModal(dialog, [](InputDialog *asked, int result) {
        return std::make_pair(result == QDialog::Accepted, asked->spinBox()->value());
    });
    if (ok)
        *ok = answer && answer->first;
    return answer ? answer->second : qBound(min, value, max);
}

} // namespace QMWidgets
