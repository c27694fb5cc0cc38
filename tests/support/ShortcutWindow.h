#pragma once

#include <QKeySequence>
#include <QWidget>

// A window whose action answers a key sequence as a window shortcut (or in the given context), counting the
// times it is triggered.
class ShortcutWindow : public QWidget
{
public:
    explicit ShortcutWindow(const QKeySequence &keys, Qt::ShortcutContext context = Qt::WindowShortcut);

    // Shows the window and waits until it is active: a window shortcut needs its window active.
    bool showActive();
    int triggered() const;

private:
    int m_triggered = 0;
};
