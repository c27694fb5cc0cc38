#include "ShortcutWindow.h"

#include <QAction>
#include <QtTest>

ShortcutWindow::ShortcutWindow(const QKeySequence &keys, Qt::ShortcutContext context)
{
    auto *action = new QAction(QStringLiteral("Refresh"), this);
    action->setShortcut(keys);
    action->setShortcutContext(context);
    addAction(action);
    connect(action, &QAction::triggered, this, [this] { ++m_triggered; });
}

bool ShortcutWindow::showActive()
{
    show();
    activateWindow();
    return QTest::qWaitForWindowActive(this);
}

int ShortcutWindow::triggered() const
{
    return m_triggered;
}
