#include "scripting/automation/WindowExtentGuard.h"

#include "scripting/engine/ScriptBounds.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace QMMistlark {

namespace {

quint64 s_layoutRequests = 0;

} // namespace

quint64 WindowExtentGuard::layoutRequestsHandled()
{
    return s_layoutRequests;
}

void WindowExtentGuard::install()
{
    static WindowExtentGuard *guard = nullptr;
    if (guard || !QCoreApplication::instance())
        return;
    guard = new WindowExtentGuard;
    guard->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(guard);
}

bool WindowExtentGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        ++s_layoutRequests;
    if (event->type() != QEvent::Resize || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow())
        return false;
    const int bound = widgetExtentBound();
    const QSize size = window->size();
    if (size.width() <= bound && size.height() <= bound)
        return false;
    const QSize largest(bound, bound);
    // A minimum over the bound would grow the window again at once.
    if (window->minimumWidth() > bound || window->minimumHeight() > bound)
        window->setMinimumSize(window->minimumSize().boundedTo(largest));
    window->resize(size.boundedTo(largest));
    // The window has had the resize to its bounded size; this one's size is gone.
    return true;
}

} // namespace QMMistlark
