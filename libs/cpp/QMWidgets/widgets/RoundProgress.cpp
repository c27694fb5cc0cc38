#include "QMWidgets/widgets/RoundProgress.h"

#include "QMWidgets/style/StyleHelpers.h"

#include <QPainter>
#include <QRadialGradient>

namespace QMWidgets {

RoundProgress::RoundProgress(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int RoundProgress::value() const
{
    return m_value;
}

void RoundProgress::setValue(const int &value)
{
    m_value = value;
    update();
}

void RoundProgress::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    const int side = qMin(w, h);
    const QRect square((w - side) / 2, (h - side) / 2, side, side);
    const QPoint centre((square.left() + square.left() + side - 1) / 2, (square.top() + square.top() + side - 1) / 2);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    QRadialGradient background(centre, side / 2, centre);
    background.setColorAt(0.0, QColor(70, 70, 70));
    background.setColorAt(0.9, QColor(200, 200, 200));
    background.setColorAt(1.0, QColor(100, 100, 100));
    painter.setBrush(background);
    painter.drawEllipse(square);

    QRadialGradient pie(centre, side / 2, centre);
    pie.setColorAt(0.0, QColor(0, 10, 0));
    pie.setColorAt(0.9, QColor(0, 100, 0));
    pie.setColorAt(1.0, QColor(0, 255, 0));
    painter.setBrush(pie);
    painter.drawPie(square, 90 * 16, -int(m_value * 3.6 * 16));

    // A disc, not a square: a filled square would hide the gauge's round edge behind its corners.
    const int inner = side - side / 10;
    painter.setBrush(QColor(45, 45, 45));
    painter.drawEllipse(QRect((w - inner) / 2, (h - inner) / 2, inner, inner));

    // The text's box, 8 by 5.5 tenths of the disc, has its corners inside the disc: a point size of a third of
    // the gauge made "62%" spill over the ring.
    const QString text = QString::number(m_value) + QLatin1Char('%');
    painter.setFont(fontFittingBox(QStringLiteral("System"), text, QSize(inner * 8 / 10, inner * 55 / 100), this));
    painter.setPen(QColor(0, 210, 0));
    painter.drawText(QRect(0, 0, w, h), Qt::AlignCenter, text);
}

} // namespace QMWidgets
