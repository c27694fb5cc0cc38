// The application object's slot that opens the style-sheet editor, defined with the editor: the application
// object's core knows no window above it.
#include "QMWidgets/app/App.h"

#include "QMWidgets/css/CssEditor.h"

namespace QMWidgets {

void App::slotShowCssEditor()
{
    auto *editor = new CssEditor(nullptr);
    editor->show();
}

} // namespace QMWidgets
