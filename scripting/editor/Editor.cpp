#include "scripting/editor/Editor.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/WindowFit.h"
#include "scripting/editor/AliasesWidget.h"
#include "scripting/automation/ClassAliases.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/automation/EditorFilter.h"
#include "scripting/automation/GlobalFunctions.h"
#include "scripting/engine/IncludeScan.h"
#include "scripting/engine/IncludedFile.h"
#include "scripting/automation/KeyNameTable.h"
#include "scripting/editor/LineTextWidget.h"
#include "scripting/automation/ObjectWrapping.h"
#include "scripting/editor/OutputArea.h"
#include "scripting/engine/ScriptActivity.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"
#include "scripting/engine/Timer.h"
#include "scripting/automation/ToolTipStore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QScopeGuard>
#include <QScriptContext>
#include <QScriptEngineDebugger>
#include <QSplitter>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <climits>
#include <cmath>
#include <functional>
#include <memory>

namespace QMMistlark {

namespace {

struct GlobalFunction
{
    const char *name;
    QScriptEngine::FunctionSignature native;
};

// The global functions of every Editor's scripts, published in this order. getWidgetByID shares the
// native of getWidgetByToolTip, alert that of information.
static const GlobalFunction s_globalFunctions[] = {
    {"getWidgetByObjectName", getWidgetByObjectName},
    {"getWidgetByWindowTitle", getWidgetByWindowTitle},
    {"getWidgetByClassName", getWidgetByClassName},
    {"getSubWidgetByClassName", getSubWidgetByClassName},
    {"getVisibleSubWidgetByClassName", getVisibleSubWidgetByClassName},
    {"getSubWidgetByToolTip", getSubWidgetByToolTip},
    {"getWidgetByToolTip", getWidgetByToolTip},
    {"getVisibleWidgetByToolTip", getVisibleWidgetByToolTip},
    {"currentDateTimeString", currentDateTimeString},
    {"currentAppVersion", currentAppVersion},
    {"currentAppBuild", currentAppBuild},
    {"getVisibleWidgetByClassName", getVisibleWidgetByClassName},
    {"getWidgetByID", getWidgetByToolTip},
    {"getSubWidgetByObjectName", getSubWidgetByObjectName},
    {"getParentWidgetByClassName", getParentWidgetByClassName},
    {"grab", grab},
    {"grabAndSave", grabAndSave},
    {"dragAndDrop", dragAndDrop},
    {"quitApplication", quitApplication},
    {"getSubWidgetByInheritClassName", getSubWidgetByInheritClassName},
    {"sendEvent", sendEvent},
    {"clickMenuItem", clickMenuItem},
    {"mouseClick", mouseClick},
    {"mouseDoubleClick", mouseDoubleClick},
    {"mousePress", mousePress},
    {"mouseRelease", mouseRelease},
    {"keyPress", keyPress},
    {"shortCutPress", shortCutPress},
    {"enterPress", enterPress},
    {"spacePress", spacePress},
    {"information", information},
    {"alert", information},
    {"message", message},
    {"generateIDs", generateIDs},
    {"restoreOriginalToolTips", restoreOriginalToolTips},
    {"saveOutputToProtocol", saveOutputToProtocol},
    {"createTimer", createTimer},
    {"newObject", newObject},
    {"singleShotTimer", singleShotTimer},
    {"parent", parent},
    {"parentByClassName", parentByClassName},
    {"className", className},
    {"textDialog", textDialog},
    {"intDialog", intDialog},
    {"getVisibleDialog", getVisibleDialog},
    {"waitForDialogTermination", waitForDialogTermination},
    {"abort", abort},
    {"getVisiblePopup", getVisiblePopup},
    {"printToScriptLog", printToScriptLog},
    {"printChildren", printChildren},
    {"dumpHierarchy", dumpHierarchy},
    {"getFileNames", getFileNames},
    {"waitForPopupTermination", waitForPopupTermination},
    {"include", include},
    {"printout", printout},
    {"generateIDsForWidget", generateIDsForWidget},
    {"delay", delay},
};

// Helpers that a window may put in front of the program; no window of this application asks for them.
static const char s_embeddedFunctions[] =
    "\n"
    " // ------- embedded functions --------\n"
    "function startFunction(arg1, arg2){singleShotTimer(arg1).timeout.connect(arg2)}\n"
    "function dialogHandler(arg){singleShotTimer(50).timeout.connect(arg)}\n"
    "function popupHandler(arg){singleShotTimer(50).timeout.connect(arg)}\n"
    "function printOut(arg) {output.append(arg)}\n"
    "function clearOutput() {output.clear()}\n"
    "function mouseClickID(arg) {mouseClick(getVisibleWidgetByToolTip(arg))}\n"
    "function printHierarchy(arg)\n"
    "{\n"
    "    output.append(className(arg));\n"
    "    var indent = \"\";\n"
    "    var obj = arg;\n"
    "    for (;;) {\n"
    "        indent = indent + \"  \";\n"
    "        obj = parent(obj);\n"
    "        if (obj == null)\n"
    "            break;\n"
    "        output.append(indent + className(obj));\n"
    "    }\n"
    "}\n";

const char s_mainProgramMark[] = "// --------- Main Program ----------\n";
const char s_stoppedByUser[] = "Script evaluation is stopped by user";
const char s_partKept[] = "A script may not delete a part of the script window: it stays.";
const char s_windowKept[] = "A script may not delete a script window: it stays; close() closes it.";

// How often a busy script lets the window handle its input and painting, so that Stop reaches it.
constexpr int s_processEventsInterval = 100;

// The point sizes that zooming keeps the fonts of the document and the output pane within.
constexpr qreal s_smallestZoomPointSize = 1;
constexpr qreal s_largestZoomPointSize = 96;

// Calls back when the watched window is asked to close.
class CloseWatcher : public QObject
{
public:
    CloseWatcher(QObject *watched, std::function<void()> closing)
        : QObject(watched)
        , m_closing(std::move(closing))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            m_closing();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_closing;
};

} // namespace

Editor::Editor(QWidget *parent)
    : QWidget(parent)
{
    m_engine = new ScriptEngine(this);
    m_document = new DocWindow(nullptr);
    m_outputArea = new OutputArea(nullptr);
    m_gutter = new LineTextWidget(nullptr);

    m_engine->setOutputArea(m_outputArea);
    m_engine->setProcessEventsInterval(s_processEventsInterval);
    registerObjectTypes(m_engine);
    connect(m_engine, &ScriptEngine::refusalReported, this, &Editor::addRedReport);
    connect(m_engine, &ScriptEngine::stopRequested, this, &Editor::stopEvaluation);
    // A callback that Stop ended comes back with the abort as its exception.
    connect(m_engine, &QScriptEngine::signalHandlerException, this, [this] {
        rearmLater();
        if (!m_callbackAbort)
            return;
        delete m_callbackAbort;
        reportStopped();
    });
    m_outputArea->setStyleSheet(QStringLiteral("QTextEdit{background-color: #A0A0A0; color: #000000}"));
    m_embeddedFunctions = QString::fromLatin1(s_embeddedFunctions);

    m_gutter->setBaseWidth(40);
    m_gutter->setTextEdit(m_document);
    m_document->setStyleSheet(QStringLiteral("QTextEdit{background-color: white; color: black; "
                                             "selection-color:black; selection-background-color:lightBlue}"));
    connect(m_document, &DocWindow::changeWindowTitle, this, &Editor::changeWindowTitle);

    initScriptEngine();
    initClassAliases();
    storeOriginalToolTips();
    initKeyNameTable();
    installEditorFilters();

    connect(m_document, &QTextEdit::textChanged, this, &Editor::cursorChanged);
    connect(m_document, &QTextEdit::cursorPositionChanged, this, &Editor::cursorChanged);

    applyZoom(QMWidgets::App::instance()->value(QStringLiteral("zoom"), 0).toInt());

    auto *documentRow = new QWidget;
    auto *rowLayout = new QHBoxLayout(documentRow);
    rowLayout->setContentsMargins(1, 1, 1, 1);
    rowLayout->setSpacing(0);
    rowLayout->addWidget(m_gutter);
    rowLayout->addWidget(m_document);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(documentRow);
    splitter->addWidget(m_outputArea);
    splitter->setSizes({300, 100});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    layout->addWidget(splitter);

    // Lookups hand these widgets to scripts, and the Editor goes on using them after a run; its window
    // goes on using the Editor.
    installEventFilter(this);
    const QList<QWidget *> parts = findChildren<QWidget *>();
    for (QWidget *part : parts)
        part->installEventFilter(this);
}

// The engine wraps the script objects held by value, which die before the child objects do: it goes first.
Editor::~Editor()
{
    if (m_callbackAbort)
        m_callbackAbort->disconnect(this);
    delete m_callbackAbort;
    delete m_engine;
    m_engine = nullptr;
}

void Editor::addScriptObject(QObject *object, const QString &name)
{
    m_engine->globalObject().setProperty(name, wrapObject(m_engine, object), QScriptValue::KeepExistingFlags);
}

// Four of them are members, never allocated on their own, and the output pane is used by every run: like every
// object of the program, a script cannot delete them.
void Editor::publishOwnObject(QObject *object, const QString &name)
{
    m_engine->globalObject().setProperty(name, wrapObject(m_engine, object), QScriptValue::KeepExistingFlags);
}

bool Editor::eventFilter(QObject *watched, QEvent *event)
{
    // Only the script's deleteLater() reaches a part this way: the Editor deletes its parts directly.
    // The window too: its engine may be evaluating below this very event, in a delay or a callback, and a
    // deleted window would lose its unsaved text without the question of its close().
    if (event->type() == QEvent::DeferredDelete) {
        const bool isWindow = watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow() && watched != this;
        addRedReport(QLatin1String(isWindow ? s_windowKept : s_partKept));
        return true;
    }
    if (watched == this && (event->type() == QEvent::Show || event->type() == QEvent::ParentChange))
        guardAncestors();
    return QWidget::eventFilter(watched, event);
}

// The widgets between the Editor and its window, such as the script window, are held by pointer and used as
// the Editor is; the window holds them all.
void Editor::guardAncestors()
{
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        ancestor->removeEventFilter(this);
        ancestor->installEventFilter(this);
        if (ancestor->isWindow())
            break;
    }
}

