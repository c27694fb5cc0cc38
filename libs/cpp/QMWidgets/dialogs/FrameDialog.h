#pragma once

class QDialog;
class QWidget;

namespace QMWidgets {

// The share and follow dialogs: an optional text, the frame of buttons between stretches and a
// centred Close button that accepts; the Close row stacks vertically on a small screen.
void layOutFrameDialog(QDialog *dialog, QWidget *text, QWidget *frame);

} // namespace QMWidgets
