#include "MUI/MUIBarItem.h"

MUIBarItem::MUIBarItem(QWidget *parent)
    : QPushButton(parent)
{
}
