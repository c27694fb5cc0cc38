#include "QMWidgets/widgets/SimpleProgress.h"

#include "QMWidgets/style/StyleHelpers.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTimerEvent>

namespace QMWidgets {

SimpleProgress::SimpleProgress(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(20);
    startStripes();
}

int SimpleProgress::value() const
{
    return m_value;
}

void SimpleProgress::setValue(const int &value)
{
    m_value = value;
    if (m_value == 0)
        startStripes();
    else
        stopStripes();
    update();
}

void SimpleProgress::setText(const QString &text)
{
    m_text = text;
}

// One timer at most: a second one would make the stripes move faster with every busy value set.
void SimpleProgress::startStripes()
{
    if (!m_stripeTimer)
        m_stripeTimer = startTimer(100, Qt::CoarseTimer);
}

void SimpleProgress::stopStripes()
{
    if (m_stripeTimer) {
        killTimer(m_stripeTimer);
        m_stripeTimer = 0;
    }
}

void SimpleProgress::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_stripeTimer) {
        QWidget::timerEvent(event);
        return;
    }
    m_step = m_step < width() / 20 ? m_step + 1 : 0;
    update();
}

void SimpleProgress::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    QLinearGradient background(0, 0, 0, h);
    background.setColorAt(0.0, QColor(100, 100, 100));
    background.setColorAt(0.5, QColor(150, 150, 150));
    background.setColorAt(1.0, QColor(100, 100, 100));
    painter.fillRect(0, 0, w, h, background);

    QLinearGradient bar(0, 0, 0, h);
    bar.setColorAt(0.0, QColor(0, 140, 0));
    bar.setColorAt(0.5, QColor(0, 230, 0));
    bar.setColorAt(1.0, QColor(0, 140, 0));

    if (m_value != 0) {
        // In 64 bits, since a large value times the width overflows an int; a value outside 0 to 100
        // fills no more than the bar.
        const qint64 filled = qBound<qint64>(0, qint64(m_value) * w / 100, w);
        painter.fillRect(0, 0, int(filled), h, bar);
    } else {
        // Parallelograms one stripe wide whose bottom edge lies two stripes left of their top edge.
        const int v = w / 20;
        painter.setBrush(bar);
        for (int i = 0; i < 22; i += 2) {
            const int a = m_step + i * v;
            const QPolygon stripe({QPoint(a - v, 0), QPoint(a, 0), QPoint(a - 2 * v, h), QPoint(a - 3 * v, h)});
            painter.drawPolygon(stripe, Qt::OddEvenFill);
        }
    }

    if (m_text.isEmpty())
        return;
    // The line's height leaves two pixels above and below: a point size of eight tenths of the bar's pixels
    // cut the caption at the top and bottom. Its width is the elision's business.
    const QFont font = fontFittingBox(QStringLiteral("System"), QString(), QSize(w, h - 4), this);
    painter.setFont(font);
    const QString caption = QFontMetrics(font, this).elidedText(m_text, Qt::ElideMiddle, w);
    const QFontMetricsF metrics(font, this);
    const QPointF baseline((w - metrics.horizontalAdvance(caption)) / 2, (h - metrics.height()) / 2 + metrics.ascent());
    // The light caption alone reads at 3:1 on the bright middle of the bar and the track: a dark rim around each
    // letter makes it read on both.
    QPainterPath letters;
    letters.addText(baseline, font, caption);
    painter.strokePath(letters, QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setPen(QColor(255, 250, 255));
    painter.drawText(baseline, caption);
}

} // namespace QMWidgets
