#include "DesktopStandIn.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>
#include <QPainter>
#include <QScreen>

DesktopStandIn::DesktopStandIn()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    m_picture = pattern(0);
}

void DesktopStandIn::setPicture(const QImage &picture)
{
    m_picture = picture;
    repaint();
}

QImage DesktopStandIn::pattern(int seed)
{
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x + seed) % 256, (y + 3 * seed) % 256, (x / 256 * 16 + y / 256 + 7 * seed) % 256));
    }
    return image;
}

void DesktopStandIn::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void dragSelection(QWidget *widget, const QPoint &from, const QPoint &to, Qt::KeyboardModifiers releaseModifiers)
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, Qt::LeftButton, releaseModifiers, to);
}
