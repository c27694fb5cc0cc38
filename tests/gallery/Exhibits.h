#pragma once

#include <QString>

#include <functional>
#include <vector>

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
