#include "QMWidgets/ImageNoteWorkArea.h"

#include "MGraphX/ImageFilters.h"
#include "MGraphX/ImageWriting.h"
#include "QMWidgets/App.h"
#include "QMWidgets/FileDialog.h"
#include "QMWidgets/MMessageBox.h"
#include "QMWidgets/NoteEditWidget.h"

#include <QCursor>
#include <QDateTime>
#include <QDebug>
#include <QDir>
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

ImageNoteWorkArea::~ImageNoteWorkArea() = default;

bool ImageNoteWorkArea::isModified() const
{
    return m_unsaved;
}

QPixmap &ImageNoteWorkArea::composedPixmap()
{
    if (m_composed.isNull())
        return m_composed;
    QPainter painter(&m_composed);
    painter.setRenderHint(QPainter::Antialiasing);
    // Source, so a picture with transparent parts does not blend with what the last call left here.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, m_basePixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawPixmap(0, 0, m_overlay);
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
    m_composed = pixmap;
    setFixedSize(pixmap.size());
    m_overlay = QPixmap(pixmap.size());
    m_overlay.fill(QColor(0, 0, 0, 0));
    m_undoStack.clear();
    m_redoStack.clear();
    // A stroke begun on the old picture must not land on the new one.
    m_pressed = false;
    m_pending = false;
    clearStroke();
    emit redoAvailable(false);
    emit undoAvailable(false);
    update();
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
    const QString fileName = FileDialog::getSaveFileName(this, tr("Save Picture"), proposed,
                                                         QStringLiteral("*.png"), nullptr, {});
    if (fileName.isEmpty())
        return;
    if (app)
        app->setSaveDirectory(fileName);

    // A failed save never leaves a broken file in place of an earlier one.
    QPixmap picture(size());
    render(&picture, QPoint(), QRegion(), DrawWindowBackground | DrawChildren);
    QString reason;
    if (MGraphX::writeImageSafely(fileName, picture.toImage(), "PNG", -1, &reason)) {
        m_unsaved = false;
        return;
    }
    MMessageBox::warning(this, tr("Save Picture"),
                         tr("The picture could not be saved to %1: %2.")
                             .arg(QDir::toNativeSeparators(fileName), reason),
                         QMessageBox::Ok);
}

void ImageNoteWorkArea::slotUndo()
{
    restoreSnapshot(m_undoStack, m_redoStack);
    emit undoAvailable(!m_undoStack.isEmpty());
    emit redoAvailable(!m_redoStack.isEmpty());
}

void ImageNoteWorkArea::slotRedo()
{
    restoreSnapshot(m_redoStack, m_undoStack);
    emit redoAvailable(!m_redoStack.isEmpty());
    emit undoAvailable(!m_undoStack.isEmpty());
}

void ImageNoteWorkArea::restoreSnapshot(QVector<QPixmap> &from, QVector<QPixmap> &to)
{
    if (from.isEmpty())
        return;
    to.append(m_overlay);
    m_overlay = from.takeLast();
    m_erasePreview = QPixmap();
    repaint();
    emit changed();
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
    // The paint draws the text into the overlay and clears the editor.
    repaint();
    QTimer::singleShot(100, this, SLOT(slotSwitchToEdit()));
}

void ImageNoteWorkArea::slotSwitchToEdit()
{
    m_mode = Text;
}

void ImageNoteWorkArea::clearStroke()
{
    m_stroke.clear();
    m_erasePreview = QPixmap();
    m_erasedSegments = 0;
}

bool ImageNoteWorkArea::isFreeHand() const
{
    return m_mode == Pen || m_mode == Highlighter || m_mode == Eraser;
}

void ImageNoteWorkArea::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        m_pressed = true;
        m_pressPoint = event->pos();
        m_previousPoint = m_pressPoint;
        m_currentPoint = m_pressPoint;
        m_pending = true;
        clearStroke();
        update();
    }
    QWidget::mousePressEvent(event);
}

void ImageNoteWorkArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        m_pressed = true;
        m_previousPoint = m_currentPoint;
        m_currentPoint = event->pos();
        m_pending = true;
        // One segment per move: several moves may come before the next paint.
        if (isFreeHand())
            m_stroke.append(QLine(m_previousPoint, m_currentPoint));
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void ImageNoteWorkArea::mouseReleaseEvent(QMouseEvent *event)
{
    // Only the left button ends a stroke; another button's release would commit a second shape.
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        m_previousPoint = m_currentPoint;
        m_currentPoint = event->pos();
        m_pending = true;
        // The last step to the release point; a click without moves leaves a dot.
        if (isFreeHand() && (m_stroke.isEmpty() || m_previousPoint != m_currentPoint))
            m_stroke.append(QLine(m_previousPoint, m_currentPoint));
        update();
    }
    QWidget::mouseReleaseEvent(event);
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

