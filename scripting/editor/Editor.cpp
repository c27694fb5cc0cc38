#include "scripting/editor/Editor.h"

#include "QMWidgets/app/App.h"
#include "scripting/editor/AliasesWidget.h"
#include "scripting/automation/ClassAliases.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/automation/EditorFilter.h"
#include "scripting/automation/GlobalFunctions.h"
#include "scripting/engine/IncludeScan.h"
#include "scripting/automation/KeyNameTable.h"
#include "scripting/editor/LineTextWidget.h"
#include "scripting/automation/ObjectWrapping.h"
#include "scripting/editor/OutputArea.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"
#include "scripting/engine/ScriptRun.h"
#include "scripting/automation/ToolTipStore.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSplitter>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <climits>
#include <cmath>
#include <functional>
#include <utility>

namespace QMMistlark {

namespace {

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
const char s_partKept[] = "A script may not delete a part of the script window: it stays.";
const char s_windowKept[] = "A script may not delete a script window: it stays; close() closes it.";

// How often a busy script lets the window handle its input and painting, so that Stop reaches it.
constexpr int s_processEventsInterval = 100;

// The point sizes that zooming keeps the fonts of the document and the output pane within.
constexpr qreal s_smallestZoomPointSize = 1;
constexpr qreal s_largestZoomPointSize = 96;

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
    m_run = new ScriptRun(m_engine,
                          {[this] { return prepareRun(); },
                           [this] { return std::exchange(m_checkedProgram, QString()); },
                           [this](const QScriptValue &result) { reportUncaughtException(result); },
                           [this] { reportStopped(); }},
                          nullptr);
    connect(m_run, &ScriptRun::runningChanged, this, &Editor::runningChanged);
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
    delete m_run;
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
    return m_run->isRunning();
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
    publishGlobalFunctions(m_engine);
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
    if (isRunning())
        return;
    m_document->newFile();
}

void Editor::open()
{
    if (isRunning())
        return;
    m_document->open();
}

void Editor::open(const QString &fileName)
{
    if (isRunning())
        return;
    m_document->open(fileName);
}

bool Editor::load(const QString &fileName, QString *error)
{
    if (isRunning()) {
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
    if (isRunning())
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

// Reached by scripts too: cut as printed text is.
void Editor::displayError(const QString &text)
{
    m_outputArea->append(QStringLiteral("Error:") + shownText(text));
    m_hasError = true;
}

void Editor::displayWarning(const QString &text)
{
    m_outputArea->append(QStringLiteral("Warning:") + shownText(text));
}

void Editor::addRedReport(const QString &text)
{
    m_outputArea->appendRedReport(text);
}

// --- Run pipeline

bool Editor::prepareRun()
{
    m_hasError = false;
    guardAncestors();
    m_engine->collectGarbage();
    // Pointer types that Qt registered since the last run reach the script as every object does.
    registerObjectTypes(m_engine);
    m_engine->setScriptFileName(m_document->fileName());
    if (!checkSyntax())
        return false;
    // A stop during the included files' checks is reported after what they reported.
    if (!m_engine->isStopped()) {
        m_outputArea->clear();
        for (const QString &problem : qAsConst(m_includeProblems))
            addRedReport(problem);
    }
    return true;
}

void Editor::reportStopped()
{
    m_hasError = true;
    addRedReport(QStringLiteral("Evaluation Error:<BR>Error: ") + QLatin1String(ScriptRun::StoppedByUser));
}

void Editor::run()
{
    m_run->run();
}

void Editor::debug()
{
    m_run->debug();
}

void Editor::stopEvaluation()
{
    m_hasError = true;
    m_run->stop();
}

bool Editor::checkSyntax()
{
    const QString text = m_document->toPlainText();
    m_checkedProgram = buildPrologue() + text;
    const QScriptSyntaxCheckResult check = QScriptEngine::checkSyntax(m_checkedProgram);
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
    m_includeProblems.clear();
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
        const bool stopped = isRunning() && m_engine->isStopped();
        const QString problem = stopped ? QString() : m_checkedIncludes.check(fileName, m_engine, &content);
        if (!problem.isEmpty()) {
            m_includeProblems << QString(problem).replace(QLatin1Char('\n'), QLatin1String("<BR>"));
            addRedReport(m_includeProblems.last());
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
