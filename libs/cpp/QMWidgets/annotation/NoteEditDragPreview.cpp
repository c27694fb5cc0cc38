#include "QMWidgets/annotation/NoteEditDragPreview.h"

#include "MGraphX/ImageWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/style/DevicePicture.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <memory>

namespace QMWidgets {

namespace {

// A name held open by another program cannot be overwritten, so the drag falls back to numbered ones.
constexpr int s_fileNameCount = 32;

QString dragFileName(int index)
{
    const QString number = index == 0 ? QString() : QString::number(index);
    return App::instance()->workDirectory(true) + QStringLiteral("QuilletDrag") + number + QStringLiteral(".png");
}

} // namespace

NoteEditDragPreview::NoteEditDragPreview(QWidget *parent)
    : QWidget(parent)
{
    setMinimumWidth(60);
    setMinimumHeight(50);
}

const QPixmap &NoteEditDragPreview::pixmap() const
{
    return m_pixmap;
}

void NoteEditDragPreview::slotSetPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    m_thumbnail = QPixmap();
    update();
}

void NoteEditDragPreview::startDrag()
{
    // Owned here until a drag takes it, so it is freed when no file can be written.
    auto mimeData = std::make_unique<QMimeData>();
    for (int index = 0; index < s_fileNameCount; ++index) {
        const QString name = dragFileName(index);
        // A name that cannot take the whole picture is passed over like one another program holds open.
        if (!MGraphX::writeImageSafely(name, m_pixmap.toImage(), "PNG"))
            continue;
        mimeData->setUrls({QUrl::fromLocalFile(name)});
        auto *drag = new QDrag(this);
        drag->setMimeData(mimeData.release());
        drag->setPixmap(m_pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        drag->exec(Qt::CopyAction);
        return;
    }
}

void NoteEditDragPreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragStartPosition = event->pos();
    QWidget::mousePressEvent(event);
}

void NoteEditDragPreview::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton
        && (event->pos() - m_dragStartPosition).manhattanLength() > QApplication::startDragDistance()) {
        startDrag();
    }
    QWidget::mouseMoveEvent(event);
}

void NoteEditDragPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_thumbnail.size() != size() && !m_pixmap.isNull()) {
        // A smooth scale reads every pixel: from a picture many times the thumbnail's size, every few
        // pixels are taken first, which looks the same at this size and takes a fraction of the time.
        QPixmap source = m_pixmap;
        const QSize sampled = size() * 4;
        if (source.width() > sampled.width() * 2 || source.height() > sampled.height() * 2)
            source = source.scaled(sampled, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        m_thumbnail = source.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    painter.drawPixmap(0, 0, m_thumbnail);
    painter.drawPixmap(rect(), devicePicture(QStringLiteral(":/steklo.png"), size()));
    // The caption lies over the glass, whose sheen paled it to 2:1, on a band dark enough for the white text to
    // read at 4.5:1 even over a white picture (at half opacity it read 4:1).
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    // At least the caption's line high, so no descender hangs out over the picture.
    const QRect band(0, 0, width(), qMax(15, painter.fontMetrics().height()));
    painter.drawRects(&band, 1);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, tr("Drag"));
}

} // namespace QMWidgets
