#include "QMWidgets/annotation/ImageNoteWorkArea.h"

#include "MGraphX/ImageFilters.h"
#include "MGraphX/ImageWriting.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/app/FileDialog.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/annotation/NoteEditWidget.h"

#include <QBuffer>
#include <QCursor>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>

#include <cmath>
#include <functional>

namespace QMWidgets {

namespace {

struct ToolCursor
{
    ImageNoteWorkArea::Mode mode;
    const char *path;
    // Blue pixels of a tinted cursor take the drawing colour.
    bool tinted;
};

const ToolCursor toolCursors[] = {
    {ImageNoteWorkArea::Pen, ":/Pen_cur.png", true},
    {ImageNoteWorkArea::Eraser, ":/Eraser_cur.png", false},
    {ImageNoteWorkArea::Highlighter, ":/Highlighter_cur.png", true},
    {ImageNoteWorkArea::Rectangle, ":/Rect_cur.png", true},
    {ImageNoteWorkArea::FilledRectangle, ":/FilledRect_cur.png", true},
    {ImageNoteWorkArea::BlurRectangle, ":/Blur_cur.png", false},
    {ImageNoteWorkArea::Oval, ":/Oval_cur.png", true},
    {ImageNoteWorkArea::Line, ":/Line_cur.png", true},
    {ImageNoteWorkArea::Arrow, ":/Arrow_cur.png", true},
    {ImageNoteWorkArea::Text, ":/Text_cur.png", true},
};

// A note area dragged by this much or less (horizontal plus vertical distance) opens at the default size.
constexpr int smallNoteDrag = 100;
const QSize defaultNoteSize(220, 90);

QPen solidPen(const QColor &color, qreal width, Qt::PenStyle style, Qt::PenCapStyle cap)
{
    return QPen(QBrush(color, Qt::SolidPattern), width, style, cap, Qt::BevelJoin);
}

} // namespace

ImageNoteWorkArea::ImageNoteWorkArea(QWidget *parent)
    : QWidget(parent)
{
    m_noteEdit = new NoteEditWidget(this);
    m_noteEdit->setAutoFillBackground(true);
    m_noteEdit->hide();
    connect(m_noteEdit, SIGNAL(cancelClicked()), this, SLOT(slotEditCanceled()));
    connect(m_noteEdit, SIGNAL(okClicked()), this, SLOT(slotEditAccepted()));
    updateEditorStyle();
}

ImageNoteWorkArea::~ImageNoteWorkArea()
{
    // Lent to the window around us: it is still ours.
    if (m_noteEdit && m_noteEdit->parentWidget() != this)
        delete m_noteEdit.data();
}

bool ImageNoteWorkArea::isModified() const
{
    return m_unsaved;
}

QPixmap &ImageNoteWorkArea::composedPixmap()
{
    const QRegion stale = m_composedStale & m_composed.rect();
    m_composedStale = QRegion();
    if (stale.isEmpty())
        return m_composed;
    // Only where the overlay changed since the last call: on a very large picture a whole composition
    // per stroke would cost more than the stroke.
    QPainter painter(&m_composed);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QRect &part : stale) {
        // Source, so a picture with transparent parts does not blend with what the last call left here.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawPixmap(part, m_basePixmap, part);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawPixmap(part, m_overlay, part);
    }
    painter.end();
    return m_composed;
}

void ImageNoteWorkArea::updateEditorStyle()
{
    m_noteEdit->textEdit()->setStyleSheet(
        QStringLiteral("QTextEdit{color: %1; background: rgba(10, 10, 10, 5);}").arg(m_color.name()));
}

void ImageNoteWorkArea::slotSetPixmap(const QPixmap &pixmap)
{
    m_unsaved = true;
    m_basePixmap = pixmap;
    // A picture of its own now, while the picture is being opened: shared with the base, it would be copied
    // whole on the first stroke, which on a very large picture made that stroke take as long as a copy.
    m_composed = pixmap.copy();
    m_composedStale = QRegion();
    setFixedSize(pixmap.size());
    m_overlay = QPixmap(pixmap.size());
    m_overlay.fill(QColor(0, 0, 0, 0));
    m_history.clear();
    // A stroke begun on the old picture must not land on the new one.
    m_pressed = false;
    m_pending = false;
    m_stroke.clear();
    m_blurPreview = BlurPreview();
    update();
    // Last: an owner may delete the surface on either.
    const QPointer<ImageNoteWorkArea> alive(this);
    emit redoAvailable(false);
    if (alive)
        emit undoAvailable(false);
}

