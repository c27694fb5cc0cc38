#pragma once

#include "scripting/windows/ScriptWindow.h"

#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QCloseEvent;
class QDockWidget;
class QMenu;

namespace QMMistlark {

class BatchArea;
class Editor;
class FindDialog;

// A self-contained script window for a host program: menus, tool bars, one Editor, the batch runner in a
// dock and the recently opened scripts, kept in the setting "recent".
class MainWindow : public ScriptWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    // A script left running in a closed, hidden window could never be stopped.
    void closeEvent(QCloseEvent *event) override;

public slots:
    void about();
    void changeWindowTitle(const QString &title);
    void updateCursorPosition(int row, int column);
    void stayOnTop();
    void open();
    void saveAs();
    void recentClicked();
    void find();
    void batch();
    void options();

private:
    void loadRecentFiles();
    void addRecentFile(const QString &path);
    void fillRecentMenu();
    void stopScript();

    QAction *m_onTopAction = nullptr;
    QMenu *m_recentMenu = nullptr;
    // In order of use: the one used longest ago first, the newest last.
    QStringList m_recentFiles;
    // Four names, or as many as were loaded when more were stored.
    int m_recentLimit = 4;
    FindDialog *m_findDialog = nullptr;
    BatchArea *m_batchArea = nullptr;
    QDockWidget *m_batchDock = nullptr;
    // New, Open, Run and Debug: off while a script runs, since they would act on the running Editor.
    QList<QAction *> m_startingActions;
    // The menus have no parent; the window frees them.
    QList<QMenu *> m_menus;
};

} // namespace QMMistlark
