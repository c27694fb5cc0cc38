#include "QMWidgets/dialogs/TellWidget.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace QMWidgets {

TellWidget::TellWidget(QWidget *parent)
    : QFrame(parent)
{
    m_facebookButton = newSocialButton(QStringLiteral("FaceBookShareButton"));
    m_twitterButton = newSocialButton(QStringLiteral("TwitterShareButton"));
    m_vkontakteButton = newSocialButton(QStringLiteral("VKontakteShareButton"));
    m_linkedinButton = newSocialButton(QStringLiteral("LinkedinShareButton"));
    m_emailButton = newSocialButton(QStringLiteral("EmailShareButton"));

    const App *app = App::instance();
    if (app->facebookShareUrl().isEmpty())
        m_facebookButton->hide();
    if (app->twitterShareUrl().isEmpty())
        m_twitterButton->hide();
    m_vkontakteButton->hide();
    m_linkedinButton->hide();

    connect(m_facebookButton, SIGNAL(clicked()), this, SLOT(slotFaceBookClicked()));
    connect(m_twitterButton, SIGNAL(clicked()), this, SLOT(slotTwitterClicked()));
    connect(m_vkontakteButton, SIGNAL(clicked()), this, SLOT(slotVKontakteClicked()));
    connect(m_linkedinButton, SIGNAL(clicked()), this, SLOT(slotLinkedinClicked()));
    connect(m_emailButton, SIGNAL(clicked()), this, SLOT(slotEmailClicked()));

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    layout->setContentsMargins(10, 10, 10, 10);
    for (QPushButton *button : {m_facebookButton, m_twitterButton, m_linkedinButton, m_vkontakteButton, m_emailButton})
        layout->addWidget(button);
}

void TellWidget::slotLinkedinClicked()
{
}

void TellWidget::slotFaceBookClicked()
{
    MakerLinks::open(MakerLinks::redirected(MakerLinks::facebookShareRedirect(), App::instance()->facebookShareUrl()));
}

void TellWidget::slotTwitterClicked()
{
    MakerLinks::open(MakerLinks::redirected(MakerLinks::shareRedirect(), App::instance()->twitterShareUrl()));
}

void TellWidget::slotVKontakteClicked()
{
    MakerLinks::open(App::instance()->vkontakteShareUrl());
}

void TellWidget::slotEmailClicked()
{
    App::instance()->slotTellFriend();
}

} // namespace QMWidgets
