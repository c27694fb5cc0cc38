#pragma once

#include <QLabel>

namespace QMWidgets {

// The icon in a frameless window's title bar.
class IconLabel : public QLabel
{
    Q_OBJECT

public:
    explicit IconLabel(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace QMWidgets
