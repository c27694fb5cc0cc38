#pragma once

#include "QMWidgets/dialogs/ReminderStateDialog.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace QMWidgets {

// The common face of the reminder prompts: logo, text, an extra row for the subclass and the four
// answer buttons. It connects none of the buttons; each subclass connects those it uses.
class ReminderDialog : public ReminderStateDialog
{
    Q_OBJECT

public:
    explicit ReminderDialog(QWidget *parent);

    void setVisible(bool visible) override;

public slots:
    void slotMail();
    void slotRate();
    void slotMaybeLater();
    void slotNeverAskMeAgain();

protected:
    void focusInEvent(QFocusEvent *event) override;
    // For the share and follow prompts: the frame between two stretches, the Rate button as "&Close".
    void showFrameInstead(QWidget *frame);

    QLabel *m_textLabel = nullptr;
    QPushButton *m_rateButton = nullptr;
    QPushButton *m_mailButton = nullptr;
    QPushButton *m_laterButton = nullptr;
    QPushButton *m_neverButton = nullptr;
    QHBoxLayout *m_extraRow = nullptr;
    QLabel *m_logoLabel = nullptr;

private:
    void answer(int value);

    bool m_logoBesideText = false;
};

} // namespace QMWidgets
