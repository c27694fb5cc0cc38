#include "ImageNoteWorkAreaFixture.h"

#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/annotation/NoteEditWidget.h"
#include "resources/Resources.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

using QMWidgets::ImageNoteWorkArea;
using QMWidgets::NoteEditWidget;

const QSize pictureSize(400, 300);

QPixmap checkerboard(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(30, 60, 90) : qRgb(200, 180, 160));
    return QPixmap::fromImage(image);
}

QRect changedBox(const QImage &before, const QImage &after)
{
    const QImage a = before.convertToFormat(QImage::Format_ARGB32);
    const QImage b = after.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

void send(QWidget *widget, QEvent::Type type, const QPoint &point, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent event(type, point, widget->mapToGlobal(point), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

ImageNoteWorkAreaFixture::ImageNoteWorkAreaFixture() = default;

ImageNoteWorkAreaFixture::~ImageNoteWorkAreaFixture() = default;

// The look of the application: the note editor has its real size.
void ImageNoteWorkAreaFixture::initTestCase()
{
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());
}

void ImageNoteWorkAreaFixture::init()
{
    m_area.reset(new ImageNoteWorkArea);
    m_signals.clear();
    connect(m_area.get(), &ImageNoteWorkArea::changed, this, [this] { m_signals << "changed"; });
    connect(m_area.get(), &ImageNoteWorkArea::undoAvailable, this,
            [this](bool on) { m_signals << QString("undo %1").arg(on); });
    connect(m_area.get(), &ImageNoteWorkArea::redoAvailable, this,
            [this](bool on) { m_signals << QString("redo %1").arg(on); });
    m_area->slotSetPixmap(checkerboard());
    m_area->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    m_area->repaint();
    m_signals.clear();
}

void ImageNoteWorkAreaFixture::cleanup()
{
    m_area.reset();
}

void ImageNoteWorkAreaFixture::press(const QPoint &point)
{
    send(m_area.get(), QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    m_area->repaint();
}

void ImageNoteWorkAreaFixture::move(const QPoint &point, bool paint)
{
    send(m_area.get(), QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton);
    if (paint)
        m_area->repaint();
}

void ImageNoteWorkAreaFixture::release(const QPoint &point, Qt::MouseButton button)
{
    send(m_area.get(), QEvent::MouseButtonRelease, point, button, Qt::NoButton);
    m_area->repaint();
}

void ImageNoteWorkAreaFixture::drag(const QVector<QPoint> &path)
{
    press(path.first());
    for (int i = 1; i < path.size() - 1; ++i)
        move(path.at(i));
    release(path.last());
}

QImage ImageNoteWorkAreaFixture::shown()
{
    return m_area->composedPixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

NoteEditWidget *ImageNoteWorkAreaFixture::noteEditor()
{
    return m_area->window()->findChild<NoteEditWidget *>("NoteEditWidget");
}
