#include "QMWidgets/widgets/Label.h"

#include "QMWidgets/app/App.h"

#include <QPainter>

namespace QMWidgets {

Label::Label(QWidget *parent)
    : QLabel(parent)
{
}

void Label::setImage(const QPixmap &image)
{
    m_image = image;
    update();
}

void Label::setExpanding(int expanding)
{
    m_expanding = expanding;
}

void Label::setOpacity(double opacity)
{
    m_opacity = opacity;
}

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_image.isNull())
        return;
    QPainter painter(this);
    if (m_opacity < 1.0)
        painter.setOpacity(m_opacity);
    const double ratio = App::primaryScreenPixelRatio();
    const QSize target(int(width() * ratio), int(height() * ratio));
    if (target.isEmpty())
        return;
    if (!m_expanding) {
        const QPixmap fitted = m_image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const int x = int((width() - fitted.width() / ratio) * 0.5);
        const int y = int((height() - fitted.height() / ratio) * 0.5);
        painter.drawPixmap(QRect(x, y, int(fitted.width() / ratio), int(fitted.height() / ratio)), fitted);
    } else {
        // Anchored at the top-left: what lies beyond the widget is cut off.
        const QPixmap filled = m_image.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        painter.drawPixmap(QRect(0, 0, int(filled.width() / ratio), int(filled.height() / ratio)), filled);
    }
}

} // namespace QMWidgets