void ImageNoteWorkArea::slotSetMode(Mode mode)
{
    m_mode = mode;
}

void ImageNoteWorkArea::slotSetColor(const QColor &color)
{
    m_color = color;
    updateEditorStyle();
}

void ImageNoteWorkArea::slotSetFont(const QFont &font)
{
    m_font = font;
    updateEditorStyle();
}

void ImageNoteWorkArea::slotSetThikness(int thickness)
{
    m_thickness = thickness;
}

void ImageNoteWorkArea::slotSetDashLine(bool dashLine)
{
    m_dashLine = dashLine;
}

void ImageNoteWorkArea::slotSave()
{
    auto *app = App::instance();
    const QString proposed = (app ? app->saveDirectory() : QString()) + QStringLiteral("/EditedScreenShot_")
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"))
                             + QStringLiteral(".png");
    QString fileName = FileDialog::getSaveFileName(this, tr("Save Picture"), proposed, QStringLiteral("*.png"),
                                                   nullptr, {});
    if (fileName.isEmpty())
        return;
    if (app)
        app->setSaveDirectory(fileName);

    // A name without an extension is given ".png"; the dialog asked about replacing only the name typed.
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".png");
        if (QFileInfo::exists(fileName)
            && MMessageBox::question(this, tr("Save Picture"),
                                     tr("%1 already exists.\nDo you want to replace it?")
                                         .arg(QDir::toNativeSeparators(fileName)),
                                     QMessageBox::Yes | QMessageBox::No)
                   != QMessageBox::Yes)
            return;
    }
    // The content is what the extension names where Qt can write that, PNG otherwise.
    QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        format = "PNG";

    // A failed save never leaves a broken file in place of an earlier one.
    QPixmap picture(size());
    render(&picture, QPoint(), QRegion(), DrawWindowBackground | DrawChildren);
    QString reason;
    if (MGraphX::writeImageSafely(fileName, picture.toImage(), format.constData(), -1, &reason)) {
        m_unsaved = false;
        return;
    }
    MMessageBox::warning(this, tr("Save Picture"),
                         tr("The picture could not be saved to %1: %2.")
                             .arg(QDir::toNativeSeparators(fileName), reason),
                         QMessageBox::Ok);
}

void ImageNoteWorkArea::slotEditCanceled()
{
    if (!qobject_cast<QWidget *>(sender()))
        return;
    m_noteEdit->hideAll();
    m_noteEdit->textEdit()->clear();
    m_mode = TextCanceled;
    repaint();
    QTimer::singleShot(100, this, SLOT(slotSwitchToEdit()));
}

void ImageNoteWorkArea::slotEditAccepted()
{
    if (!qobject_cast<QWidget *>(sender()))
        return;
    m_noteEdit->hideAll();
    m_mode = TextAccepted;
    // Drawn here and not by a paint, which may come late or not at all, and must not send signals.
    bool opened = false;
    const bool couldRedo = m_history.canRedo();
    if (m_noteEdit->textEdit()->toPlainText().isEmpty())
        m_noteEdit->textEdit()->clear();
    else
        opened = commitToOverlay(OverlayHistory::tiles(QRect(m_pressPoint, m_currentPoint).normalized(), size()),
                                 [this](QPainter &painter) { drawAcceptedText(painter); });
    m_unsaved = true;
    repaint();
    QTimer::singleShot(100, this, SLOT(slotSwitchToEdit()));
    const QPointer<ImageNoteWorkArea> alive(this);
    if (announceHistory(opened, couldRedo) && alive)
        emit changed();
}

void ImageNoteWorkArea::slotSwitchToEdit()
{
    m_mode = Text;
}

