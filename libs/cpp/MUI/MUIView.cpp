#include "MUI/MUIView.h"

MUIView::MUIView(QWidget *parent)
    : QWidget(parent)
{
}
