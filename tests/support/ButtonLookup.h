#pragma once

#include <QStringList>

class QMenu;
class QPushButton;
class QWidget;

// The push button among the descendants of root whose text is text, or null.
QPushButton *buttonWithText(QWidget *root, const QString &text);
// The object names of root's visible push buttons, in the order of the children.
QStringList visibleButtonNames(QWidget *root);
// The texts of a menu's visible entries in order, a separator written as "-".
QStringList visibleMenuEntries(const QMenu *menu);
