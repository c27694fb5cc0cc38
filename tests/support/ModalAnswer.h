#pragma once

#include <functional>

class QObject;
class QWidget;

// Runs the answer on the next modal dialog, from inside the event loop that runs it. The dialog is looked
// for at every pass of the event loop, so one that closes itself at its first pass is still seen. The
// looking belongs to the context: a dialog that never comes leaves nothing behind once the context goes.
void answerNextModal(QObject *context, std::function<void(QWidget *)> answer);
