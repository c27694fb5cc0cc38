#include "app/JSMainWindow.h"

#include "app/DlgJSCompressed.h"
#include "app/ScriptCompressor.h"
#include "QMWidgets/app/ModalRun.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"
#include "scripting/editor/OptionsDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMessageBox>
#include <QStatusBar>

JSMainWindow::JSMainWindow(QWidget *parent)
    : QMMistlark::ScriptWindow(parent)
{
    auto *saveAction = new QAction(this);
    saveAction->setShortcut(QKeySequence(QStringLiteral("CTRL+S")));
    connect(saveAction, &QAction::triggered, this, &JSMainWindow::save);
    addAction(saveAction);

    setCentralWidget(editor());

    connect(editor(), &QMMistlark::Editor::changeWindowTitle, this, &JSMainWindow::slotChangeWindowTitle);
    connect(editor(), &QMMistlark::Editor::cursorPositionChanged, this, &JSMainWindow::updateCursorPosition);
    connect(editor(), &QMMistlark::Editor::runningChanged, this, &JSMainWindow::runningChanged);

    statusBar()->setStyleSheet(QStringLiteral("QStatusBar{background-color: #303030; color: #FFFFFF}"));
    statusBar()->showMessage(tr("Ready"), 2000);
}

bool JSMainWindow::isModified() const
{
    return editor()->isModified();
}

bool JSMainWindow::isRunning() const
{
    return editor()->isRunning();
}

QString JSMainWindow::titleText() const
{
    return m_titleText;
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

void JSMainWindow::stayOnTop()
{
}

void JSMainWindow::open()
{
    editor()->open();
}

void JSMainWindow::saveAs()
{
    editor()->saveAs();
}

void JSMainWindow::save()
{
    editor()->save();
}

void JSMainWindow::find()
{
    if (!m_findDialog)
        m_findDialog = new QMMistlark::FindDialog(editor(), this);
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
    editor()->run();
}

void JSMainWindow::stop()
{
    editor()->stopEvaluation();
}

void JSMainWindow::debug()
{
    editor()->debug();
}

void JSMainWindow::newFile()
{
    editor()->newFile();
}

void JSMainWindow::zoomIn()
{
    editor()->zoomIn();
}

void JSMainWindow::zoomOut()
{
    editor()->zoomOut();
}

void JSMainWindow::setText(const QString &text)
{
    editor()->setText(text);
}

void JSMainWindow::showCompressedContent()
{
    auto *dialog = new DlgJSCompressed(this);
    dialog->setCompressedText(ScriptCompressor(editor()));
    // From the file name, not the title, which may carry " [modified]" or nothing at all.
    dialog->setBaseName(QFileInfo(editor()->fileName()).baseName());
    QMWidgets::runModal(dialog);
}
