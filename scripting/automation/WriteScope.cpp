#include "scripting/automation/WriteScope.h"

#include "scripting/automation/WidgetWrites.h"

#include <QWidget>

namespace QMMistlark {

WriteScope::WriteScope(const QObject *object)
    : m_widget(object->isWidgetType() ? static_cast<const QWidget *>(object) : nullptr)
    , m_window(m_widget ? m_widget->window() : nullptr)
    , m_size(m_window ? m_window->size() : QSize())
    , m_constraints(constraints())
{
}

bool WriteScope::mayHaveGrown() const
{
    if (!m_widget)
        return false;
    const QObjectList children = m_widget->children();
    for (const QObject *child : children) {
        if (child->isWidgetType())
            return true;
    }
    return constraints() != m_constraints;
}

void WriteScope::restore() const
{
    if (!m_window)
        return;
    settleLayouts();
    m_window->resize(m_size.expandedTo(m_window->minimumSize()));
}

bool WriteScope::Constraints::operator!=(const Constraints &other) const
{
    return sizeHint != other.sizeHint || minimumSizeHint != other.minimumSizeHint || minimumSize != other.minimumSize
        || maximumSize != other.maximumSize || size != other.size || policy != other.policy || hidden != other.hidden;
}

WriteScope::Constraints WriteScope::constraints() const
{
    if (!m_widget)
        return {};
    return {m_widget->sizeHint(),    m_widget->minimumSizeHint(), m_widget->minimumSize(), m_widget->maximumSize(),
            m_widget->size(),        m_widget->sizePolicy(),      m_widget->isHidden()};
}

} // namespace QMMistlark
