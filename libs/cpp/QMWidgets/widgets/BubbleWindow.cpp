#include "QMWidgets/widgets/BubbleWindow.h"

#include "QMWidgets/app/App.h"

#include <QAbstractAnimation>
#include <QPainter>
#include <QPolygonF>

namespace QMWidgets {

namespace {
const int PointerHeight = 20;
}

BubbleWindow::BubbleWindow(QWidget *parent, const QColor &colour)
    : QFrame(parent)
    , m_colour(colour)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    keepContentsOffPointer();
}

// The pointer band is transparent beside the pointer: what the caller lays out keeps to the body.
void BubbleWindow::keepContentsOffPointer()
{
    setContentsMargins(0, m_arrowDown ? 0 : PointerHeight, 0, m_arrowDown ? PointerHeight : 0);
}

void BubbleWindow::setColor(const QColor &colour)
{
    m_colour = colour;
}

void BubbleWindow::setArrowDown(bool down)
{
    m_arrowDown = down;
    keepContentsOffPointer();
}

void BubbleWindow::setShowAnimation(QAbstractAnimation *animation)
{
    m_showAnimation = animation;
}

void BubbleWindow::setHideAnimation(QAbstractAnimation *animation)
{
    m_hideAnimation = animation;
}

void BubbleWindow::hideOnMouseButtonPress()
{
    if (App *app = App::instance())
        connect(app, SIGNAL(mouseButtonPress()), this, SLOT(hide()), Qt::UniqueConnection);
}

void BubbleWindow::slotFocusChanged(QWidget *, QWidget *)
{
    if (QApplication::activeWindow() != this)
        hide();
}

bool BubbleWindow::event(QEvent *event)
{
    return QFrame::event(event);
}

void BubbleWindow::mousePressEvent(QMouseEvent *event)
{
    hide();
    QWidget::mousePressEvent(event);
}

void BubbleWindow::showEvent(QShowEvent *event)
{
    if (m_showAnimation) {
        m_showAnimation->stop(); // a running animation would go on where it was, not restart
        m_showAnimation->start(QAbstractAnimation::KeepWhenStopped);
    }
    QWidget::showEvent(event);
}

void BubbleWindow::hideEvent(QHideEvent *event)
{
    if (m_hideAnimation) {
        m_hideAnimation->stop();
        m_hideAnimation->start(QAbstractAnimation::KeepWhenStopped);
    }
    QWidget::hideEvent(event);
}

void BubbleWindow::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    const qreal w = width();
    const qreal h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QBrush(m_colour, Qt::SolidPattern), 1, Qt::SolidLine, Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(QBrush(m_colour, Qt::SolidPattern));
    QPolygonF outline;
    if (m_arrowDown) {
        outline << QPointF(0, 0) << QPointF(w, 0) << QPointF(w, h - 20) << QPointF(w / 2 + 20, h - 20)
                << QPointF(w / 2, h) << QPointF(w / 2 - 20, h - 20) << QPointF(0, h - 20);
    } else {
        outline << QPointF(0, 23) << QPointF(3, 20) << QPointF(w / 2 - 20, 20) << QPointF(w / 2, 0)
                << QPointF(w / 2 + 20, 20) << QPointF(w - 3, 20) << QPointF(w, 23) << QPointF(w, h - 3)
                << QPointF(w - 3, h) << QPointF(3, h) << QPointF(0, h - 3);
    }
    painter.drawPolygon(outline, Qt::OddEvenFill);
}

} // namespace QMWidgets