bool ImageNoteWorkArea::isFreeHand() const
{
    return m_mode == Pen || m_mode == Highlighter || m_mode == Eraser;
}

bool ImageNoteWorkArea::isTextMode() const
{
    return m_mode == Text || m_mode == TextCanceled || m_mode == TextAccepted;
}

void ImageNoteWorkArea::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    // Another button pressed during a stroke neither ends nor restarts it.
    if (event->button() != Qt::LeftButton)
        return;
    if (m_pressed) {
        // The release of the last stroke never came: it is kept as it was drawn, never thrown away.
        const QPointer<ImageNoteWorkArea> alive(this);
        m_pressed = false;
        m_pending = true;
        endStroke(previewBounds());
        if (!alive) {
            event->accept(); // nothing may pass the press on through a deleted surface
            return;
        }
    }
    m_pressed = true;
    m_pressPoint = event->pos();
    m_previousPoint = m_pressPoint;
    m_currentPoint = m_pressPoint;
    m_pending = true;
    m_stroke.clear();
    updatePreview(QRect());
}

void ImageNoteWorkArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        const QRect before = previewBounds();
        m_pressed = true;
        m_previousPoint = m_currentPoint;
        m_currentPoint = event->pos();
        m_pending = true;
        // One segment per move: several moves may come before the next paint.
        if (isFreeHand())
            m_stroke.append(QLine(m_previousPoint, m_currentPoint));
        updatePreview(before);
    }
    QWidget::mouseMoveEvent(event);
}

void ImageNoteWorkArea::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    // Only the left button ends a stroke; another button's release would commit a second shape.
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    const QRect before = previewBounds();
    m_pressed = false;
    m_previousPoint = m_currentPoint;
    m_currentPoint = event->pos();
    m_pending = true;
    // The last step to the release point; a click without moves leaves a dot.
    if (isFreeHand() && (m_stroke.isEmpty() || m_previousPoint != m_currentPoint))
        m_stroke.append(QLine(m_previousPoint, m_currentPoint));
    const QPointer<ImageNoteWorkArea> alive(this);
    endStroke(before);
    if (!alive)
        event->accept();
}

// The release commits the stroke, whatever the paints showed of it: one released past the edge of the scrolled
// view gets no paint at all. A note only opens its undo step here; the paint places the editor.
void ImageNoteWorkArea::endStroke(const QRect &before)
{
    updatePreview(before);
    if (m_basePixmap.isNull()) {
        m_pending = false;
        m_stroke.clear();
        return;
    }
    bool opened = false;
    const bool couldRedo = m_history.canRedo();
    if (isTextMode()) {
        // A release while a note is open only moves the note.
        if (!m_noteEdit->isVisible()) {
            m_history.openStep();
            opened = true;
        }
        m_unsaved = true;
    } else {
        m_history.openStep();
        opened = true;
        if (isFreeHand())
            commitToOverlay(strokeTiles(), [this](QPainter &painter) { drawStroke(painter, rect()); });
        else
            commitToOverlay(strokeTiles(), [this](QPainter &painter) { drawShape(painter); });
        m_stroke.clear();
        m_blurPreview = BlurPreview();
        m_pending = false;
        m_unsaved = true;
    }
    // Last, and nothing read after either: an owner may delete the surface on them.
    const QPointer<ImageNoteWorkArea> alive(this);
    // The editor recomposes the picture and its thumbnail on this: once a stroke, not on every move.
    if (announceHistory(opened, couldRedo) && alive)
        emit changed();
}

void ImageNoteWorkArea::updatePreview(const QRect &before)
{
    // A note's frame and editor may be anywhere; notes are few.
    if (isTextMode())
        update();
    else if (isFreeHand())
        update(previewBounds());
    else
        update(before | previewBounds());
}

