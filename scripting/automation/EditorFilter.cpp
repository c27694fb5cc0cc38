#include "scripting/automation/EditorFilter.h"

namespace QMMistlark {

EditorFilter::EditorFilter(QObject *parent)
    : QObject(parent)
{
}

bool EditorFilter::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched)
    Q_UNUSED(event)
    return false;
}

} // namespace QMMistlark
