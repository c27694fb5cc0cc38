#include "scripting/automation/TargetMainWidget.h"

#include <QObject>
#include <QPointer>

namespace QMMistlark {

namespace {
// Guarded, so that a target destroyed before its readers reads as no target at all.
QPointer<QObject> s_targetMainWidget;
}

void setTargetMainWidget(QObject *widget)
{
    s_targetMainWidget = widget;
}

QObject *targetMainWidget()
{
    return s_targetMainWidget.data();
}

} // namespace QMMistlark
