#include "QMWidgets/dialogs/RateMailDialog.h"

#include "QMWidgets/app/App.h"

#include <QLabel>
#include <QPushButton>

namespace QMWidgets {

RateMailDialog::RateMailDialog(QWidget *parent)
    : ReminderDialog(parent)
{
    const bool small = App::isSmallScreen();
    setWindowTitle(tr("Feedback about") + QStringLiteral(" \"") + QCoreApplication::applicationName()
                   + QLatin1Char('"'));

    m_rateButton->setText(tr("&Rate"));
    m_mailButton->setText(tr("&Write email"));
    m_textLabel->setText(QStringLiteral("<CENTER>") + (small ? QStringLiteral("<H4>") : QStringLiteral("<H3>"))
                         + tr("Please rate it on the app store or send us a quick e-mail<br>and tell us what you "
                              "didn't enjoy. <br>Your feedback will help us improve this app.")
                         + (small ? QStringLiteral("</H4>") : QStringLiteral("</H3>")) + QStringLiteral("</CENTER>"));
    m_rateButton->setFocus();

    connect(m_rateButton, SIGNAL(clicked()), this, SLOT(slotRate()));
    connect(m_mailButton, SIGNAL(clicked()), this, SLOT(slotMail()));
    connect(m_laterButton, SIGNAL(clicked()), this, SLOT(slotMaybeLater()));
    connect(m_neverButton, SIGNAL(clicked()), this, SLOT(slotNeverAskMeAgain()));
}

} // namespace QMWidgets
