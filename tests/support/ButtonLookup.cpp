#include "ButtonLookup.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

QPushButton *buttonWithText(QWidget *root, const QString &text)
{
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QStringList visibleButtonNames(QWidget *root)
{
    QStringList names;
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (button->isVisible())
            names << button->objectName();
    }
    return names;
}

QStringList visibleMenuEntries(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isVisible())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}