bool Editor::hasError() const
{
    return m_hasError;
}

bool Editor::isModified() const
{
    return m_document->isModified();
}

QString Editor::fileName() const
{
    return m_document->fileName();
}

DocWindow *Editor::document() const
{
    return m_document;
}

bool Editor::isEvaluating() const
{
    return m_engine->isEvaluating();
}

bool Editor::isRunning() const
{
    return m_running;
}

void Editor::setRunning(bool running)
{
    m_running = running;
    m_engine->setRunning(running);
    if (!running)
        rearmLater();
    // Last: a receiver may delete the Editor.
    emit runningChanged(running);
}

QString Editor::outputHtml() const
{
    return m_outputArea->toHtml();
}

bool Editor::hasOutput() const
{
    return !m_outputArea->document()->isEmpty();
}

void Editor::clearOutput()
{
    m_outputArea->clear();
}

void Editor::setUseEmbeddedFunctions(bool use)
{
    m_useEmbeddedFunctions = use;
}

QString Editor::embeddedFunctions() const
{
    return m_embeddedFunctions;
}

void Editor::initScriptEngine()
{
    publishOwnObject(m_outputArea, QStringLiteral("output"));
    publishOwnObject(&m_qtDefs, QStringLiteral("Qt"));
    publishOwnObject(&m_qEventDefs, QStringLiteral("QEvent"));
    publishOwnObject(&m_support, QStringLiteral("Support"));
    publishOwnObject(&m_testObj, QStringLiteral("Test"));
    QScriptValue global = m_engine->globalObject();
    for (const GlobalFunction &function : s_globalFunctions) {
        global.setProperty(QLatin1String(function.name), m_engine->newFunction(function.native, 0),
                           QScriptValue::KeepExistingFlags);
    }
}

