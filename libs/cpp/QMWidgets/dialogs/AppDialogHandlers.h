#pragma once

namespace QMWidgets {

struct AppHandlers;

// Fills in what the application object opens from this folder: About, help, the reminders, the share and join
// prompts and the update check's answer.
void fillDialogHandlers(AppHandlers &handlers);

} // namespace QMWidgets
