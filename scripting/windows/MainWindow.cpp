#include "scripting/windows/MainWindow.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/ModalRun.h"
#include "resources/Resources.h"
#include "scripting/windows/BatchArea.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"
#include "scripting/editor/OptionsDialog.h"
#include "scripting/automation/TargetMainWidget.h"
#include "scripting/automation/ToolTipStore.h"
#include "scripting/automation/WidgetIds.h"

#include <QAction>
#include <QPointer>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace QMMistlark {

namespace {

const char recentKey[] = "recent";

enum Menu { FileMenu, ViewMenu, RunMenu, EditMenu, HelpMenu, MenuCount };
enum Receiver { ToEditor, ToWindow };

// The four images of an icon: normal and on, normal and off, disabled and on, selected and off.
struct ImageSet
{
    const char *normalOn;
    const char *normalOff;
    const char *disabledOn;
    const char *selectedOff;
};

struct ActionEntry
{
    Menu menu;
    const char *text;
    int shortcut; // 0: none
    ImageSet images;
    Receiver receiver;
    const char *slot;
};

// In creation order. No two actions share a shortcut, so every one of them fires from the keyboard.
const ActionEntry s_actions[] = {
    {FileMenu, "&New...", Qt::CTRL | Qt::Key_N,
     {"New.png", "NewOn.png", "NewDis.png", "NewHi.png"}, ToEditor, SLOT(newFile())},
    {FileMenu, "&Open...", Qt::CTRL | Qt::Key_O,
     {"RecallLgO.png", "RecallLgN.png", "RecallLgD.png", "RecallLgH.png"}, ToWindow, SLOT(open())},
    {FileMenu, "&Save", Qt::CTRL | Qt::Key_S,
     {"SaveO.png", "SaveN.png", "SaveD.png", "SaveH.png"}, ToEditor, SLOT(save())},
    {FileMenu, "S&ave As...", 0, {}, ToWindow, SLOT(saveAs())},
    {FileMenu, "O&ptions...", 0, {}, ToWindow, SLOT(options())},
    {FileMenu, "&Quit", Qt::CTRL | Qt::Key_Q, {}, ToWindow, SLOT(hide())},
    {ViewMenu, "&Find", Qt::CTRL | Qt::Key_F,
     {"RenderButtonO.png", "RenderButtonN.png", "RenderButtonD.png", "RenderButtonH.png"}, ToWindow, SLOT(find())},
    {ViewMenu, "&Zoom In", Qt::CTRL | Qt::Key_I,
     {"ZoomButtonO.png", "ZoomButtonN.png", "ZoomButtonD.png", "ZoomButtonH.png"}, ToEditor, SLOT(zoomIn())},
    {ViewMenu, "&Zoom Out", Qt::CTRL | Qt::Key_Minus,
     {"ZoomButtonO.png", "ZoomButtonN.png", "ZoomButtonD.png", "ZoomButtonH.png"}, ToEditor, SLOT(zoomOut())},
    {ViewMenu, "&OnTop", Qt::CTRL | Qt::Key_T,
     {"3DLutO.png", "3DLutN.png", "3DLutD.png", "3DLutH.png"}, ToWindow, SLOT(stayOnTop())},
    {RunMenu, "&Run", Qt::Key_F4,
     {"ReleaseO.png", "ReleaseN.png", "ReleaseD.png", "ReleaseH.png"}, ToEditor, SLOT(run())},
    {RunMenu, "&Stop", Qt::Key_F8,
     {"ViewStabO.png", "ViewStabN.png", "ViewStabD.png", "ViewStabH.png"}, ToWindow, SLOT(stopEvaluation())},
    {RunMenu, "&Debug", Qt::Key_F5,
     {"Lift.png", "LiftN.png", "LiftD.png", "LiftH.png"}, ToEditor, SLOT(debug())},
    {RunMenu, "&Batch", Qt::Key_F9,
     {"ResetLgO.png", "ResetLgN.png", "ResetLgD.png", "ResetLgH.png"}, ToWindow, SLOT(batch())},
    {RunMenu, "&Generate IDs", Qt::Key_F6, {}, ToWindow, SLOT(generateIDs())},
    {RunMenu, "&Restore The Original ToolTips", Qt::Key_F7, {}, ToWindow, SLOT(restoreOriginalToolTips())},
    {RunMenu, "&Show Aliaces", Qt::Key_F10,
     {"ViewTrack.png", "ViewTrackN.png", "ViewTrackD.png", "ViewTrackH.png"}, ToWindow, SLOT(showAliaces())},
    {EditMenu, "&Undo", Qt::CTRL | Qt::Key_Z,
     {"ExpandUpH.png", "ExpandUpN.png", "ExpandUpD.png", "ExpandUpH.png"}, ToWindow, SLOT(undo())},
    {EditMenu, "&Redo", Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
     {"ExpandDownH.png", "ExpandDownN.png", "ExpandDownD.png", "ExpandDownH.png"}, ToWindow, SLOT(redo())},
    {EditMenu, "&Copy", Qt::CTRL | Qt::Key_C,
     {"DaCopyH.png", "DaCopyN.png", "DaCopyD.png", "DaCopyH.png"}, ToWindow, SLOT(copy())},
    {EditMenu, "&Paste", Qt::CTRL | Qt::Key_V,
     {"DaPasteH.png", "DaPasteN.png", "DaPasteD.png", "DaPasteH.png"}, ToWindow, SLOT(paste())},
    {HelpMenu, "&About", Qt::Key_F1, {}, ToWindow, SLOT(about())},
};

const char *const s_menuTitles[MenuCount] = {"&File", "&View", "&Run", "&Edit", "&Help"};
const Menu s_menuBarOrder[] = {FileMenu, ViewMenu, EditMenu, RunMenu, HelpMenu};

// The tool bars, and the actions of each from left to right, by their menu texts.
struct ToolBarEntry
{
    const char *title;
    const char *actions[5];
};

const ToolBarEntry s_toolBars[] = {
    {"File Operations", {"&New...", "&Open...", "&Save"}},
    {"View Operations", {"&OnTop", "&Zoom In", "&Zoom Out", "&Find"}},
    {"Edit Operations", {"&Copy", "&Paste", "&Undo", "&Redo"}},
    {"Script Operations", {"&Run", "&Stop", "&Debug", "&Show Aliaces", "&Batch"}},
};

QString pix(const char *name)
{
    return QLatin1String(":/pix/") + QLatin1String(name);
}

// A missing image adds nothing, so an action whose images are all missing shows its text. Files, not pixmaps, go
// into the icon, so that Qt adds the "@2x" pictures beside them. The tool bar shows an action's icon in its off
// state: the disabled picture serves both states.
QIcon iconOf(const ImageSet &images)
{
    QIcon icon;
    if (!images.normalOn)
        return icon;
    icon.addFile(pix(images.normalOn), QSize(), QIcon::Normal, QIcon::On);
    icon.addFile(pix(images.normalOff), QSize(), QIcon::Normal, QIcon::Off);
    icon.addFile(pix(images.disabledOn), QSize(), QIcon::Disabled, QIcon::On);
    icon.addFile(pix(images.disabledOn), QSize(), QIcon::Disabled, QIcon::Off);
    icon.addFile(pix(images.selectedOff), QSize(), QIcon::Selected, QIcon::Off);
    return icon;
}

QMWidgets::App *app()
{
    return QMWidgets::App::instance();
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : ScriptWindow(parent)
{
    // A host program need not have registered the compiled-in images.
    Resources::init();
    for (const char *title : s_menuTitles)
        m_menus << new QMenu(QLatin1String(title));

    m_batchArea = new BatchArea(editor());

    m_batchDock = new QDockWidget(QStringLiteral("Batch Area"), this);
    m_batchDock->setWidget(m_batchArea);
    addDockWidget(Qt::RightDockWidgetArea, m_batchDock);

    QHash<QString, QAction *> actions;
    for (const ActionEntry &entry : s_actions) {
        QObject *receiver = entry.receiver == ToEditor ? static_cast<QObject *>(editor()) : this;
        QMenu *menu = m_menus.at(entry.menu);
        auto *action = menu->addAction(iconOf(entry.images), QLatin1String(entry.text));
        if (entry.shortcut)
            action->setShortcut(QKeySequence(entry.shortcut));
        connect(action, SIGNAL(triggered()), receiver, entry.slot);
        actions.insert(QLatin1String(entry.text), action);
        if (qstrcmp(entry.text, "O&ptions...") == 0) {
            // Without parent like the menus; the destructor frees it.
            m_recentMenu = new QMenu(QStringLiteral("&Recent Opened"));
            menu->addMenu(m_recentMenu);
            menu->addSeparator();
        }
    }
    m_onTopAction = actions.value(QStringLiteral("&OnTop"));
    m_onTopAction->setCheckable(true);
    // Quit only hides the window, which is the end of it for the user: the script ends first, as on closing.
    connect(actions.value(QStringLiteral("&Quit")), &QAction::triggered, this, &MainWindow::stopScript);
    for (const char *text : {"&New...", "&Open...", "&Run", "&Debug"})
        m_startingActions << actions.value(QLatin1String(text));
    // From the Editor's own state: a script can emit the signal too.
    connect(editor(), &Editor::runningChanged, this, [this] {
        const bool running = editor()->isRunning();
        for (QAction *action : qAsConst(m_startingActions))
            action->setEnabled(!running);
        m_recentMenu->setEnabled(!running);
    });

    for (Menu which : s_menuBarOrder)
        menuBar()->addMenu(m_menus.at(which));
    menuBar()->addSeparator();
    menuBar()->setStyleSheet(QStringLiteral("QMenuBar{background-color: #303030; color: #FFFFFF}"));

    for (const ToolBarEntry &entry : s_toolBars) {
        auto *bar = new QToolBar(QLatin1String(entry.title));
        for (const char *text : entry.actions)
            if (text)
                bar->addAction(actions.value(QLatin1String(text)));
        addToolBar(Qt::TopToolBarArea, bar);
        bar->setStyleSheet(QStringLiteral("QToolBar{background-color: #606060; color: #FFFFFF}"));
    }

    setCentralWidget(editor());
    connect(editor(), &Editor::changeWindowTitle, this, &MainWindow::changeWindowTitle);
    connect(editor(), &Editor::cursorPositionChanged, this, &MainWindow::updateCursorPosition);

    statusBar()->setStyleSheet(QStringLiteral("QStatusBar{background-color: #303030; color: #FFFFFF}"));
    statusBar()->showMessage(QStringLiteral("Ready"), 2000);

    loadRecentFiles();
}

MainWindow::~MainWindow()
{
    delete m_recentMenu;
    qDeleteAll(m_menus);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The stop lasts until the next run, whether the window goes or stays.
    stopScript();
    QMainWindow::closeEvent(event);
}

// The batch goes with its running script: its other rows would run on in a window that is gone.
void MainWindow::stopScript()
{
    m_batchArea->stop();
    editor()->stopEvaluation();
}

void MainWindow::about()
{
    QMessageBox::about(this, QStringLiteral("About"), QStringLiteral("<H2>Mistlark Internal Script Editor</H2>"));
}

void MainWindow::changeWindowTitle(const QString &title)
{
    setWindowTitle(title);
}

void MainWindow::updateCursorPosition(int row, int column)
{
    statusBar()->showMessage(QStringLiteral("Row:") + QString::number(row) + QStringLiteral("; Column:")
                             + QString::number(column));
}

void MainWindow::stayOnTop()
{
    if (m_onTopAction->isChecked()) {
        if (auto *target = qobject_cast<QWidget *>(targetMainWidget())) {
            target->setWindowFlags(Qt::Window);
            target->show();
        }
        setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
        show();
        raise();
        activateWindow();
    } else {
        setWindowFlags(Qt::Window);
        show();
    }
}

// The Editor tells its new title to receivers that may delete this window: nothing of it is read then.
void MainWindow::open()
{
    const QPointer<MainWindow> alive(this);
    editor()->open();
    if (alive)
        addRecentFile(editor()->fileName());
}

void MainWindow::saveAs()
{
    const QPointer<MainWindow> alive(this);
    editor()->saveAs();
    if (alive)
        addRecentFile(editor()->fileName());
}

void MainWindow::recentClicked()
{
    auto *action = qobject_cast<QAction *>(sender());
    // The Editor opens nothing while a script runs.
    if (!action || editor()->isRunning())
        return;
    const QString path = action->data().toString();
    // Over a changed document the same question as Open; Cancel leaves the document and the list alone.
    const QPointer<MainWindow> alive(this);
    if (!editor()->maybeSaveChanges() || !alive)
        return;
    editor()->open(path);
    if (alive)
        addRecentFile(path);
}

void MainWindow::find()
{
    if (!m_findDialog)
        m_findDialog = new FindDialog(editor(), this);
    m_findDialog->show();
}

void MainWindow::batch()
{
    // The dock's own state, not its visibility, which is false while the window itself is hidden.
    m_batchDock->setVisible(m_batchDock->isHidden());
}

void MainWindow::options()
{
    // On the heap: a script may find the dialog among the windows and delete it while it runs.
    QMWidgets::runModal(new OptionsDialog);
}

// "recent" holds the menu order: the newest name first, then the others from the one used longest ago on.
void MainWindow::loadRecentFiles()
{
    const QString stored = app() ? app()->value(QLatin1String(recentKey), QString()).toString() : QString();
    for (const QString &name : stored.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!m_recentFiles.contains(name))
            m_recentFiles << name;
    if (!m_recentFiles.isEmpty())
        m_recentFiles << m_recentFiles.takeFirst();
    m_recentLimit = qMax(m_recentLimit, m_recentFiles.size());
    fillRecentMenu();
}

void MainWindow::addRecentFile(const QString &path)
{
    const QString current = editor()->fileName();
    if (!current.isEmpty() && !m_recentFiles.contains(current))
        m_recentFiles << current;
    if (!path.isEmpty()) {
        m_recentFiles.removeAll(path);
        m_recentFiles << path;
    }
    while (m_recentFiles.size() > m_recentLimit)
        m_recentFiles.removeFirst();
    fillRecentMenu();

    QStringList menuOrder;
    for (const QAction *action : m_recentMenu->actions())
        menuOrder << action->data().toString();
    if (app())
        app()->setValue(QLatin1String(recentKey), menuOrder.join(QLatin1Char(';')));
}

// The newest name first, then the others oldest first.
void MainWindow::fillRecentMenu()
{
    // An entry may be the sender of the running recentClicked(), so none is deleted at once.
    for (QAction *action : m_recentMenu->actions()) {
        m_recentMenu->removeAction(action);
        action->deleteLater();
    }
    QStringList menuOrder = m_recentFiles;
    if (!menuOrder.isEmpty())
        menuOrder.prepend(menuOrder.takeLast());
    for (const QString &name : menuOrder) {
        // The text doubles "&" so that it shows the name rather than a mnemonic; the name itself is the data.
        QAction *action = m_recentMenu->addAction(QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setData(name);
        connect(action, &QAction::triggered, this, &MainWindow::recentClicked);
    }
}

} // namespace QMMistlark
