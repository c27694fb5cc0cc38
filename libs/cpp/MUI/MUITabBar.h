#pragma once

#include <QFrame>

class QHBoxLayout;
class QIcon;
class MUITabBarItem;

// A fixed-height row of picture-over-caption buttons, vertical lines and stretches: the tool bar.
class MUITabBar : public QFrame
{
    Q_OBJECT

public:
    explicit MUITabBar(QWidget *parent = nullptr);

    // The caller connects the item's clicked() itself.
    MUITabBarItem *addItem(const QString &caption, const QIcon &picture);
    void addSeparator();
    void addStretch(int stretch);

private:
    QHBoxLayout *m_layout;
};
