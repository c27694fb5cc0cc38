#pragma once

#include <QImage>
#include <QWidget>

// A frameless window of known pixels over the whole primary screen. On the offscreen platform a grab of
// the desktop returns the window that covers the screen, so this is the desktop the tools see.
class DesktopStandIn : public QWidget
{
public:
    DesktopStandIn();

    // Shows the picture at once, so the next grab sees it.
    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }

    // A picture of the screen's size in which neighbouring pixels differ, so any shifted or scaled copy
    // of a piece shows; the seed changes every pixel.
    static QImage pattern(int seed);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

// Press at from, one move with the left button held to to, release there: the drag of a selection.
// The move is sent as an event, since a widget sees moves with a button held only while one is pressed.
void dragSelection(QWidget *widget, const QPoint &from, const QPoint &to,
                   Qt::KeyboardModifiers releaseModifiers = Qt::NoModifier);
