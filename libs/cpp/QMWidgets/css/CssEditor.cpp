#include "QMWidgets/css/CssEditor.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/css/CssDoc.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"

#include "MGraphX/OutsideResources.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace QMWidgets {

namespace {

void prependClassAndName(QWidget *widget)
{
    widget->setToolTip(QString::fromLatin1(widget->metaObject()->className()) + '\n' + widget->objectName() + '\n'
                       + widget->toolTip());
}

} // namespace

CssEditor::CssEditor(QWidget *parent)
    : QMainWindow(parent)
{
    // Owned through the menu bar, which the menus join below.
    auto *fileMenu = new QMenu(QStringLiteral("&File"));
    auto *helpMenu = new QMenu(QStringLiteral("&Help"));
    m_doc = new CssDoc(nullptr);

    QAction *open = fileMenu->addAction(QStringLiteral("&Open..."), m_doc, SLOT(slotLoad()),
                                        QKeySequence(QStringLiteral("CTRL+O")));
    QAction *save = fileMenu->addAction(QStringLiteral("&Save"), m_doc, SLOT(slotSave()),
                                        QKeySequence(QStringLiteral("CTRL+S")));
    QAction *setInfo = fileMenu->addAction(QStringLiteral("&SetInfo"), this, SLOT(slotApplyToolTipsInfo()),
                                           QKeySequence(QStringLiteral("CTRL+I")));
    // In the text, Ctrl+A still selects all: the text area claims it first.
    QAction *apply = fileMenu->addAction(QStringLiteral("&Apply"), this, SLOT(slotApply()),
                                         QKeySequence(QStringLiteral("CTRL+A")));
    fileMenu->addAction(QStringLiteral("S&ave As..."), m_doc, SLOT(slotSaveAs()), QKeySequence());
    fileMenu->addSeparator();
    helpMenu->addAction(QStringLiteral("&About"), this, SLOT(slotAbout()), QKeySequence(Qt::Key_F1));
    QAction *reset = helpMenu->addAction(QStringLiteral("&Reset"), this, SLOT(slotReset()), QKeySequence(Qt::Key_R));

    menuBar()->addMenu(fileMenu);
    menuBar()->addMenu(helpMenu);
    fileMenu->setParent(menuBar(), fileMenu->windowFlags());
    helpMenu->setParent(menuBar(), helpMenu->windowFlags());

    auto *toolBar = new QToolBar(QStringLiteral("Operations"), this);
    toolBar->addAction(open);
    toolBar->addAction(save);
    toolBar->addAction(apply);
    toolBar->addAction(reset);
    toolBar->addAction(setInfo);
    addToolBar(Qt::TopToolBarArea, toolBar);

    setCentralWidget(m_doc);
    connect(m_doc, SIGNAL(changeWindowTitle(const QString &)), this, SLOT(slotChangeWindowTitle(const QString &)));
    statusBar()->showMessage(QStringLiteral("Ready"), 2000);
}

CssDoc *CssEditor::doc() const
{
    return m_doc;
}

void CssEditor::slotApply()
{
    const QString sheet = m_doc->toPlainText();
    // Qt opens what a url() names with a blocking read and no bound: a named pipe would hold the program for
    // good, a huge picture take gigabytes. Such a sheet is not applied at all.
    const QString refusal = MGraphX::styleSheetRefusal(sheet);
    if (!refusal.isEmpty()) {
        GuardedMessageBox::warning(this, QStringLiteral("Apply"),
                                   tr("The style sheet was not applied. %1.").arg(refusal));
        return;
    }
    qApp->setStyleSheet(sheet);
    m_doc->setupLook();
}

void CssEditor::slotAbout()
{
    QMessageBox::about(this, QStringLiteral("About"), QStringLiteral("CSS Style Editor"));
}

void CssEditor::slotReset()
{
    qApp->setStyleSheet(QString());
}

void CssEditor::slotChangeWindowTitle(const QString &title)
{
    setWindowTitle(title);
}

void CssEditor::slotApplyToolTipsInfo()
{
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (!topLevel)
            continue;
        if (!topLevel->objectName().isEmpty())
            prependClassAndName(topLevel);
        const QList<QWidget *> descendants = topLevel->findChildren<QWidget *>();
        for (QWidget *widget : descendants) {
            // The editor's own text keeps its tool tips.
            if (widget == m_doc || App::isChildOf(widget, m_doc) || widget->objectName().isEmpty())
                continue;
            prependClassAndName(widget);
        }
    }
}

} // namespace QMWidgets
