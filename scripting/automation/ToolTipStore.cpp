#include "scripting/automation/ToolTipStore.h"

#include "scripting/automation/WidgetIds.h"

#include <QApplication>
#include <QWidget>

namespace QMMistlark {

namespace {

QMap<QWidget *, QString> OriginalToolTips;

} // namespace

const QMap<QWidget *, QString> &originalToolTips()
{
    return OriginalToolTips;
}

void storeOriginalToolTips()
{
    if (!OriginalToolTips.isEmpty())
        return;
    const QList<QWidget *> topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        recordWidgetText(OriginalToolTips, topLevel, topLevel->toolTip());
        const QList<QWidget *> descendants = topLevel->findChildren<QWidget *>();
        for (QWidget *descendant : descendants)
            recordWidgetText(OriginalToolTips, descendant, descendant->toolTip());
    }
}

void restoreOriginalToolTips()
{
    keepLiveWidgets(OriginalToolTips);
    applyToolTips(OriginalToolTips);
}

} // namespace QMMistlark
