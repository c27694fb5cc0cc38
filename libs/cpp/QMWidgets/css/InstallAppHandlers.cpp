// Fills in what the application object opens above its own folder, before main() runs. This file's object is
// linked into each program that links the framework (see the folder's CMakeLists.txt): in the static library
// nothing would call into it, and the linker would leave it out.
#include "QMWidgets/app/AppHandlers.h"
#include "QMWidgets/css/CssEditor.h"
#include "QMWidgets/dialogs/AppDialogHandlers.h"

namespace {

const bool s_installed = [] {
    QMWidgets::AppHandlers &handlers = QMWidgets::AppHandlers::instance();
    QMWidgets::fillDialogHandlers(handlers);
    handlers.showCssEditor = [] { (new QMWidgets::CssEditor(nullptr))->show(); };
    return true;
}();

} // namespace
