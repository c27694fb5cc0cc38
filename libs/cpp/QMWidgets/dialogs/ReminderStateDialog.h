#pragma once

#include <QDialog>

#include <optional>

namespace QMWidgets {

// A prompt that remembers which answer the user gave, for its caller to read after exec().
class ReminderStateDialog : public QDialog
{
    Q_OBJECT

public:
    enum Answer { Rate = 0, Mail = 1, Later = 2, NeverAskAgain = 3, NoChoice = 4 };

    explicit ReminderStateDialog(QWidget *parent);

    // The answer; NoChoice until one of the answer slots runs.
    int result() const;

    // Runs the prompt modally and deletes it. No answer when its parent went while it ran and took it along:
    // Rate has the value of QDialog::Rejected, so the result of exec() cannot tell that case.
    static std::optional<int> ask(ReminderStateDialog *prompt);

protected:
    void setAnswer(int answer);

private:
    int m_answer = NoChoice;
};

} // namespace QMWidgets
