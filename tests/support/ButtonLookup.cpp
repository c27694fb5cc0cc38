#include "ButtonLookup.h"

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
