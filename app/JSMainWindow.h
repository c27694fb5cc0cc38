#pragma once

#include "scripting/windows/ScriptWindow.h"

#include <QString>

namespace QMMistlark {
class FindDialog;
} // namespace QMMistlark

// The script window of a top-level window: one Editor with the cursor position in the status bar.
// The tool bar's commands arrive at its slots and go on to the Editor; the document's title passes through it.
class JSMainWindow : public QMMistlark::ScriptWindow
{
    Q_OBJECT

public:
    explicit JSMainWindow(QWidget *parent = nullptr);

    bool isModified() const;
    // True while the Editor runs a script, waits of the script included.
    bool isRunning() const;
    // The last title the document reported, for the closing question.
    QString titleText() const;

signals:
    void changeWindowTitle(const QString &title);
    void runningChanged(bool running);

public slots:
    void about();
    void slotChangeWindowTitle(const QString &title);
    void updateCursorPosition(int row, int column);
    // Kept for callers through the meta-object system; this window has no stay-on-top action to read.
    void stayOnTop();
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
    QString m_titleText;
    QMMistlark::FindDialog *m_findDialog = nullptr;
};