void Editor::installEditorFilters()
{
    if (m_filtersInstalled)
        return;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *widget : topLevels) {
        const QString className = QLatin1String(widget->metaObject()->className());
        if (className == QLatin1String("QMenu") || className.contains(QLatin1String("QMMistlark::")))
            continue;
        const QList<QWidget *> descendants = widget->findChildren<QWidget *>();
        // Each filter belongs to the widget it watches and goes with it.
        widget->installEventFilter(new EditorFilter(widget));
        for (QWidget *descendant : descendants)
            descendant->installEventFilter(new EditorFilter(descendant));
    }
    m_filtersInstalled = true;
}

// --- Commands passed to the document

void Editor::newFile()
{
    if (m_running)
        return;
    m_document->newFile();
}

void Editor::open()
{
    if (m_running)
        return;
    m_document->open();
}

void Editor::open(const QString &fileName)
{
    if (m_running)
        return;
    m_document->open(fileName);
}

bool Editor::load(const QString &fileName, QString *error)
{
    if (m_running) {
        if (error)
            *error = tr("A script is running.");
        return false;
    }
    return m_document->load(fileName, error);
}

bool Editor::maybeSaveChanges()
{
    return m_document->maybeSaveChanges();
}

void Editor::save()
{
    m_document->save();
}

