#include "WidgetFinder.h"

#include <QPushButton>

QPushButton *findButton(QWidget *parent, const QString &text)
{
    const QList<QPushButton *> buttons = parent->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}
