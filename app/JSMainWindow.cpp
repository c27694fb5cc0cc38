#include "app/JSMainWindow.h"

#include "app/DlgJSCompressed.h"
#include "app/ScriptCompressor.h"
#include "QMWidgets/app/ModalRun.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"
#include "scripting/editor/OptionsDialog.h"
#include "scripting/automation/TargetMainWidget.h"
#include "scripting/automation/ToolTipStore.h"
#include "scripting/automation/WidgetIds.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMessageBox>
#include <QStatusBar>

JSMainWindow::JSMainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_editor(new QMMistlark::Editor(nullptr))
{
    auto *saveAction = new QAction(this);
    saveAction->setShortcut(QKeySequence(QStringLiteral("CTRL+S")));
    connect(saveAction, &QAction::triggered, this, &JSMainWindow::save);
    addAction(saveAction);

    setCentralWidget(m_editor);

    connect(m_editor, &QMMistlark::Editor::changeWindowTitle, this, &JSMainWindow::slotChangeWindowTitle);
    connect(m_editor, &QMMistlark::Editor::cursorPositionChanged, this, &JSMainWindow::updateCursorPosition);
    connect(m_editor, &QMMistlark::Editor::runningChanged, this, &JSMainWindow::runningChanged);

    statusBar()->setStyleSheet(QStringLiteral("QStatusBar{background-color: #303030; color: #FFFFFF}"));
    statusBar()->showMessage(tr("Ready"), 2000);
}

bool JSMainWindow::isModified() const
{
    return m_editor->isModified();
}

bool JSMainWindow::isRunning() const
{
    return m_editor->isRunning();
}

QString JSMainWindow::titleText() const
{
    return m_titleText;
}

void JSMainWindow::addScriptObject(QObject *object, const QString &name)
{
    m_editor->addScriptObject(object, name);
}

void JSMainWindow::addCommonObject(QObject *object)
{
    m_editor->addScriptObject(object, QStringLiteral("Common"));
}

void JSMainWindow::setTargetMainWidget(QWidget *widget)
{
    QMMistlark::setTargetMainWidget(widget);
}

void JSMainWindow::about()
{
    QMessageBox::about(this, tr("About"), QStringLiteral("<H2>Mistlark Internal Script Editor</H2>"));
}

void JSMainWindow::slotChangeWindowTitle(const QString &title)
{
    m_titleText = title;
    emit changeWindowTitle(title);
}

void JSMainWindow::updateCursorPosition(int row, int column)
{
    statusBar()->showMessage(QStringLiteral("Row:%1; Column:%2").arg(row).arg(column));
}

void JSMainWindow::generateIDs()
{
    QMMistlark::generateIDs();
}

void JSMainWindow::restoreOriginalToolTips()
{
    QMMistlark::restoreOriginalToolTips();
}

void JSMainWindow::showAliaces()
{
    m_editor->showAliaces();
}

void JSMainWindow::copy()
{
    m_editor->copy();
}

void JSMainWindow::paste()
{
    m_editor->paste();
}

void JSMainWindow::undo()
{
    m_editor->undo();
}

void JSMainWindow::redo()
{
    m_editor->redo();
}

void JSMainWindow::displayError(const QString &text)
{
    m_editor->displayError(text);
}

void JSMainWindow::displayWarning(const QString &text)
{
    m_editor->displayWarning(text);
}

void JSMainWindow::stayOnTop()
{
}

void JSMainWindow::stopEvaluation()
{
    m_editor->stopEvaluation();
}

void JSMainWindow::open()
{
    m_editor->open();
}

void JSMainWindow::saveAs()
{
    m_editor->saveAs();
}

void JSMainWindow::save()
{
    m_editor->save();
}

void JSMainWindow::find()
{
    if (!m_findDialog)
        m_findDialog = new QMMistlark::FindDialog(m_editor, this);
    m_findDialog->show();
}

void JSMainWindow::batch()
{
}

void JSMainWindow::options()
{
    // On the heap: a script may find the dialog among the windows and delete it while it runs.
    QMWidgets::runModal(new QMMistlark::OptionsDialog(nullptr));
}

void JSMainWindow::run()
{
    m_editor->run();
}

void JSMainWindow::stop()
{
    m_editor->stopEvaluation();
}

void JSMainWindow::debug()
{
    m_editor->debug();
}

void JSMainWindow::newFile()
{
    m_editor->newFile();
}

void JSMainWindow::zoomIn()
{
    m_editor->zoomIn();
}

void JSMainWindow::zoomOut()
{
    m_editor->zoomOut();
}

void JSMainWindow::setText(const QString &text)
{
    m_editor->setText(text);
}

void JSMainWindow::showCompressedContent()
{
    auto *dialog = new DlgJSCompressed(this);
    dialog->setCompressedText(ScriptCompressor(m_editor));
    // From the file name, not the title, which may carry " [modified]" or nothing at all.
    dialog->setBaseName(QFileInfo(m_editor->fileName()).baseName());
    QMWidgets::runModal(dialog);
}
