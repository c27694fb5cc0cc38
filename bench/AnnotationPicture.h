#pragma once

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

// What the annotation benchmarks share: a picture with detail for the blur, the plain paint they are
// measured against, and mouse events sent straight to a widget.

inline QPixmap makeAnnotationPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    for (int x = 0; x < size.width(); x += 7)
        painter.drawLine(x, 0, x, size.height());
    painter.end();
    return QPixmap::fromImage(image);
}

// Paints the part of the picture that is asked for and nothing else.
class PlainPicture : public QWidget
{
public:
    explicit PlainPicture(const QPixmap &picture)
        : m_picture(picture)
    {
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.drawPixmap(event->rect(), m_picture, event->rect());
    }

private:
    QPixmap m_picture;
};

inline void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &point, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, point, widget->mapToGlobal(point), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
