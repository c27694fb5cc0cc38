#include "QMWidgets/dialogs/RateAppStoreDialog.h"

#include "QMWidgets/app/App.h"

#include <QLabel>
#include <QPushButton>

namespace QMWidgets {

RateAppStoreDialog::RateAppStoreDialog(QWidget *parent)
    : ReminderDialog(parent)
{
    const bool small = App::isSmallScreen();
    const QString name = QCoreApplication::applicationName();
    setWindowTitle(tr("Rate") + QStringLiteral(" \"") + name + QLatin1Char('"'));

    m_mailButton->hide();
    m_rateButton->setText(tr("&Rate It Now"));
    m_textLabel->setText(QStringLiteral("<CENTER>") + (small ? QStringLiteral("<H3>") : QStringLiteral("<H2>"))
                         + tr("Enjoying") + QStringLiteral(" \"") + name + tr("\" ?")
                         + (small ? QStringLiteral("</H3>") : QStringLiteral("</H2>"))
                         + (small ? QStringLiteral("<H4>") : QStringLiteral("<H3>"))
                         + tr("Please rate the app on the App Store.<br>This will help us improve <br>the app's "
                              "features in the future.")
                         + QStringLiteral("<br>") + (small ? QStringLiteral("</H4>") : QStringLiteral("</H3>"))
                         + QStringLiteral("</CENTER>"));
    m_rateButton->setFocus();

    connect(m_rateButton, SIGNAL(clicked()), this, SLOT(slotRate()));
    connect(m_laterButton, SIGNAL(clicked()), this, SLOT(slotMaybeLater()));
    connect(m_neverButton, SIGNAL(clicked()), this, SLOT(slotNeverAskMeAgain()));
}

} // namespace QMWidgets
