#include "QMWidgets/widgets/CenterFilter.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QEvent>
#include <QWidget>

namespace QMWidgets {

CenterFilter::CenterFilter(QObject *parent)
    : QObject(parent)
{
}

bool CenterFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        m_watchedWidget = qobject_cast<QWidget *>(watched);
        if (m_watchedWidget)
            centerWidget();
    }
    return false;
}

void CenterFilter::slotResized(int screen)
{
    Q_UNUSED(screen)
    if (m_watchedWidget && m_watchedWidget->isVisible())
        centerWidget();
}

// Only the size of the reference counts, so a top-level window is placed at that point of the screen
// even when it has a parent window.
void CenterFilter::centerWidget()
{
    if (!m_watchedWidget)
        return;
    const QWidget *reference = m_watchedWidget->parentWidget();
    if (!reference)
        reference = QApplication::desktop();
    const QPoint target(reference->width() / 2 - m_watchedWidget->width() / 2,
                        reference->height() / 2 - m_watchedWidget->height() / 2);
    if (target != m_watchedWidget->pos())
        m_watchedWidget->move(target);
}

} // namespace QMWidgets
