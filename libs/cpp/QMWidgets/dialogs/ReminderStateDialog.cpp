#include "QMWidgets/dialogs/ReminderStateDialog.h"

#include "QMWidgets/app/ModalRun.h"

#include <QCoreApplication>

namespace QMWidgets {

ReminderStateDialog::ReminderStateDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName());
}

int ReminderStateDialog::result() const
{
    return m_answer;
}

std::optional<int> ReminderStateDialog::ask(ReminderStateDialog *prompt)
{
    return runModal(prompt, [](ReminderStateDialog *asked, int) { return asked->result(); });
}

void ReminderStateDialog::setAnswer(int answer)
{
    m_answer = answer;
}

} // namespace QMWidgets
