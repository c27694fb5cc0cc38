#include "QMWidgets/dialogs/GuardedMessageBox.h"

#include "QMWidgets/app/ModalRun.h"

#include "MGraphX/OutsideResources.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace QMWidgets {

std::optional<QMessageBox::StandardButton> GuardedMessageBox::information(QWidget *parent, const QString &title,
                                                                          const QString &text,
                                                                          QMessageBox::StandardButtons buttons,
                                                                          QMessageBox::StandardButton defaultButton)
{
    return run(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

std::optional<QMessageBox::StandardButton> GuardedMessageBox::warning(QWidget *parent, const QString &title,
                                                                      const QString &text,
                                                                      QMessageBox::StandardButtons buttons,
                                                                      QMessageBox::StandardButton defaultButton)
{
    return run(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

std::optional<QMessageBox::StandardButton> GuardedMessageBox::run(QMessageBox::Icon icon, QWidget *parent,
                                                                  const QString &title, const QString &text,
                                                                  QMessageBox::StandardButtons buttons,
                                                                  QMessageBox::StandardButton defaultButton)
{
    auto *box = new QMessageBox(icon, title, text, QMessageBox::NoButton, parent);
    // The text may come from outside and name pictures: they load within the bounds, never by Qt's own loader.
    MGraphX::boundLabelResources(box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")));
    // As Qt's static functions do: the buttons in the order of their values, the default the one asked for
    // or else the first that accepts.
    const auto *buttonBox = box->findChild<QDialogButtonBox *>();
    for (uint mask = QMessageBox::FirstButton; mask <= QMessageBox::LastButton; mask <<= 1) {
        const uint standard = buttons & mask;
        if (!standard)
            continue;
        QPushButton *button = box->addButton(QMessageBox::StandardButton(standard));
        if (box->defaultButton())
            continue;
        if (defaultButton == QMessageBox::NoButton ? buttonBox->buttonRole(button) == QDialogButtonBox::AcceptRole
                                                   : standard == uint(defaultButton))
            box->setDefaultButton(button);
    }
    return runModal(box, [](QMessageBox *asked, int code) {
        return code == -1 ? QMessageBox::Cancel : asked->standardButton(asked->clickedButton());
    });
}

} // namespace QMWidgets
