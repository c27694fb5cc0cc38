#pragma once

#include <QBoxLayout>
#include <QWidget>

class QAbstractButton;

namespace QMWidgets {

// Lines up the caller's buttons and keeps exactly the last clicked one checked.
class RadioBox : public QWidget
{
    Q_OBJECT

public:
    explicit RadioBox(QBoxLayout::Direction direction, QWidget *parent = nullptr);

    void addButton(QAbstractButton *button);

public slots:
    void slotButtonClicked();

private:
    QBoxLayout *m_layout;
};

} // namespace QMWidgets
