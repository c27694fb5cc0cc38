#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Why the shown dialog does not lie within the available area of its screen with the buttons of the given captions
// inside it and uncovered, or an empty text when it does. Then the last of them is clicked as a user would, at its
// place in the window; it must take the click.
QString screenFitFault(QWidget *dialog, const QStringList &captions);
