#pragma once

#include "MUI/MUIBarItem.h"

#include <QIcon>
#include <QString>

// A tool-bar button that paints its picture in the upper half and its caption in the lower half.
class MUITabBarItem : public MUIBarItem
{
    Q_OBJECT

public:
    explicit MUITabBarItem(QWidget *parent = nullptr);

    // Hides QPushButton::setText: the caption is painted by the item, not by the button.
    void setText(const QString &caption);
    QString text() const;
    // The picture's disabled form, when it has one, shows while the item is disabled; otherwise a greyed one.
    void setPicture(const QIcon &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitCaption();

    QString m_caption;
    QIcon m_picture;
};
