#include "QMWidgets/widgets/AdvancedLabel.h"

#include "MGraphX/ImageProcess.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace QMWidgets {

namespace {
constexpr int HoverBrightness = 30;

// The image planes come back opaque: give the brightened picture the original's transparency again.
QImage brightened(const QImage &picture)
{
    QImage bright = MGraphX::ImageProcess(picture).addBrightness(HoverBrightness).toImage()
                        .convertToFormat(QImage::Format_ARGB32);
    if (!picture.hasAlphaChannel() || bright.size() != picture.size())
        return bright;
    const QImage original = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < bright.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(bright.scanLine(y));
        const auto *alpha = reinterpret_cast<const QRgb *>(original.constScanLine(y));
        for (int x = 0; x < bright.width(); ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(alpha[x]));
    }
    return bright;
}
}

AdvancedLabel::AdvancedLabel(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(16, 16);
}

void AdvancedLabel::setText(const QString &text)
{
    m_text = text;
    repaint();
}

void AdvancedLabel::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    m_hoverImage = QImage();
    repaint();
}

void AdvancedLabel::setMargin(int margin)
{
    m_margin = margin;
    repaint();
}

void AdvancedLabel::mousePressEvent(QMouseEvent *event)
{
    const QPointer<AdvancedLabel> alive(this);
    emit clicked();
    if (!alive) {
        event->accept(); // its owner deleted it on the click: nothing may pass the press on through it
        return;
    }
    QWidget::mousePressEvent(event);
}

void AdvancedLabel::enterEvent(QEvent *event)
{
    m_hovered = true;
    setCursor(Qt::PointingHandCursor);
    QWidget::enterEvent(event);
    repaint();
}

void AdvancedLabel::leaveEvent(QEvent *event)
{
    m_hovered = false;
    m_hoverImage = QImage();
    setCursor(Qt::ArrowCursor);
    QWidget::leaveEvent(event);
    repaint();
}

void AdvancedLabel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize area(width() - 2 * m_margin, height() - 2 * m_margin);
    if (!m_pixmap.isNull() && !area.isEmpty()) {
        if (m_hovered) {
            if (m_hoverImage.size() != area)
                m_hoverImage = brightened(m_pixmap.toImage().scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            painter.drawImage(m_margin, m_margin, m_hoverImage);
        } else {
            painter.drawImage(m_margin, m_margin,
                              m_pixmap.toImage().scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
    }
    if (!m_text.isEmpty()) {
        painter.setFont(QFont(QStringLiteral("Courier"), 8, 75, false));
        painter.drawText(rect(), Qt::AlignHCenter | Qt::TextWordWrap, m_text);
    }
    QWidget::paintEvent(event);
}

} // namespace QMWidgets
