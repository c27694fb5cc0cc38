#pragma once

#include <QMainWindow>
#include <QString>

namespace QMMistlark {

class Editor;

// What the script windows share: a main window around one Editor, the commands that go straight on to the
// Editor, the widget identifiers and tool tips of the application, and the interface for a host program that
// embeds the window. The windows add their own bars and commands.
class ScriptWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Publishes a host object to the scripts under a name, or under "Common".
    void addScriptObject(QObject *object, const QString &name);
    void addCommonObject(QObject *object);
    // Names the main widget that the scripts drive, for the whole process.
    void setTargetMainWidget(QObject *widget);

public slots:
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
    void stopEvaluation();

protected:
    // The Editor is made here, without parent: the window places it.
    explicit ScriptWindow(QWidget *parent = nullptr);

    Editor *editor() const;

private:
    Editor *m_editor;
};

} // namespace QMMistlark
