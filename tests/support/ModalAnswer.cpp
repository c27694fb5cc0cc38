#include "ModalAnswer.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void answerNextModal(QObject *context, std::function<void(QWidget *)> answer)
{
    // A zero single shot is a posted call and runs ahead of the timers of a pass: a polling timer would
    // miss a box that closes itself from a zero single shot of its own.
    QTimer::singleShot(0, context, [context, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        // A dialog of the program that opens while a script runs blocks no window; it carries a mark instead.
        if (!modal) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget *window : windows) {
                if (window->isVisible() && window->property("openedWhileScriptLive").toBool())
                    modal = window;
            }
        }
        if (modal)
            answer(modal);
        else
            answerNextModal(context, answer);
    });
}

void deleteOnNextModal(QObject *context, QObject *doomed, QString *dialogClass,
                       std::function<void(QWidget *)> thenAnswer)
{
    const QPointer<QObject> target(doomed);
    answerNextModal(context, [target, dialogClass, thenAnswer](QWidget *modal) {
        *dialogClass = QString::fromLatin1(modal->metaObject()->className());
        const QPointer<QWidget> dialog(modal);
        delete target.data();
        if (dialog && thenAnswer)
            thenAnswer(dialog);
    });
}
