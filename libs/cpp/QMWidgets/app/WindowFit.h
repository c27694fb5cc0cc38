#pragma once

class QWidget;

namespace QMWidgets {

// Fits a window's size, and its place once it has been given one, into the available area of the screen it opens
// on, down to the window's minimum size: a size saved on a larger screen, or at a smaller scale, would open the
// window partly off the screen.
void fitIntoScreen(QWidget *window);

} // namespace QMWidgets
