#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The first push button among the widget's descendants whose text is the given one, or null.
QPushButton *findButton(QWidget *parent, const QString &text);
