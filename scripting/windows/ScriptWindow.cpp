#include "scripting/windows/ScriptWindow.h"

#include "scripting/automation/TargetMainWidget.h"
#include "scripting/automation/ToolTipStore.h"
#include "scripting/automation/WidgetIds.h"
#include "scripting/editor/Editor.h"

namespace QMMistlark {

ScriptWindow::ScriptWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_editor(new Editor(nullptr))
{
}

Editor *ScriptWindow::editor() const
{
    return m_editor;
}

void ScriptWindow::addScriptObject(QObject *object, const QString &name)
{
    m_editor->addScriptObject(object, name);
}

void ScriptWindow::addCommonObject(QObject *object)
{
    m_editor->addScriptObject(object, QStringLiteral("Common"));
}

void ScriptWindow::setTargetMainWidget(QObject *widget)
{
    QMMistlark::setTargetMainWidget(widget);
}

void ScriptWindow::generateIDs()
{
    QMMistlark::generateIDs();
}

void ScriptWindow::restoreOriginalToolTips()
{
    QMMistlark::restoreOriginalToolTips();
}

void ScriptWindow::showAliaces()
{
    m_editor->showAliaces();
}

void ScriptWindow::copy()
{
    m_editor->copy();
}

void ScriptWindow::paste()
{
    m_editor->paste();
}

void ScriptWindow::undo()
{
    m_editor->undo();
}

void ScriptWindow::redo()
{
    m_editor->redo();
}

void ScriptWindow::displayError(const QString &text)
{
    m_editor->displayError(text);
}

void ScriptWindow::displayWarning(const QString &text)
{
    m_editor->displayWarning(text);
}

void ScriptWindow::stopEvaluation()
{
    m_editor->stopEvaluation();
}

} // namespace QMMistlark