void Editor::saveAs()
{
    m_document->saveAs();
}

void Editor::copy()
{
    m_document->copy();
}

void Editor::paste()
{
    m_document->paste();
}

void Editor::undo()
{
    m_document->undo();
}

void Editor::redo()
{
    m_document->redo();
}

// Each call opens a window of its own, which lives until the program ends; closing it only hides it.
void Editor::showAliaces()
{
    initClassAliases();
    auto *window = new AliasesWidget(classAliases(), nullptr);
    window->resize(400, 300);
    window->show();
}

void Editor::setText(const QString &text)
{
    if (m_running)
        return;
    m_document->setPlainText(text);
}

void Editor::cursorChanged()
{
    const QTextCursor cursor = m_document->textCursor();
    emit cursorPositionChanged(cursor.blockNumber() + 1, cursor.columnNumber() + 1);
}

// --- Zoom

void Editor::zoomIn()
{
    applyZoom(m_zoomLevel + 1);
    storeZoomLevel();
}

void Editor::zoomOut()
{
    applyZoom(m_zoomLevel - 1);
    storeZoomLevel();
}

void Editor::applyZoom(int level)
{
    level = clampedZoomLevel(level);
    const int steps = level - m_zoomLevel;
    if (steps > 0) {
        m_document->zoomIn(steps);
        m_outputArea->zoomIn(steps);
    } else if (steps < 0) {
        m_document->zoomOut(-steps);
        m_outputArea->zoomOut(-steps);
    }
    m_zoomLevel = level;
    m_gutter->updateLines();
}

// Each zoom step is one point of font size; a level beyond what the fonts can show would be stored but not shown.
int Editor::clampedZoomLevel(int level) const
{
    int lowest = INT_MIN;
    int highest = INT_MAX;
    const QTextEdit *edits[] = {m_document, m_outputArea};
    for (const QTextEdit *edit : edits) {
        const qreal unzoomedSize = edit->font().pointSizeF() - m_zoomLevel;
        if (unzoomedSize <= 0)
            continue; // a font sized in pixels: zooming does not change it
        lowest = qMax(lowest, int(std::ceil(s_smallestZoomPointSize - unzoomedSize)));
        highest = qMin(highest, int(std::floor(s_largestZoomPointSize - unzoomedSize)));
    }
    return qBound(lowest, level, highest);
}

void Editor::storeZoomLevel()
{
    QMWidgets::App::instance()->setValue(QStringLiteral("zoom"), m_zoomLevel);
}

