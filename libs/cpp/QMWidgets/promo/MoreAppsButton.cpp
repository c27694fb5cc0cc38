#include "QMWidgets/promo/MoreAppsButton.h"

#include "QMWidgets/style/DisabledLook.h"
#include "QMWidgets/app/MakerLinks.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSignalMapper>

namespace QMWidgets {

MoreAppsButton::MoreAppsButton(QWidget *parent)
    : QPushButton(parent)
    , m_menu(nullptr)
    , m_mapper(new QSignalMapper(this))
{
    new DisabledLook(this);
    connect(m_mapper, &QSignalMapper::mappedString, this, &MoreAppsButton::slotCallUrl);
    m_menu = new QMenu(this);
    setMenu(m_menu);
}

void MoreAppsButton::addApp(const QPixmap &icon, const QString &text, const QString &url)
{
    auto *action = new QAction(QIcon(icon), text, this);
    connect(action, &QAction::triggered, m_mapper, qOverload<>(&QSignalMapper::map));
    m_mapper->setMapping(action, url);
    m_menu->addAction(action);
}

void MoreAppsButton::addAppStoreApp(const QPixmap &icon, const QString &text, const QString &name, const QString &id)
{
    addApp(icon, text, MakerLinks::appStorePage(name, id));
}

void MoreAppsButton::addSeparator()
{
    m_menu->addSeparator();
}

void MoreAppsButton::addAction(QAction *action)
{
    m_menu->addAction(action);
}

void MoreAppsButton::slotCallUrl(const QString &url)
{
    MakerLinks::open(url);
}

} // namespace QMWidgets
