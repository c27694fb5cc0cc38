#include "QMWidgets/dialogs/JoinWidget.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace QMWidgets {

JoinWidget::JoinWidget(QWidget *parent)
    : QFrame(parent)
{
    const bool small = App::isSmallScreen();
    m_facebookButton = newSocialButton(QStringLiteral("FaceBookJoinButton"));
    m_youTubeButton = newSocialButton(QStringLiteral("YouTubeJoinButton"));
    m_twitterButton = newSocialButton(QStringLiteral("TwitterJoinButton"));
    m_vkontakteButton = newSocialButton(QStringLiteral("VKontakteJoinButton"));
    m_emailButton = newSocialButton(QStringLiteral("EmailJoinButton"));

    m_emailButton->hide();
    if (App::instance()->language() != QLatin1String("ru"))
        m_vkontakteButton->hide();

    connect(m_youTubeButton, SIGNAL(clicked()), this, SLOT(slotYouTubeClicked()));
    connect(m_facebookButton, SIGNAL(clicked()), this, SLOT(slotFaceBookClicked()));
    connect(m_twitterButton, SIGNAL(clicked()), this, SLOT(slotTwitterClicked()));
    connect(m_vkontakteButton, SIGNAL(clicked()), this, SLOT(slotVKontakteClicked()));
    connect(m_emailButton, SIGNAL(clicked()), this, SLOT(slotEmailClicked()));

    auto *label = new QLabel(
        (small ? QStringLiteral("<H5>") : QStringLiteral("<H3>")) + tr("Follow us and stay informed<br>about our")
        + (small ? QStringLiteral("</H5>") : QStringLiteral("</H3>"))
        + (small ? QStringLiteral("<H4>") : QStringLiteral("<H3>")) + tr("   1. Important News<br>")
        + tr("   2. New APPs<br>") + tr("   3. APP Updates<br>") + tr("   and more...")
        + (small ? QStringLiteral("</H4>") : QStringLiteral("</H3>")));

    auto *column = new QVBoxLayout;
    column->setSpacing(6);
    column->setContentsMargins(10, 10, 10, 10);
    for (QPushButton *button : {m_youTubeButton, m_facebookButton, m_twitterButton, m_vkontakteButton, m_emailButton})
        column->addWidget(button);
    auto *centre = new QHBoxLayout;
    centre->setContentsMargins(0, 0, 0, 0);
    centre->setSpacing(0);
    centre->addStretch();
    centre->addLayout(column);
    centre->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(label);
    layout->addLayout(centre);
}

void JoinWidget::slotYouTubeClicked()
{
    MakerLinks::open(MakerLinks::redirected(MakerLinks::joinRedirect(),
                                            MakerLinks::youTubeChannel() + QStringLiteral("?sub_confirmation=1")));
}

void JoinWidget::slotFaceBookClicked()
{
    // The page opens only once the box is closed, so the user reads what to do there first.
    MMessageBox::information(App::instance()->mainWidget(), tr("Information"),
                             tr("<H3>\"Like\" Borlune on Facebook to join us!<br>Thank you!</H3>"),
                             QMessageBox::Ok);
    MakerLinks::open(MakerLinks::redirected(MakerLinks::joinRedirect(), MakerLinks::facebookPage()));
}

void JoinWidget::slotTwitterClicked()
{
    MakerLinks::open(MakerLinks::redirected(MakerLinks::joinRedirect(), MakerLinks::twitterPage()));
}

void JoinWidget::slotVKontakteClicked()
{
    MakerLinks::open(MakerLinks::vkontaktePage());
}

void JoinWidget::slotEmailClicked()
{
    if (m_emailLinkTemplate.isEmpty())
        return;
    MakerLinks::open(m_emailLinkTemplate.arg(QCoreApplication::applicationName(), QStringLiteral("email")));
}

} // namespace QMWidgets
