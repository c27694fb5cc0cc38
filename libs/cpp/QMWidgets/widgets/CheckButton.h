#pragma once

#include <QPushButton>

namespace QMWidgets {

// A checkable push button that reports each change of its state as onClicked() or offClicked().
class CheckButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CheckButton(QWidget *parent = nullptr);

signals:
    void onClicked();
    void offClicked();

public slots:
    void slotClicked(bool on);
};

} // namespace QMWidgets