// --- Messages

void Editor::displayError(const QString &text)
{
    m_outputArea->append(QStringLiteral("Error:") + text);
    m_hasError = true;
}

void Editor::displayWarning(const QString &text)
{
    m_outputArea->append(QStringLiteral("Warning:") + text);
}

void Editor::addRedReport(const QString &text)
{
    m_outputArea->appendRedReport(text);
}

// --- Run pipeline

bool Editor::startEvaluation()
{
    m_stoppedForGood = false;
    m_engine->setStopped(false);
    m_hasError = false;
    guardAncestors();
    m_engine->collectGarbage();
    // Pointer types that Qt registered since the last run reach the script as every object does.
    registerObjectTypes(m_engine);
    m_engine->setScriptFileName(m_document->fileName());
    if (!checkSyntax())
        return false;
    // Stop may come while an included file is checked, before anything of the document ran.
    if (m_engine->isStopped()) {
        reportStopped();
        return false;
    }
    m_outputArea->clear();
    return true;
}

bool Editor::evaluateDocument(QScriptValue *result)
{
    // The prologue is built again right before the evaluation, so its line count matches the program.
    const QString program = buildPrologue() + m_document->toPlainText();
    if (m_engine->isStopped()) {
        reportStopped();
        return false;
    }
    const ScriptActivity::Scope script(m_engine);
    *result = m_engine->evaluate(program, m_document->fileName(), 1);
    return true;
}

void Editor::reportStopped()
{
    m_hasError = true;
    addRedReport(QStringLiteral("Evaluation Error:<BR>Error: ") + QLatin1String(s_stoppedByUser));
}

void Editor::run()
{
    // The window handles events while its script runs: nothing may start a second run of this Editor or
    // change the document under the running one.
    if (m_running)
        return;
    // A receiver of runningChanged may delete the Editor: nothing of it is read then.
    const QPointer<Editor> alive(this);
    setRunning(true);
    if (!alive)
        return;
    const auto finished = qScopeGuard([this, alive] {
        if (alive)
            setRunning(false);
    });
    if (!startEvaluation())
        return;
    QScriptValue result;
    if (!evaluateDocument(&result))
        return;
    if (m_engine->hasUncaughtException())
        reportUncaughtException(result);
}

// Left to itself, or as it restores itself from its settings, the debugger's window can open with a code column a
// few letters wide: it opens at least large enough, within the screen, with narrow side docks.
static void showDebuggerReadably(QMainWindow *window)
{
    window->resize(window->size().expandedTo(QSize(1000, 700)));
    QMWidgets::fitIntoScreen(window);
    QList<QDockWidget *> sideDocks;
    QList<int> widths;
    for (QDockWidget *dock : window->findChildren<QDockWidget *>()) {
        const Qt::DockWidgetArea area = window->dockWidgetArea(dock);
        if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
            sideDocks << dock;
            widths << window->width() / 6;
        }
    }
    window->resizeDocks(sideDocks, widths, Qt::Horizontal);
}

void Editor::debug()
{
    if (m_running)
        return;
    const QPointer<Editor> alive(this);
    setRunning(true);
    if (!alive)
        return;
    const auto finished = qScopeGuard([this, alive] {
        if (alive)
            setRunning(false);
    });
    if (!startEvaluation())
        return;

    // The debugger's own window shows an uncaught exception while it is attached; nothing is reported here.
    std::unique_ptr<QScriptEngineDebugger> debugger(new QScriptEngineDebugger);
    m_debugger = debugger.get();
    debugger->widget(QScriptEngineDebugger::CodeWidget)->setStyleSheet(QStringLiteral("background-color: white"));
    // While the debugger holds the evaluation, the script waits as in a dialog: its timers may fire.
    connect(debugger.get(), &QScriptEngineDebugger::evaluationSuspended, this, [this] {
        ScriptActivity::setSuspended(m_engine, true);
        // A stop that came before the debugger held the run: nobody is to continue it by hand.
        if (m_engine->isStopped() && m_debugger)
            m_debugger->action(QScriptEngineDebugger::ContinueAction)->trigger();
    });
    connect(debugger.get(), &QScriptEngineDebugger::evaluationResumed, this,
            [this] { ScriptActivity::setSuspended(m_engine, false); });
    // A closed debugger window would leave the evaluation held where nobody can continue it.
    new CloseWatcher(debugger->standardWindow(), [this] { stopEvaluation(); });
    showDebuggerReadably(debugger->standardWindow());
    debugger->attachTo(m_engine);
    debugger->action(QScriptEngineDebugger::InterruptAction)->trigger();
    QScriptValue result;
    const bool evaluated = evaluateDocument(&result);
    debugger->detach();
    // The debugger showed any other exception while it was attached; a stop is reported as a plain run's is.
    if (evaluated && m_engine->isStopped()) {
        if (m_engine->hasUncaughtException())
            reportUncaughtException(result);
        else
            reportStopped();
    }
}

