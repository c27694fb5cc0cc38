#include "QMWidgets/dialogs/ReminderDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace QMWidgets {

ReminderDialog::ReminderDialog(QWidget *parent)
    : ReminderStateDialog(parent)
{
    const bool small = App::isSmallScreen();
    setObjectName(QStringLiteral("Dialog"));

    m_textLabel = new QLabel;
    m_textLabel->setMinimumHeight(90);
    m_rateButton = new QPushButton(tr("&Rate"));
    m_mailButton = new QPushButton(tr("&Mail"));
    m_laterButton = new QPushButton(tr("&Later"));
    m_neverButton = new QPushButton(tr("&Don't ask me again"));
    m_extraRow = new QHBoxLayout;
    m_extraRow->setContentsMargins(0, 0, 0, 0);
    m_extraRow->setSpacing(0);
    m_logoLabel = new QLabel;
    m_logoLabel->setObjectName(QStringLiteral("LogoLabel"));
    m_logoLabel->setFixedSize(90, 90);

    for (QPushButton *button : {m_rateButton, m_mailButton, m_laterButton, m_neverButton})
        setupPushButton(button);
    // Only ever hidden here: showing a button that has no parent yet would open it as a window.
    const App *app = App::instance();
    if (app && !app->value(QStringLiteral("AutoReminder"), true).toBool())
        m_neverButton->hide();

    QBoxLayout *top = nullptr;
    if (small) {
        auto *logoRow = new QHBoxLayout;
        logoRow->addStretch();
        logoRow->addWidget(m_logoLabel);
        logoRow->addStretch();
        top = new QVBoxLayout;
        top->addLayout(logoRow);
        top->addWidget(m_textLabel);
    } else {
        top = new QHBoxLayout;
        m_logoBesideText = true;
        top->addWidget(m_logoLabel);
        top->addWidget(m_textLabel);
    }
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(5);

    QBoxLayout *buttons = nullptr;
    if (small) {
        buttons = new QVBoxLayout;
        for (QPushButton *button : {m_mailButton, m_rateButton, m_laterButton, m_neverButton})
            buttons->addWidget(button);
    } else {
        buttons = new QHBoxLayout;
        for (QPushButton *button : {m_neverButton, m_laterButton, m_rateButton, m_mailButton})
            buttons->addWidget(button);
    }
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(5);

    // On a short screen the text and the frame scroll and the answer buttons stay in view.
    auto *body = new QWidget;
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(1);
    bodyLayout->addLayout(top);
    bodyLayout->addLayout(m_extraRow);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(1);
    layout->addWidget(new BodyScrollArea(body, this), 1);
    layout->addLayout(buttons);
    fitDialogIntoScreen(this);
}

void ReminderDialog::setVisible(bool visible)
{
    // The text comes from the subclass after this face is built, so its width is known only now. A text wider
    // than the screen wraps within the screen's width, and the body scrolls down instead of sideways.
    QScreen *shown = screen();
    if (visible && shown && !m_textLabel->isHidden() && !m_textLabel->wordWrap()) {
        ensurePolished();
        const int text = m_textLabel->sizeHint().width();
        // Around the text: the margins, the logo when it stands beside the text, the scroll bar and the frame.
        const QMargins margins = layout()->contentsMargins();
        const int around = margins.left() + margins.right() + (m_logoBesideText ? m_logoLabel->width() + 5 : 0)
                           + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 32;
        const int room = shown->availableGeometry().width() - around;
        if (text > room) {
            m_textLabel->setWordWrap(true);
            m_textLabel->setMinimumWidth(qMax(room, m_logoLabel->width()));
        }
    }
    ReminderStateDialog::setVisible(visible);
}

void ReminderDialog::answer(int value)
{
    setAnswer(value);
    accept();
}

void ReminderDialog::slotMail()
{
    answer(Mail);
}

void ReminderDialog::slotRate()
{
    answer(Rate);
}

void ReminderDialog::slotMaybeLater()
{
    answer(Later);
}

void ReminderDialog::slotNeverAskMeAgain()
{
    answer(NeverAskAgain);
}

void ReminderDialog::showFrameInstead(QWidget *frame)
{
    m_extraRow->addStretch(1);
    m_extraRow->addWidget(frame);
    m_extraRow->addStretch(1);
    m_rateButton->setText(tr("&Close"));
    m_rateButton->setFocus();
    m_textLabel->hide();
    m_laterButton->hide();
    m_mailButton->hide();
    // Close leaves the answer open; the never button answers as it does in the rate prompt.
    connect(m_rateButton, SIGNAL(clicked()), this, SLOT(accept()));
    connect(m_neverButton, SIGNAL(clicked()), this, SLOT(slotNeverAskMeAgain()));
}

void ReminderDialog::focusInEvent(QFocusEvent *event)
{
    ReminderStateDialog::focusInEvent(event);
    QPushButton *target = m_mailButton->isHidden() ? m_laterButton : m_mailButton;
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace QMWidgets
