#pragma once

#include <functional>

class QObject;
class QString;
class QWidget;

// Runs the answer on the next modal dialog, from inside the event loop that runs it; while a script runs, the
// program's dialogs block no window, and the next dialog that becomes the active window counts. The dialog is
// looked for at every pass of the event loop, so one that closes itself at its first pass is still seen. The
// looking belongs to the context: a dialog that never comes leaves nothing behind once the context goes.
void answerNextModal(QObject *context, std::function<void(QWidget *)> answer);

// Deletes the object from inside the event loop of the next modal dialog, as when a window goes while one of
// its prompts is up; the class name of that dialog goes to *dialogClass. A dialog that the deletion left
// standing (one without parent) is then given the answer, if any.
void deleteOnNextModal(QObject *context, QObject *doomed, QString *dialogClass,
                       std::function<void(QWidget *)> thenAnswer = {});
