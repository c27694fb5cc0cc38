#pragma once

#include "MUI/MUIBarItem.h"

#include <QPixmap>
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
    void setPixmap(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitCaption();

    QString m_caption;
    QPixmap m_picture;
};
