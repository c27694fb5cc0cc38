#include "EditorRun.h"

#include "scripting/Editor.h"
#include "scripting/OutputArea.h"

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
