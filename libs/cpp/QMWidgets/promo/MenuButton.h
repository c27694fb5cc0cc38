#pragma once

#include <QPushButton>

namespace QMWidgets {

// A push button that writes "Menu" in white across the lower half of its normal look.
class MenuButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MenuButton(const QString &text, QWidget *parent = nullptr);
    explicit MenuButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace QMWidgets
