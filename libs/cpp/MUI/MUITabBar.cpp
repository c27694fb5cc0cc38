#include "MUI/MUITabBar.h"

#include "MUI/MUITabBarItem.h"

#include <QHBoxLayout>

MUITabBar::MUITabBar(QWidget *parent)
    : QFrame(parent)
    , m_layout(new QHBoxLayout(this))
{
    setFixedHeight(48);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

MUITabBarItem *MUITabBar::addItem(const QString &caption, const QIcon &picture)
{
    auto *item = new MUITabBarItem(nullptr);
    item->setPicture(picture);
    item->setText(caption);
    item->setFlat(true);
    m_layout->addWidget(item);
    return item;
}

void MUITabBar::addSeparator()
{
    auto *line = new QFrame(nullptr);
    line->setFrameStyle(QFrame::VLine | QFrame::Plain);
    // The line is one pixel: the frame's default width of three would take room the captions need.
    line->setFixedWidth(1);
    m_layout->addWidget(line);
}

void MUITabBar::addStretch(int stretch)
{
    m_layout->addStretch(stretch);
}
