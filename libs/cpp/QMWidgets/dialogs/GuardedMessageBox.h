#pragma once

#include <QMessageBox>

#include <optional>

namespace QMWidgets {

// Qt's own message boxes (the look of QMessageBox::warning and its kin) run the way the framework's guard runs
// a dialog. Qt's static functions keep the box on the stack with the caller's window as parent: a window
// deleted while the box is up deletes it a second time. Here the box lies on the heap, and a box that went
// with its parent, or was deleted by anything else, gives no answer (an empty optional). The buttons, the
// default button and the answers are those of Qt's static functions.
class GuardedMessageBox
{
public:
    static std::optional<QMessageBox::StandardButton>
    information(QWidget *parent, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static std::optional<QMessageBox::StandardButton>
    warning(QWidget *parent, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

private:
    static std::optional<QMessageBox::StandardButton> run(QMessageBox::Icon icon, QWidget *parent,
                                                          const QString &title, const QString &text,
                                                          QMessageBox::StandardButtons buttons,
                                                          QMessageBox::StandardButton defaultButton);
};

} // namespace QMWidgets
