#pragma once

#include <QWidget>

// A plain view of the MUI set.
class MUIView : public QWidget
{
    Q_OBJECT

public:
    explicit MUIView(QWidget *parent = nullptr);
};
