#include "EditorRun.h"

#include "scripting/editor/Editor.h"
#include "scripting/editor/OutputArea.h"

QString outputText(const QWidget &editorOrWindow)
{
    return editorOrWindow.findChild<QMMistlark::OutputArea *>()->toPlainText();
}

QString runScript(QMMistlark::Editor &editor, const QString &script)
{
    editor.setText(script);
    editor.run();
    return outputText(editor);
}
