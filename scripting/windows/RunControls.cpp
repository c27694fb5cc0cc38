#include "scripting/windows/RunControls.h"

#include "scripting/engine/ScriptEngine.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace QMMistlark {

RunControls::RunControls(QWidget *window, std::function<void()> stopRun)
    : QObject(window)
    , m_window(window)
    , m_stopRun(std::move(stopRun))
{
    keep(window);
}

void RunControls::keep(QWidget *control)
{
    for (QWidget *widget = control; widget; widget = widget->parentWidget()) {
        if (!m_controls.contains(widget)) {
            m_controls << widget;
            widget->installEventFilter(this);
        }
        if (widget == m_window)
            break;
    }
}

void RunControls::letClose()
{
    m_closing = true;
}

bool RunControls::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == m_window)
            m_closing = false;
        break;
    case QEvent::Hide:
    case QEvent::EnabledChange:
        // Only a script changes them: the program's own hiding of the window is a close it let go.
        if (!ScriptEngine::liveEngines().isEmpty())
            restoreLater();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Not inside the change itself: Qt is still passing it on to the children.
void RunControls::restoreLater()
{
    if (m_restorePending)
        return;
    m_restorePending = true;
    QMetaObject::invokeMethod(this, [this] { restore(); }, Qt::QueuedConnection);
}

void RunControls::restore()
{
    m_restorePending = false;
    // The outermost first, so that the controls inside are enabled and shown with it.
    for (int i = m_controls.size() - 1; i >= 0; --i) {
        QWidget *control = m_controls.at(i);
        if (!control)
            continue;
        if (control->testAttribute(Qt::WA_ForceDisabled))
            control->setEnabled(true);
        if (control != m_window && control->isHidden())
            control->show();
    }
    if (m_closing || !m_window->isHidden())
        return;
    if (!anotherWindowVisible()) {
        const QPointer<QWidget> window(m_window);
        m_stopRun();
        if (!window)
            return;
    }
    m_window->show();
    m_window->raise();
}

bool RunControls::anotherWindowVisible() const
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != m_window && window->isVisible() && window->windowType() != Qt::Popup
            && window->windowType() != Qt::ToolTip && window->windowType() != Qt::Desktop)
            return true;
    }
    return false;
}

} // namespace QMMistlark
