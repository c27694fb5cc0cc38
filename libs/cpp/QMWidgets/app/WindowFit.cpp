#include "QMWidgets/app/WindowFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace QMWidgets {

void fitIntoScreen(QWidget *window)
{
    // A window placed by its owner opens on the screen at its place; one that the window manager places, on its
    // own screen.
    const bool placed = window->testAttribute(Qt::WA_Moved);
    QScreen *screen = placed ? QGuiApplication::screenAt(window->geometry().center()) : nullptr;
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The style sheet's fonts and margins decide the minimum size: measured before, it comes out larger.
    window->ensurePolished();
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QSize fitted = window->size().boundedTo(available.size()).expandedTo(minimum);
    if (fitted != window->size())
        window->resize(fitted);
    if (!placed)
        return;
    // The frame counts once the window has one; before it is shown its size is not known.
    const QRect frame = window->frameGeometry();
    const QPoint inside(qBound(available.left(), frame.left(), qMax(available.left(), available.right() - frame.width() + 1)),
                        qBound(available.top(), frame.top(), qMax(available.top(), available.bottom() - frame.height() + 1)));
    if (inside != frame.topLeft())
        window->move(inside);
}

} // namespace QMWidgets
