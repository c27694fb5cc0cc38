#pragma once

#include <QString>

#include <functional>
#include <vector>

class QDialog;
class QImage;
class QWidget;

// One thing the gallery pictures: a widget of the kit, shown alone and inside a dialog of the program's style,
// or a window of its own, shown alone.
struct Exhibit
{
    enum Kind { Widget, Window };

    QString name;
    Kind kind;
    std::function<QWidget *()> make; // a new parentless widget, ready to show at its own size
};

// Every widget of the kit and every window and dialog of the program, in the order of the contact sheet.
std::vector<Exhibit> exhibits();

// Shows the widget at its own size and returns it as the screen shows it, once its layout has settled and
// its first timers have run.
QImage showAndGrab(QWidget *widget);

// A dialog of the program's style holding the widget, as the gallery shows each widget of the kit.
QDialog *inDialog(QWidget *widget);
