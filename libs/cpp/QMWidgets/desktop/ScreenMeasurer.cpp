#include "QMWidgets/desktop/ScreenMeasurer.h"

#include "QMWidgets/app/Os.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

namespace QMWidgets {

namespace {

const int OutsideLabelPointSize = 13;
const int OutsideLabelMaxLineHeight = 8;

QFont labelFont(int pointSize)
{
    // A point size below 1 is refused by QFont; such a selection is too small for a label inside anyway.
    QFont font(QStringLiteral("Times"), qMax(1, pointSize), QFont::Bold);
    font.setItalic(false);
    return font;
}

} // namespace

ScreenMeasurer::ScreenMeasurer(QWidget *parent)
    : ScreenCropper(parent)
{
}

void ScreenMeasurer::saveLocation()
{
}

QSize ScreenMeasurer::selectionSize() const
{
    return QSize(std::abs(m_selection.right() - m_selection.left()) + 1,
                 std::abs(m_selection.bottom() - m_selection.top()) + 1);
}

QString ScreenMeasurer::sizeText() const
{
    const double k = m_measureScale / screenScaleFactor();
    const QSize size = selectionSize();
    return QStringLiteral("%1x%2").arg(int(std::fabs(k * size.width()))).arg(int(std::fabs(k * size.height())));
}

void ScreenMeasurer::grabScreen()
{
    m_selecting = false;
    m_screen = grabDesktop();
    // Shown at once: otherwise the previous desktop stays on screen until the next resize.
    refreshDisplay();
    const QPointer<ScreenMeasurer> alive(this);
    emit done();
    if (!alive)
        return; // its owner deleted it on the signal
    repaint();
    setFocus(Qt::OtherFocusReason);
    setCursor(Qt::CrossCursor);
    setToolCursor(Qt::CrossCursor);
}

void ScreenMeasurer::slotClose()
{
    releaseToolCursor();
    showNormal();
    hide();
    emit doQuit();
}

void ScreenMeasurer::enterEvent(QEvent *event)
{
    setToolCursor(Qt::CrossCursor);
    ScreenCropper::enterEvent(event);
}

void ScreenMeasurer::leaveEvent(QEvent *event)
{
    releaseToolCursor();
    ScreenCropper::leaveEvent(event);
}

void ScreenMeasurer::mousePressEvent(QMouseEvent *event)
{
    ScreenCropper::mousePressEvent(event);
}

void ScreenMeasurer::mouseMoveEvent(QMouseEvent *event)
{
    if (m_selecting) {
        m_selection.setBottomRight(event->localPos().toPoint());
        repaint();
    }
    QFrame::mouseMoveEvent(event);
}

void ScreenMeasurer::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    m_selecting = false;
}

void ScreenMeasurer::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
}

void ScreenMeasurer::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(71, 71, 71, 255));
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w, h)));
    painter.drawPixmap((w - m_displayedPicture.width()) / 2, (h - m_displayedPicture.height()) / 2,
                       m_displayedPicture);

    if (m_selecting) {
        const QPen selectionPen(QBrush(QColor(210, 210, 210, 255)), 1, Qt::SolidLine, Qt::SquareCap,
                                Qt::BevelJoin);
        const QBrush selectionBrush(QColor(10, 10, 80, 100));
        painter.setPen(selectionPen);
        painter.setBrush(selectionBrush);
        painter.drawRect(m_selection);
        painter.setRenderHint(QPainter::Antialiasing, true);

        const QSize size = selectionSize();
        QFont font = labelFont(int(size.width() / 4.5));
        if (QFontMetrics(font).height() > size.height())
            font = labelFont(int(size.height() / 1.5));
        const QString label = sizeText();

        if (QFontMetrics(font).height() <= OutsideLabelMaxLineHeight) {
            // Too low for a readable label inside: write it above the selection on a filled box.
            const QFont outsideFont = labelFont(OutsideLabelPointSize);
            const QFontMetrics metrics(outsideFont);
            const int tw = metrics.horizontalAdvance(label);
            const int th = metrics.height();
            const int x1 = m_selection.left();
            const int y1 = m_selection.top();
            painter.setFont(outsideFont);
            painter.setPen(Qt::NoPen);
            painter.setBrush(selectionBrush);
            painter.drawRect(QRect(QPoint(x1 - 2, y1 - th - 3), QPoint(x1 + tw + 1, y1)));
            painter.setPen(selectionPen);
            painter.drawText(QPoint(x1, y1 - 3), label);
        } else {
            painter.setFont(font);
            painter.drawText(m_selection.normalized(), Qt::AlignHCenter | Qt::AlignVCenter, label);
        }
        return;
    }

    paintHelpBox(painter, 24, 3.5);
}

} // namespace QMWidgets
