#include "QMWidgets/widgets/NoScreenShotWidget.h"

#include "QMWidgets/widgets/NoScreeShotFilter.h"

#include <QApplication>
#include <QEvent>
#include <QStackedLayout>

namespace QMWidgets {

void setChildWidgetsVisible(QObject *root, bool visible)
{
    if (!root)
        return;
    for (QWidget *widget : root->findChildren<QWidget *>(QString(), Qt::FindChildrenRecursively))
        widget->setVisible(visible);
}

NoScreenShotWidget::NoScreenShotWidget(QWidget *parent)
    : NoScreenShotWidget(QString(), parent)
{
}

NoScreenShotWidget::NoScreenShotWidget(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    connect(qApp, SIGNAL(focusChanged(QWidget *, QWidget *)), this, SLOT(slotFocusChanged(QWidget *, QWidget *)));
    setText(text.isEmpty() ? QStringLiteral("<H1><CENTER>") + tr("No!") + QStringLiteral("</CENTER></H1>") : text);
}

void NoScreenShotWidget::installKeyFilters()
{
    for (QWidget *widget : findChildren<QWidget *>(QString(), Qt::FindChildrenRecursively))
        widget->installEventFilter(new NoScreeShotFilter(this));
}

void NoScreenShotWidget::hideInnerWidgets()
{
    // Hiding the focused widget moves the focus, and that focus change must not show everything again.
    m_hiding = true;
    for (QWidget *widget : findChildren<QWidget *>(QString(), Qt::FindChildrenRecursively)) {
        if (widget->isHidden())
            continue;
        widget->hide();
        m_hiddenWidgets.append(widget);
    }
    m_hiding = false;
}

namespace {

// A page that its stack has left while the shield hid it: showing it again would show two pages at once.
bool isLeftStackPage(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    auto *stack = parent ? qobject_cast<QStackedLayout *>(parent->layout()) : nullptr;
    return stack && stack->stackingMode() == QStackedLayout::StackOne && stack->indexOf(widget) >= 0
           && stack->currentWidget() != widget;
}

} // namespace

void NoScreenShotWidget::showInnerWidgets()
{
    const QList<QPointer<QWidget>> hidden = m_hiddenWidgets;
    m_hiddenWidgets.clear();
    for (const QPointer<QWidget> &widget : hidden) {
        if (widget && !isLeftStackPage(widget))
            widget->show();
    }
}

void NoScreenShotWidget::slotFocusChanged(QWidget *old, QWidget *now)
{
    Q_UNUSED(old)
    Q_UNUSED(now)
    followApplicationState();
}

bool NoScreenShotWidget::event(QEvent *event)
{
    // A window whose inner widgets all hide keeps no focus widget, so its reactivation brings no focus
    // change: the activation events of the shield's own window are followed as well.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        followApplicationState();
    return QLabel::event(event);
}

void NoScreenShotWidget::followApplicationState()
{
    if (m_hiding)
        return;
    if (QApplication::activeWindow())
        showInnerWidgets();
    else
        hideInnerWidgets();
}

} // namespace QMWidgets
