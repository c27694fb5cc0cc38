#include "QMWidgets/widgets/NoScreeShotFilter.h"

#include "QMWidgets/widgets/NoScreenShotWidget.h"

#include <QEvent>

namespace QMWidgets {

NoScreeShotFilter::NoScreeShotFilter(QObject *parent)
    : QObject(parent)
{
}

bool NoScreeShotFilter::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched)
    if (event->type() != QEvent::KeyPress)
        return false;
    // The shield keeps a record of what it hides, so that it shows exactly those widgets again.
    if (auto shield = qobject_cast<NoScreenShotWidget *>(parent()))
        shield->hideInnerWidgets();
    else
        setChildWidgetsVisible(parent(), false);
    return true;
}

} // namespace QMWidgets
