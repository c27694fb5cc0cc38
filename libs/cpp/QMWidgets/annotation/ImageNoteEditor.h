#pragma once

#include <QFrame>

class QAction;
class QScrollArea;

namespace QMWidgets {

class ImageNoteWorkArea;
class NoteEditDragPreview;

// A window for annotating a screenshot: a side bar with the drag-out preview, the tools and a button that asks
// for a new screenshot; a top bar with the colour, the thickness menu, Undo, Redo, Save, the application menu
// and Quit; the drawing surface fills the rest. It asks before unsaved work is lost; taking the new screenshot
// is the caller's business.
class ImageNoteEditor : public QFrame
{
    Q_OBJECT

public:
    explicit ImageNoteEditor(QWidget *parent = nullptr);

signals:
    void changed();
    void shown();
    void doNewScreenShot();

public slots:
    void slotSetPixmap(const QPixmap &pixmap);
    void slotAbout();
    void slotSetThikness(QAction *action);
    void slotSetDashLine(bool on);
    void slotSetDrawTool(QAction *action);
    void slotSetFont();
    void slotSetPenTool();
    void slotSetEraserTool();
    void slotSetHighlighterTool();
    void slotSetRectangleTool();
    void slotSetFilledRectangleTool();
    void slotSetBlurRectangleTool();
    void slotSetOvalTool();
    void slotSetFilledOvalTool();
    void slotSetLineTool();
    void slotSetArrowTool();
    void slotSetTextTool();
    void slotChanged();
    void slotNewScreenShot();
    void slotQuitClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Every quit of the editor ends here. After QCoreApplication::quit() every later event loop of the process
    // returns at once, so a test replaces this.
    virtual void quitApplication();

private:
    ImageNoteWorkArea *m_workArea;
    QScrollArea *m_scrollArea;
    QFrame *m_sideBar;
    NoteEditDragPreview *m_dragPreview;
};

} // namespace QMWidgets