void ImageNoteWorkArea::enterEvent(QEvent *event)
{
    QCursor cursor(Qt::ArrowCursor);
    bool found = false;
    for (const ToolCursor &entry : toolCursors) {
        if (entry.mode != m_mode)
            continue;
        found = true;
        QImage image(QString::fromLatin1(entry.path));
        if (image.isNull()) {
            // Without its picture a drawing tool still needs a cursor that points precisely.
            cursor = QCursor(Qt::CrossCursor);
            break;
        }
        if (entry.tinted)
            image = MGraphX::recolorImage(image, QColor(0, 0, 255, 255), m_color);
        cursor = QCursor(QPixmap::fromImage(image), -1, -1);
        break;
    }
    if (!found)
        qDebug() << "Default";
    m_toolCursor.set(cursor);
    QWidget::enterEvent(event);
}

void ImageNoteWorkArea::leaveEvent(QEvent *event)
{
    m_toolCursor.release();
    QWidget::leaveEvent(event);
}

QPen ImageNoteWorkArea::toolPen() const
{
    const Qt::PenStyle dash = m_dashLine ? Qt::DashLine : Qt::SolidLine;
    switch (m_mode) {
    case Pen:
        return solidPen(m_color, m_thickness, dash, Qt::RoundCap);
    case Eraser:
        return solidPen(QColor(0, 0, 0, 0), m_thickness * 10, Qt::SolidLine, Qt::RoundCap);
    case Highlighter:
        return solidPen(m_color, m_thickness * 8, Qt::SolidLine, Qt::SquareCap);
    case Oval:
    case FilledOval: {
        // A small oval's dashes would be longer than its outline.
        const QRect area = QRect(m_pressPoint, m_currentPoint).normalized();
        const bool small = area.right() - area.left() <= 4 || area.bottom() - area.top() <= 4;
        return solidPen(m_color, m_thickness, small ? Qt::SolidLine : dash, Qt::SquareCap);
    }
    default:
        return solidPen(m_color, m_thickness, dash, Qt::SquareCap);
    }
}

int ImageNoteWorkArea::penReach() const
{
    // Half the width reaches out from the line, a square cap half the width again at a slant; antialiasing
    // touches the next pixel.
    return int(std::ceil(toolPen().widthF())) + 2;
}

QRect ImageNoteWorkArea::segmentBounds(const QLine &segment) const
{
    const int reach = penReach();
    return QRect(segment.p1(), segment.p2()).normalized().adjusted(-reach, -reach, reach, reach);
}

QRect ImageNoteWorkArea::shapeBounds() const
{
    const QRect area = QRect(m_pressPoint, m_currentPoint).normalized();
    switch (m_mode) {
    case BlurRectangle:
        return area;
    case Text:
    case TextCanceled:
    case TextAccepted:
        // The note's frame is drawn with a pen of 2.
        return area.adjusted(-3, -3, 3, 3);
    case Arrow: {
        // The head's strokes end 30 back along the shaft and 12 to the side: within 33 of the tip.
        const int reach = penReach() + 33;
        return area.adjusted(-reach, -reach, reach, reach);
    }
    default: {
        const int reach = penReach();
        return area.adjusted(-reach, -reach, reach, reach);
    }
    }
}

QRect ImageNoteWorkArea::previewBounds() const
{
    if (!isFreeHand())
        return shapeBounds();
    return m_stroke.isEmpty() ? QRect() : segmentBounds(m_stroke.last());
}

void ImageNoteWorkArea::drawStroke(QPainter &painter, const QRect &within) const
{
    painter.setPen(toolPen());
    if (m_mode == Highlighter)
        painter.setOpacity(0.1);
    else if (m_mode == Eraser)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Each segment on its own: overlapping highlighter segments darken like real ink. Segments that do not
    // reach the rectangle would change nothing there.
    for (const QLine &segment : m_stroke) {
        if (segmentBounds(segment).intersects(within))
            painter.drawLines(&segment, 1);
    }
}

// The eraser's preview is the overlay with the stroke taken out, made for the part being painted only.
void ImageNoteWorkArea::drawErasePreview(QPainter &widgetPainter, const QRect &dirty) const
{
    QPixmap part = m_overlay.copy(dirty);
    {
        QPainter erasePainter(&part);
        erasePainter.setRenderHint(QPainter::Antialiasing);
        erasePainter.translate(-dirty.topLeft());
        drawStroke(erasePainter, dirty);
    }
    widgetPainter.drawPixmap(dirty.topLeft(), part);
}

