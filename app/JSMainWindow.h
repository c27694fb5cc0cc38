#pragma once

#include <QMainWindow>
#include <QString>

namespace QMMistlark {
class Editor;
class FindDialog;
} // namespace QMMistlark

// The script window of a top-level window: one Editor with the cursor position in the status bar.
// The tool bar's commands arrive at its slots and go on to the Editor; the document's title passes through it.
class JSMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit JSMainWindow(QWidget *parent = nullptr);

    bool isModified() const;
    // True while the Editor runs a script, waits of the script included.
    bool isRunning() const;
    // The last title the document reported, for the closing question.
    QString titleText() const;

    // Host interface for a program that embeds the script window.
    void addScriptObject(QObject *object, const QString &name);
    void addCommonObject(QObject *object);
    void setTargetMainWidget(QWidget *widget);

signals:
    void changeWindowTitle(const QString &title);
    void runningChanged(bool running);

public slots:
    void about();
    void slotChangeWindowTitle(const QString &title);
    void updateCursorPosition(int row, int column);
    // Show the widget identifiers as tool tips, and put the application's own tool tips back.
    void generateIDs();
    void restoreOriginalToolTips();
    void showAliaces();
    void copy();
    void paste();
    void undo();
    void redo();
    void displayError(const QString &text);
    void displayWarning(const QString &text);
    // Kept for callers through the meta-object system; this window has no stay-on-top action to read.
    void stayOnTop();
    void stopEvaluation();
    void open();
    void saveAs();
    void save();
    // Made on first use and kept, so the search text stays between uses.
    void find();
    // Kept for callers through the meta-object system; this window has no batch area to toggle.
    void batch();
    void options();
    void run();
    void stop();
    void debug();
    void newFile();
    void zoomIn();
    void zoomOut();
    void setText(const QString &text);
    void showCompressedContent();

private:
    QMMistlark::Editor *m_editor;
    QString m_titleText;
    QMMistlark::FindDialog *m_findDialog = nullptr;
};
