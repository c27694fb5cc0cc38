#pragma once

#include <QPushButton>

// The push-button base of the items of an MUI bar.
class MUIBarItem : public QPushButton
{
    Q_OBJECT

public:
    explicit MUIBarItem(QWidget *parent = nullptr);
};
