#include "ReminderStateDialog.h"

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

void ReminderStateDialog::setAnswer(int answer)
{
    m_answer = answer;
}

} // namespace QMWidgets
