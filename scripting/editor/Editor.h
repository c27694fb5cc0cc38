#pragma once

#include "scripting/automation/QEventDefs.h"
#include "scripting/automation/QtDefs.h"
#include "scripting/automation/Support.h"
#include "scripting/automation/TestObj.h"
#include "scripting/engine/CheckedIncludes.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QScriptValue;

namespace QMMistlark {

class DocWindow;
class LineTextWidget;
class OutputArea;
class ScriptEngine;
class ScriptRun;

// One script editing unit: the document with its gutter above the output pane, and the engine that runs
// the document. The engine lives as long as the Editor, so what one run defines, the next run sees.
class Editor : public QWidget
{
    Q_OBJECT

public:
    explicit Editor(QWidget *parent = nullptr);
    ~Editor() override;

    // Publishes an object to this Editor's scripts under a global name; the engine never deletes it.
    void addScriptObject(QObject *object, const QString &name);

    bool hasError() const;
    bool isModified() const;
    QString fileName() const;
    DocWindow *document() const;
    bool isEvaluating() const;
    // True from the start of run() or debug() to their end, waits of the script included.
    bool isRunning() const;
    QString outputHtml() const;
    // False while the output pane shows nothing, which is cheaper to ask than outputHtml().
    bool hasOutput() const;
    void clearOutput();
    // Opens the script without a message box: false, with the reason, when it could not be read or a run
    // is going on; the document then stays as it was.
    bool load(const QString &fileName, QString *error = nullptr);
    // The question New and Open ask over a changed document: false when the user cancelled.
    bool maybeSaveChanges();

    void setUseEmbeddedFunctions(bool use);
    QString embeddedFunctions() const;

    // The steps of a run: each reports its problems in red in the output pane and sets the error flag.
    bool checkSyntax();
    QString buildPrologue();
    QString expandIncludes(const QString &text);

signals:
    void changeWindowTitle(const QString &title);
    void cursorPositionChanged(int row, int column);
    void runningChanged(bool running);

public slots:
    void newFile();
    void open();
    void save();
    void saveAs();
    void run();
    void debug();
    void zoomIn();
    void zoomOut();
    void copy();
    void paste();
    void undo();
    void redo();
    void showAliaces();
    // Ends the run and, until the next run or debug, every timer and callback of the script.
    void stopEvaluation();
    void displayError(const QString &text);
    void displayWarning(const QString &text);
    void open(const QString &fileName);
    void setText(const QString &text);
    void cursorChanged();

protected:
    // Keeps the Editor's own widgets and its window from a script's deleteLater().
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void initScriptEngine();
    // The Editor's own objects: scripts may not delete them.
    void publishOwnObject(QObject *object, const QString &name);
    void installEditorFilters();
    void applyZoom(int level);
    int clampedZoomLevel(int level) const;
    void storeZoomLevel();

    // The checks before a run, with their reports: false when the syntax check failed and nothing is to run.
    bool prepareRun();
    void reportStopped();
    void guardAncestors();
    void addRedReport(const QString &text);
    void reportUncaughtException(const QScriptValue &result);
    bool liesInPrologue(int programLine) const;
    QString resolveIncludeName(const QString &name) const;

    ScriptEngine *m_engine = nullptr;
    DocWindow *m_document = nullptr;
    OutputArea *m_outputArea = nullptr;
    int m_zoomLevel = 0;
    LineTextWidget *m_gutter = nullptr;
    bool m_filtersInstalled = false;
    QString m_embeddedFunctions;
    int m_prologueLineCount = 0;
    // The program as the syntax check saw it, run as it stands: its included files are checked once a run.
    QString m_checkedProgram;
    // What the last prologue's included files reported, shown again once the pane is cleared for the run.
    QStringList m_includeProblems;
    CheckedIncludes m_checkedIncludes;
    bool m_hasError = false;
    // Published to the scripts as "Qt", "QEvent", "Test" and "Support"; made before the engine.
    QtDefs m_qtDefs;
    QEventDefs m_qEventDefs;
    TestObj m_testObj;
    Support m_support;
    bool m_useEmbeddedFunctions = false;
    // The run and debug life cycle; the Editor is the widget. Not a child: a script reaches the children
    // (findChildren) and could emit the run's signals.
    ScriptRun *m_run = nullptr;
};

} // namespace QMMistlark