void ImageNoteWorkArea::drawShape(QPainter &painter)
{
    painter.setPen(toolPen());
    switch (m_mode) {
    case Line:
        painter.drawLine(m_pressPoint, m_currentPoint);
        break;
    case Arrow:
        drawArrow(painter);
        break;
    case Rectangle:
    case FilledRectangle: {
        if (m_mode == FilledRectangle) {
            QColor fill = m_color;
            fill.setAlpha(200);
            painter.setBrush(QBrush(fill, Qt::SolidPattern));
        }
        const QRect rect(m_pressPoint, m_currentPoint);
        painter.drawRects(&rect, 1);
        break;
    }
    case Oval:
    case FilledOval:
        if (m_mode == FilledOval) {
            QColor fill = m_color;
            fill.setAlpha(200);
            painter.setBrush(QBrush(fill, Qt::SolidPattern));
        }
        painter.drawEllipse(QRect(m_pressPoint, m_currentPoint).normalized());
        break;
    case BlurRectangle:
        drawBlur(painter);
        break;
    default:
        break;
    }
}

void ImageNoteWorkArea::drawBlur(QPainter &painter) const
{
    // The blur reads the base picture only: annotations under the area are covered, not blurred. It reads
    // nothing outside the area either, so the area's own pixels are all it needs.
    const QRect area = QRect(m_pressPoint, m_currentPoint).normalized() & m_basePixmap.rect();
    if (area.isEmpty())
        return;
    // The whole picture is blurred from the picture itself: a copy of it first would double the work.
    const QImage part = area == m_basePixmap.rect() ? m_basePixmap.toImage() : m_basePixmap.copy(area).toImage();
    painter.drawImage(area.topLeft(), MGraphX::blurImage(part, part.rect(), BlurPreview::radius, false));
}

void ImageNoteWorkArea::drawBlurPreview(QPainter &widgetPainter, const QRect &dirty)
{
    const QRect area = QRect(m_pressPoint, m_currentPoint).normalized() & m_basePixmap.rect();
    // What the screen shows of the surface (a large picture scrolls); a grab paints all of it.
    const QRect seen = visibleRegion().boundingRect() | dirty;
    m_blurPreview.draw(widgetPainter, m_basePixmap, area, seen, dirty);
}

void ImageNoteWorkArea::drawArrow(QPainter &painter)
{
    painter.drawLine(m_pressPoint, m_currentPoint);
    // A shaft of no length has no direction for a head.
    if (m_pressPoint == m_currentPoint)
        return;
    painter.save();
    QPen headPen = painter.pen();
    headPen.setStyle(Qt::SolidLine);
    painter.setPen(headPen);
    // From the head towards the tail.
    const float dx = float(m_pressPoint.x() - m_currentPoint.x());
    const float dy = float(m_pressPoint.y() - m_currentPoint.y());
    const float length = std::sqrt(dx * dx + dy * dy);
    const float ratio = dx / length;
    painter.translate(m_currentPoint);
    if (dy > 0) {
        painter.rotate(std::acos(ratio) * 180 / 3.14159);
        painter.drawLine(0, 0, 30, 12);
        painter.drawLine(0, 0, 30, -12);
    } else {
        painter.rotate(std::asin(ratio) * 180 / 3.14159);
        painter.drawLine(0, 0, -12, -30);
        painter.drawLine(0, 0, 12, -30);
    }
    painter.restore();
}

