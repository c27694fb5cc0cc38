#include "QMWidgets/promo/AppMenu.h"

#include "QMWidgets/app/App.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>

namespace QMWidgets {

namespace {

void hideEntry(QAction *action)
{
    if (action)
        action->setVisible(false);
}

} // namespace

AppMenu::AppMenu(QWidget *parent)
    : QMenu(parent)
{
    App *app = App::instance();
    const auto entry = [this, app](const QString &text, const char *icon, void (App::*slot)()) {
        QAction *action = icon ? addAction(QIcon(QPixmap(QString::fromLatin1(icon))), text)
                               : addAction(text);
        connect(action, &QAction::triggered, app, slot);
        return action;
    };

    m_rateAction = entry(tr("Rate this App"), ":/star.png", &App::slotImmediatelyRate);
    m_introAction = entry(tr("Intro"), ":/MenuIntro.png", &App::slotHelp);
    m_shareAction = entry(tr("Share"), ":/MenuShare.png", &App::slotShareApp);
    m_joinAction = entry(tr("Join Us"), ":/MenuJoin.png", &App::slotJoin);
    m_moreAppsAction = entry(tr("More Apps"), ":/moreappsicon.png", &App::slotShowMoreApps);
    entry(tr("Contact Us"), ":/feedback.png", &App::slotContactUs);
    m_supportPageAction = entry(tr("Support Page"), ":/webpage.png", &App::slotSupportPage);
    // Both tests are made once: a later change of the edition or the link leaves this menu as it is.
    if (app->isIndependentEdition())
        entry(tr("Check Updates"), nullptr, &App::slotCheckUpdate);
    if (!app->privacyPolicyUrl().isEmpty())
        entry(tr("Privacy Policy"), nullptr, &App::slotShowPrivacyPolicy);
    entry(tr("About"), ":/appicon.png", &App::slotAbout);
    addSeparator();
    QAction *quit = addAction(tr("Quit"));
    connect(quit, &QAction::triggered, this, &AppMenu::quitPressed);
}

void AppMenu::hideIntroAction()
{
    hideEntry(m_introAction);
}

void AppMenu::hideSupportPageAction()
{
    hideEntry(m_supportPageAction);
}

void AppMenu::hideRateAction()
{
    hideEntry(m_rateAction);
}

void AppMenu::hideMoreAppsAction()
{
    hideEntry(m_moreAppsAction);
}

void AppMenu::hideShareAction()
{
    hideEntry(m_shareAction);
}

void AppMenu::hideJoinAction()
{
    hideEntry(m_joinAction);
}

} // namespace QMWidgets
