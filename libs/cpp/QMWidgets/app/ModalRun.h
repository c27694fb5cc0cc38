#pragma once

#include <QPointer>

#include <optional>

namespace QMWidgets {

// Runs a dialog (anything with exec()) modally, reads its answer with read(dialog, result of exec()) and
// deletes it. A parent deleted while the dialog runs takes the dialog with it: then nothing of it is read or
// deleted, and there is no answer, which callers must not take for any of the dialog's own answers.
template <typename Dialog, typename Read>
auto runModal(Dialog *dialog, Read read) -> std::optional<decltype(read(dialog, 0))>
{
    const QPointer<Dialog> alive(dialog);
    const int code = alive->exec();
    if (!alive)
        return std::nullopt;
    auto answer = read(dialog, code);
    delete dialog;
    return answer;
}

// The same with the result of exec() as the answer.
template <typename Dialog>
std::optional<int> runModal(Dialog *dialog)
{
    return runModal(dialog, [](Dialog *, int code) { return code; });
}

} // namespace QMWidgets