// Until the next run the script calls nothing more: its timers stop, every callback of it that starts is ended
// at its first check, and its waits, dialogs and include checks end at once.
void Editor::stopEvaluation()
{
    m_hasError = true;
    m_engine->setStopped(true);
    Timer::stopAll(m_engine);
    // The lasting abort is armed once this stop is through: as the run it ends returns, or as the abort it leaves
    // for a busy callback is withdrawn.
    // The waits that end may end what holds the Editor: nothing of it is read then.
    const QPointer<Editor> alive(this);
    const auto lasting = qScopeGuard([this, alive] {
        if (alive)
            m_stoppedForGood = true;
    });
    if (!m_engine->isEvaluating()) {
        m_engine->cancelWaits();
        if (alive)
            abortCallback();
        return;
    }
    const QScriptValue error =
        m_engine->currentContext()->throwError(QScriptContext::UnknownError, QLatin1String(s_stoppedByUser));
    m_engine->abortEvaluation(error);
    m_engine->cancelWaits();
    if (!alive)
        return;
    // A debugger that holds the evaluation must let it go on, or the stop would wait for the user. Its state()
    // tells a held run as running, so Continue goes out either way: a running debugger ignores it.
    if (m_debugger)
        m_debugger->action(QScriptEngineDebugger::ContinueAction)->trigger();
}

// A function of the script that a signal calls after run() has returned (a timer's callback, a widget's handler)
// runs outside any evaluation, and the engine takes an abort only during one. A busy callback still handles events
// at the engine's interval, so Stop arrives from within it: an evaluation context is opened for the abort, and the
// callback ends at its next check. Whether a callback is busy below cannot be asked, and an abort that none took
// would end the next callback at its first check. So a marker goes with the abort: Qt delivers its deferred delete
// only once control has left the event deliveries this call is nested in, when a busy callback below has taken the
// abort; what is left then is withdrawn.
void Editor::abortCallback()
{
    delete m_callbackAbort;
    armAbort();
    m_callbackAbort = new QObject;
    connect(m_callbackAbort.data(), &QObject::destroyed, this, &Editor::withdrawCallbackAbort);
    m_callbackAbort->deleteLater();
}

void Editor::withdrawCallbackAbort()
{
    // Every evaluation starts with the engine's abort cleared.
    m_engine->evaluate(QString());
    rearmLater();
}

void Editor::armAbort()
{
    m_engine->pushContext();
    const QScriptValue error =
        m_engine->currentContext()->throwError(QScriptContext::UnknownError, QLatin1String(s_stoppedByUser));
    m_engine->abortEvaluation(error);
    m_engine->popContext();
    m_engine->clearExceptions();
}

void Editor::rearmLater()
{
    if (!m_stoppedForGood)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_stoppedForGood && !m_running && !m_engine->isEvaluating())
                armAbort();
        },
        Qt::QueuedConnection);
}