void ImageNoteWorkArea::drawStroke(QPainter &painter, int firstSegment) const
{
    painter.setPen(toolPen());
    if (m_mode == Highlighter)
        painter.setOpacity(0.1);
    else if (m_mode == Eraser)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Each segment on its own: overlapping highlighter segments darken like real ink.
    for (int i = firstSegment; i < m_stroke.size(); ++i)
        painter.drawLines(&m_stroke.at(i), 1);
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
    // The blur reads the base picture only: annotations under the area are covered, not blurred.
    const QRect area = QRect(m_pressPoint, m_currentPoint).normalized() & m_basePixmap.rect();
    if (area.isEmpty())
        return;
    const QImage blurred = MGraphX::blurImage(m_basePixmap.toImage(), area, 10, false);
    painter.drawImage(area.topLeft(), blurred, area);
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
    m_noteEdit->showAll();
    const QRect area = (m_pressPoint - m_currentPoint).manhattanLength() <= smallNoteDrag
                           ? QRect(m_pressPoint, defaultNoteSize)
                           : QRect(m_pressPoint, m_currentPoint).normalized();
    m_pressPoint = area.topLeft();
    m_currentPoint = area.bottomRight();
    m_noteEdit->setGeometry(area);
    widgetPainter.setPen(solidPen(Qt::white, 2, Qt::DashLine, Qt::SquareCap));
    widgetPainter.drawRect(QRect(m_pressPoint, m_currentPoint));
}

void ImageNoteWorkArea::drawAcceptedText(QPainter &overlayPainter, QPainter &widgetPainter)
{
    QTextEdit *edit = m_noteEdit->textEdit();
    const QFont font = edit->currentFont();
    const QPen pen = toolPen();
    for (QPainter *painter : {&overlayPainter, &widgetPainter}) {
        painter->setFont(font);
        painter->setPen(pen);
    }
    overlayPainter.drawText(QRect(QPoint(m_pressPoint.x() + 3, m_pressPoint.y() + 3), m_currentPoint),
                            Qt::TextWordWrap, edit->toPlainText());
    edit->clear();
}

void ImageNoteWorkArea::paintEvent(QPaintEvent *event)
{
    if (m_basePixmap.isNull()) {
        QWidget::paintEvent(event);
        m_pending = false;
        clearStroke();
        return;
    }
    const bool committing = m_pending && !m_pressed;
    // The snapshot before the stroke is drawn; a release while a note is open only moves the note.
    if (committing && !m_noteEdit->isVisible()) {
        m_undoStack.append(m_overlay);
        emit undoAvailable(true);
    }
    QWidget::paintEvent(event);

    const bool textMode = m_mode == Text || m_mode == TextCanceled || m_mode == TextAccepted;
    if (!textMode && m_noteEdit->isVisible())
        m_noteEdit->hideAll();

    QPainter widgetPainter(this);
    widgetPainter.setRenderHint(QPainter::Antialiasing);
    widgetPainter.drawPixmap(0, 0, m_basePixmap);

    // The overlay is painted on only when something is committed to it, so a preview never copies it
    // away from the undo snapshot that shares it.
    const auto commitToOverlay = [this](const std::function<void(QPainter &)> &draw) {
        QPainter overlayPainter(&m_overlay);
        overlayPainter.setRenderHint(QPainter::Antialiasing);
        draw(overlayPainter);
    };

    if (isFreeHand()) {
        if (m_pressed) {
            if (m_mode == Eraser) {
                // The copy keeps the segments already erased from it: each paint erases only the new
                // ones, which gives the same pixels as erasing the whole stroke from a fresh copy.
                if (m_erasePreview.isNull()) {
                    m_erasePreview = m_overlay.copy();
                    m_erasedSegments = 0;
                }
                {
                    QPainter erasePainter(&m_erasePreview);
                    erasePainter.setRenderHint(QPainter::Antialiasing);
                    drawStroke(erasePainter, m_erasedSegments);
                }
                m_erasedSegments = m_stroke.size();
                widgetPainter.drawPixmap(0, 0, m_erasePreview);
            } else {
                widgetPainter.drawPixmap(0, 0, m_overlay);
                drawStroke(widgetPainter);
            }
        } else {
            if (m_pending)
                commitToOverlay([this](QPainter &painter) { drawStroke(painter); });
            clearStroke();
            widgetPainter.drawPixmap(0, 0, m_overlay);
        }
    } else if (!textMode) {
        if (m_pressed) {
            widgetPainter.drawPixmap(0, 0, m_overlay);
            drawShape(widgetPainter);
        } else {
            if (m_pending)
                commitToOverlay([this](QPainter &painter) { drawShape(painter); });
            widgetPainter.drawPixmap(0, 0, m_overlay);
        }
    } else if (m_mode == Text) {
        widgetPainter.drawPixmap(0, 0, m_overlay);
        if (m_pressed)
            widgetPainter.drawRect(QRect(m_pressPoint, m_currentPoint));
        else if (m_pending)
            placeNoteEditor(widgetPainter);
    } else if (m_mode == TextCanceled) {
        widgetPainter.drawPixmap(0, 0, m_overlay);
    } else {
        commitToOverlay([this, &widgetPainter](QPainter &painter) { drawAcceptedText(painter, widgetPainter); });
        widgetPainter.drawPixmap(0, 0, m_overlay);
    }
    widgetPainter.end();

    if (m_pending || m_mode == TextAccepted) {
        emit changed();
        m_unsaved = true;
    }
    m_pending = false;
}

} // namespace QMWidgets
