#include "MUI/MUITabBarItem.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionButton>
#include <QWindow>

MUITabBarItem::MUITabBarItem(QWidget *parent)
    : MUIBarItem(parent)
{
    // Expanding both ways, so the items of a bar share its width.
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding, QSizePolicy::DefaultType));
}

void MUITabBarItem::setText(const QString &caption)
{
    m_caption = caption;
    fitCaption();
    update();
}

namespace {
// Room beside a caption: two pixels for its shadow's offset and two more, so that the captions of neighbouring
// items, each centred in its own width, do not run into each other.
constexpr int CaptionRoom = 4;
}

// The style sheet sets the caption's font only when the item is polished, after setText: measured
// before, in the platform's larger font, the captions would make the bar, and the window, too wide.
void MUITabBarItem::fitCaption()
{
    setMinimumWidth(m_caption.isEmpty() ? 0 : QFontMetrics(font()).horizontalAdvance(m_caption) + CaptionRoom);
}

void MUITabBarItem::changeEvent(QEvent *event)
{
    MUIBarItem::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitCaption();
}

QString MUITabBarItem::text() const
{
    return m_caption;
}

void MUITabBarItem::setPicture(const QIcon &picture)
{
    m_picture = picture;
    update();
}

void MUITabBarItem::paintEvent(QPaintEvent *event)
{
    if (isFlat()) {
        // An option from the widget alone, without caption or icon, so that only the
        // style sheet's background is drawn.
        QStyleOptionButton option;
        option.initFrom(this);
        QPainter background(this);
        style()->drawControl(QStyle::CE_PushButton, &option, &background, this);
    } else {
        QPushButton::paintEvent(event);
    }

    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    // The picture fills a box of half the height, scaled in device pixels: a larger source shows its detail on a
    // screen of a higher pixel ratio.
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    if (!m_picture.isNull()) {
        const qreal ratio = devicePixelRatioF();
        const QSize box = QSize(h / 2, h / 2) * ratio;
        const QPixmap source = m_picture.pixmap(window()->windowHandle(), QSize(h / 2, h / 2), mode);
        QPixmap scaled = source.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        const int shownHeight = qRound(scaled.height() / ratio);
        painter.drawPixmap(w / 2 - h / 4, h / 4 - shownHeight / 2 + 3, scaled);
    }

    // A disabled caption fades like its picture: the style sheet gives both states one colour.
    if (mode == QIcon::Disabled)
        painter.setOpacity(0.45);
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(QRect(2, h / 2 + 2, w, h / 2), Qt::AlignCenter, m_caption);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(0, h / 2, w, h / 2), Qt::AlignCenter, m_caption);
}