bool Editor::checkSyntax()
{
    const QString text = m_document->toPlainText();
    const QString prologue = buildPrologue();
    const QScriptSyntaxCheckResult check = QScriptEngine::checkSyntax(prologue + text);
    if (check.state() == QScriptSyntaxCheckResult::Valid)
        return true;

    const int line = check.errorLineNumber();
    const QString message = check.errorMessage().toHtmlEscaped();
    QString report;
    if (liesInPrologue(line)) {
        report = QStringLiteral("Syntax Error in included file ") + message;
    } else if (line >= 1) {
        report = QStringLiteral("Syntax Error:") + message + QStringLiteral("<BR>") + QStringLiteral("Line:")
            + QString::number(line - m_prologueLineCount) + QStringLiteral("<BR>Column:")
            + QString::number(check.errorColumnNumber());
    } else {
        report = QStringLiteral("Syntax Error:") + message;
    }
    m_hasError = true;
    addRedReport(report);
    m_document->ensureCursorVisible();
    return false;
}

void Editor::reportUncaughtException(const QScriptValue &result)
{
    const int line = m_engine->uncaughtExceptionLineNumber();
    // The texts are the engine's, shown as HTML: escaped, so that a backtrace's "<global>" is not taken for a tag.
    // Cut as printed text is: a thrown text, or a backtrace that lists a call's arguments, may be megabytes long.
    const QString details = QStringLiteral("<BR>") + shownText(result.toString()).toHtmlEscaped()
        + QStringLiteral("<BR>Backtrace: ")
        + shownText(m_engine->uncaughtExceptionBacktrace().join(QLatin1Char('\n'))).toHtmlEscaped();
    QString report;
    if (liesInPrologue(line))
        report = QStringLiteral("Evaluation Error in included file");
    else if (line >= 1)
        report = QStringLiteral("Evaluation Error: Line:") + QString::number(line - m_prologueLineCount) + details;
    else
        report = QStringLiteral("Evaluation Error:") + details; // no line, as for a stopped script
    m_hasError = true;
    addRedReport(report);
}

// A line of the program lies in the prologue only when there is one; a line that is unknown (below 1) is
// taken as the document's.
bool Editor::liesInPrologue(int programLine) const
{
    return m_prologueLineCount > 0 && programLine >= 1 && programLine <= m_prologueLineCount;
}

QString Editor::buildPrologue()
{
    QString prologue;
    if (m_useEmbeddedFunctions)
        prologue += m_embeddedFunctions;
    const QString includes = expandIncludes(m_document->toPlainText());
    prologue += includes;
    if (m_useEmbeddedFunctions || !includes.isEmpty())
        prologue += QLatin1String(s_mainProgramMark);
    m_prologueLineCount = prologue.count(QLatin1Char('\n'));
    return prologue;
}

QString Editor::expandIncludes(const QString &text)
{
    const QStringList names = includeNames(text);
    QString included;
    for (const QString &name : qAsConst(names)) {
        const QString fileName = resolveIncludeName(name);
        QString content;
        // A stopped run checks no further file: the next one might loop as well.
        const bool stopped = m_running && m_engine->isStopped();
        const QString problem = stopped ? QString() : checkIncludedFile(fileName, m_engine, &content);
        if (!problem.isEmpty()) {
            addRedReport(QString(problem).replace(QLatin1Char('\n'), QLatin1String("<BR>")));
            m_hasError = true;
        }
        if (content.isNull())
            continue;
        included += QStringLiteral("\n // ------- included file \"") + fileName + QStringLiteral("\"--------\n")
            + content + QLatin1Char('\n');
    }
    return included;
}

// A bare name lies beside the script; a name with a directory part is taken as it stands. A script never saved
// has no directory of its own and uses the working directory.
QString Editor::resolveIncludeName(const QString &name) const
{
    if (name.contains(QLatin1Char('/')))
        return name;
    const QString scriptFileName = m_document->fileName();
    const QString directory =
        scriptFileName.isEmpty() ? QDir::currentPath() : QFileInfo(scriptFileName).absolutePath();
    return directory + QLatin1Char('/') + name;
}

} // namespace QMMistlark