void ImageNoteWorkArea::placeNoteEditor(QPainter &widgetPainter)
{
    QRect area = QRect(m_pressPoint, defaultNoteSize);
    if ((m_pressPoint - m_currentPoint).manhattanLength() > smallNoteDrag) {
        // A drag past the picture's edge is cut to the picture: the note, and the text it becomes, belong on
        // it. Cut by hand, as a drag along one edge gives a rectangle without width that an intersection
        // would turn into nothing at (0, 0).
        area = QRect(m_pressPoint, m_currentPoint).normalized();
        area.setLeft(std::max(area.left(), 0));
        area.setTop(std::max(area.top(), 0));
        area.setRight(std::min(area.right(), width() - 1));
        area.setBottom(std::min(area.bottom(), height() - 1));
    }
    // A long drag along one edge gives a rectangle without width or height: a note that shows nothing and
    // can be neither typed into nor accepted.
    area.setSize(area.size().expandedTo(m_noteEdit->minimumSizeHint()));
    // A picture smaller than the note cannot hold it: it reaches over the window around the picture.
    QWidget *host = this;
    if ((area.width() > width() || area.height() > height()) && window() != this)
        host = window();
    if (m_noteEdit->parentWidget() != host)
        m_noteEdit->setParent(host);
    // Moved in from the edges of what is seen of the picture (a large one scrolls), so that its Accept and
    // Cancel row stays in sight.
    const QPoint offset = mapTo(host, QPoint());
    QRect bounds = host->rect();
    if (host == this) {
        const QRect seen = visibleRegion().boundingRect();
        if (seen.width() >= area.width() && seen.height() >= area.height())
            bounds = seen;
    }
    QRect placed = area.translated(offset);
    placed.moveLeft(std::max(bounds.left(), std::min(placed.left(), bounds.right() + 1 - placed.width())));
    placed.moveTop(std::max(bounds.top(), std::min(placed.top(), bounds.bottom() + 1 - placed.height())));
    area = placed.translated(-offset);
    m_noteEdit->setGeometry(placed);
    m_noteEdit->raise();
    m_noteEdit->showAll();
    m_pressPoint = area.topLeft();
    m_currentPoint = area.bottomRight();
    widgetPainter.setPen(solidPen(Qt::white, 2, Qt::DashLine, Qt::SquareCap));
    widgetPainter.drawRect(QRect(m_pressPoint, m_currentPoint));
}

void ImageNoteWorkArea::drawAcceptedText(QPainter &overlayPainter)
{
    QTextEdit *edit = m_noteEdit->textEdit();
    overlayPainter.setFont(edit->currentFont());
    overlayPainter.setPen(toolPen());
    overlayPainter.drawText(QRect(QPoint(m_pressPoint.x() + 3, m_pressPoint.y() + 3), m_currentPoint),
                            Qt::TextWordWrap, edit->toPlainText());
    edit->clear();
}

// Only shows: the picture, the overlay and the preview of the stroke being dragged, and places a released
// note's editor. Strokes are committed by their release, and nothing here sends a signal: a receiver that
// deleted the surface in the middle of a paint would leave the painting to freed memory.
void ImageNoteWorkArea::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_basePixmap.isNull()) {
        m_pending = false;
        return;
    }
    const bool textMode = isTextMode();
    if (!textMode && m_noteEdit->isVisible())
        m_noteEdit->hideAll();

    // Everything is drawn for the part being painted only: on a very large picture a preview paint then
    // costs what the stroke changed, not the picture's size.
    const QRect dirty = event->rect() & rect();
    QPainter widgetPainter(this);
    widgetPainter.setRenderHint(QPainter::Antialiasing);
    widgetPainter.drawPixmap(dirty, m_basePixmap, dirty);
    const auto drawOverlay = [this, &widgetPainter, &dirty] { widgetPainter.drawPixmap(dirty, m_overlay, dirty); };

    if (!m_pressed || textMode) {
        drawOverlay();
    } else if (m_mode == Eraser) {
        drawErasePreview(widgetPainter, dirty);
    } else if (isFreeHand()) {
        drawOverlay();
        drawStroke(widgetPainter, dirty);
    } else if (m_mode == BlurRectangle) {
        drawOverlay();
        drawBlurPreview(widgetPainter, dirty);
    } else {
        drawOverlay();
        if (shapeBounds().intersects(dirty))
            drawShape(widgetPainter);
    }
    if (m_mode == Text) {
        if (m_pressed)
            widgetPainter.drawRect(QRect(m_pressPoint, m_currentPoint));
        else if (m_pending)
            placeNoteEditor(widgetPainter);
    }
    widgetPainter.end();
    m_pending = false;
}

} // namespace QMWidgets
