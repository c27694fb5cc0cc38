#include "QMWidgets/promo/AppButton.h"

#include "QMWidgets/promo/AppMenu.h"
#include "QMWidgets/style/DisabledLook.h"

namespace QMWidgets {

AppButton::AppButton(QWidget *parent)
    : QPushButton(parent)
    , m_appMenu(new AppMenu(this))
{
    new DisabledLook(this);
    connect(m_appMenu, &AppMenu::quitPressed, this, &AppButton::quitPressed);
    setMenu(m_appMenu);
}

AppMenu *AppButton::appMenu() const
{
    return m_appMenu;
}

void AppButton::hideIntroAction()
{
    m_appMenu->hideIntroAction();
}

void AppButton::hideSupportPageAction()
{
    m_appMenu->hideSupportPageAction();
}

void AppButton::hideRateAction()
{
    m_appMenu->hideRateAction();
}

void AppButton::hideMoreAppsAction()
{
    m_appMenu->hideMoreAppsAction();
}

void AppButton::hideShareAction()
{
    m_appMenu->hideShareAction();
}

void AppButton::hideJoinAction()
{
    m_appMenu->hideJoinAction();
}

} // namespace QMWidgets
