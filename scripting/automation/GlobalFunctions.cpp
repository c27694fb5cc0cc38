#include "scripting/automation/GlobalFunctions.h"

#include "MGraphX/OutsideResources.h"
#include "MTools/FileWriting.h"
#include "QMWidgets/app/App.h"
#include "scripting/automation/EditorFilter.h"
#include "scripting/automation/ObjectWrapping.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"
#include "scripting/automation/InputSynthesis.h"
#include "scripting/automation/Support.h"
#include "scripting/engine/Timer.h"
#include "scripting/automation/ToolTipStore.h"
#include "scripting/automation/WidgetFinder.h"
#include "scripting/automation/WidgetIds.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QScriptContext>
#include <QScriptEngine>
#include <QTextCodec>
#include <QTextEdit>
#include <QTextStream>
#include <QWidget>

#include <climits>
#include <cmath>
#include <variant>

namespace QMMistlark {

namespace {

const char s_abortMessage[] = "the script execution is aborted";
const char s_unsavedBaseName[] = "Untitled";

// Found objects stay their parents': the engine never deletes them, nor does the script.
QScriptValue objectValue(QScriptEngine *engine, QObject *object)
{
    return wrapObject(engine, object);
}

// An object that holds the value: it compares equal (==) to it, but is not a primitive.
QScriptValue variantValue(QScriptEngine *engine, const QVariant &value)
{
    return engine->newVariant(value);
}

QWidget *widgetArgument(QScriptContext *context, int index)
{
    return qobject_cast<QWidget *>(scriptObject(context->argument(index)));
}

// NaN and the infinities have no integer and give the fallback; numbers beyond int are clamped, since
// converting them would be undefined.
int truncatedNumber(double number, int fallback)
{
    if (!std::isfinite(number))
        return fallback;
    return int(qBound(double(INT_MIN), std::trunc(number), double(INT_MAX)));
}

// The text of an argument. False when the conversion threw (an object whose toString throws): the
// caller then does nothing with the exception's text and returns, so the exception reaches the script.
bool textArgument(QScriptContext *context, int index, QString *text)
{
    *text = context->argument(index).toString();
    return !context->engine()->hasUncaughtException();
}

QTextEdit *outputArea(QScriptEngine *engine)
{
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    return scriptEngine ? scriptEngine->outputArea() : nullptr;
}

QString scriptFileName(QScriptEngine *engine)
{
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    return scriptEngine ? scriptEngine->scriptFileName() : QString();
}

// Beside the script; a document never saved has no folder of its own, and its files go below the
// working directory rather than into the root of the file system.
QString protocolDirectory(const QString &scriptFileName)
{
    const QString base =
        scriptFileName.isEmpty() ? QDir::currentPath() : QFileInfo(scriptFileName).absolutePath();
    const QString directory = base + QStringLiteral("/protocol/");
    QDir().mkdir(directory);
    return directory;
}

QString protocolBaseName(const QString &scriptFileName)
{
    if (scriptFileName.isEmpty())
        return QLatin1String(s_unsavedBaseName);
    return QFileInfo(scriptFileName).baseName();
}

// The refusal thrown as a script error, or an invalid value when there is none and the call goes on.
QScriptValue throwRefusal(QScriptContext *context, const QString &refusal)
{
    if (refusal.isEmpty())
        return QScriptValue();
    return context->throwError(QScriptContext::RangeError, refusal);
}

QScriptValue currentDateTimeString(QScriptContext *context, QScriptEngine *engine)
{
    QString format;
    if (!textArgument(context, 0, &format))
        return engine->nullValue();
    const QScriptValue refused = throwRefusal(context, patternRefusal(QStringLiteral("A date format"), format));
    if (refused.isValid())
        return refused;
    return variantValue(engine, QDateTime::currentDateTime().toString(format));
}

QScriptValue currentAppVersion(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    return variantValue(engine, QCoreApplication::applicationVersion());
}

QScriptValue currentAppBuild(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    const auto *app = QMWidgets::App::instance();
    return variantValue(engine, app ? app->buildDateText() : QString());
}

// A new, hidden label holding the widget's image, sized to it; null for anything but a widget.
QScriptValue grab(QScriptContext *context, QScriptEngine *engine)
{
    QWidget *widget = widgetArgument(context, 0);
    if (!widget)
        return engine->nullValue();
    // Support judges the grab bound and throws its refusal to this script.
    Support support;
    support.setEngine(engine);
    const QPixmap pixmap = support.grab(widget);
    if (engine->hasUncaughtException())
        return engine->nullValue();
    auto *label = new QLabel;
    label->setFixedSize(pixmap.size());
    label->setPixmap(pixmap);
    // The engine frees a label that the script drops; its picture is memory the collector cannot see.
    engine->reportAdditionalMemoryCost(int(qMin<qint64>(INT_MAX, qint64(pixmap.width()) * pixmap.height() * 4)));
    return wrapScriptMade(engine, label, true);
}

QScriptValue grabAndSave(QScriptContext *context, QScriptEngine *engine)
{
    QString fileName;
    if (!textArgument(context, 1, &fileName))
        return engine->nullValue();
    Support support;
    support.setEngine(engine);
    support.grabAndSave(scriptObject(context->argument(0)), fileName);
    return engine->nullValue();
}

// Exactly six arguments, or nothing happens.
QScriptValue dragAndDrop(QScriptContext *context, QScriptEngine *engine)
{
    if (context->argumentCount() != 6)
        return engine->nullValue();
    InputSynthesis::dragAndDrop(scriptObject(context->argument(0)), truncatedNumber(context->argument(1).toNumber(), 0),
                                truncatedNumber(context->argument(2).toNumber(), 0), scriptObject(context->argument(3)),
                                truncatedNumber(context->argument(4).toNumber(), 0),
                                truncatedNumber(context->argument(5).toNumber(), 0));
    return engine->nullValue();
}

QScriptValue quitApplication(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    Support support;
    support.setEngine(engine);
    support.quitApplication();
    return engine->nullValue();
}

QScriptValue sendEvent(QScriptContext *context, QScriptEngine *engine)
{
    InputSynthesis::sendEvent(scriptObject(context->argument(0)), context->argument(1).toInt32());
    return engine->nullValue();
}

QScriptValue keyPress(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 1, &text))
        return engine->nullValue();
    InputSynthesis::typeText(scriptObject(context->argument(0)), text, engine);
    return engine->nullValue();
}

// The Editor, the engine's parent, is disabled while the key is posted.
QScriptValue shortCutPress(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 0, &text))
        return engine->nullValue();
    const QScriptValue refused = throwRefusal(context, patternRefusal(QStringLiteral("A shortcut text"), text));
    if (refused.isValid())
        return refused;
    InputSynthesis::shortCutPress(text, engine->parent());
    return engine->nullValue();
}

QScriptValue information(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 0, &text))
        return engine->nullValue();
    Support support;
    support.setEngine(engine);
    support.informationDialog(text);
    return engine->nullValue();
}

QScriptValue message(QScriptContext *context, QScriptEngine *engine)
{
    const int milliseconds = truncatedNumber(context->argument(0).toInteger(), 0);
    QString text;
    if (!textArgument(context, 1, &text))
        return engine->nullValue();
    Support support;
    support.setEngine(engine);
    support.messageDialog(milliseconds, text);
    return engine->nullValue();
}

// The output pane's text into a new file of the protocol folder, named after the script and the time.
QScriptValue saveOutputToProtocol(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    QTextEdit *output = outputArea(engine);
    if (!output)
        return engine->nullValue();
    const QString fileName = scriptFileName(engine);
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MMM-dd_hh-mm-ss"));
    // A protocol that cannot be written is skipped without a word: the script goes on.
    MTools::writeFileSafely(protocolDirectory(fileName) + protocolBaseName(fileName) + time + QStringLiteral(".txt"),
                            output->toPlainText().toLocal8Bit());
    return engine->nullValue();
}

QScriptValue createTimer(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    auto *timer = new Timer;
    timer->setEngine(engine);
    return wrapScriptMade(engine, timer);
}

// "QWidget" or "QLabel", case-sensitive; null for any other name.
QScriptValue newObject(QScriptContext *context, QScriptEngine *engine)
{
    QString typeName;
    if (!textArgument(context, 0, &typeName))
        return engine->nullValue();
    if (typeName == QLatin1String("QWidget"))
        return wrapScriptMade(engine, new QWidget);
    if (typeName == QLatin1String("QLabel"))
        return wrapScriptMade(engine, new QLabel);
    return engine->nullValue();
}

QScriptValue singleShotTimer(QScriptContext *context, QScriptEngine *engine)
{
    auto *timer = new Timer;
    timer->setEngine(engine);
    timer->start(context->argument(0).toInt32());
    return wrapScriptMade(engine, timer);
}

QScriptValue parent(QScriptContext *context, QScriptEngine *engine)
{
    // Scripts walk widget trees; anything else, a lookup's QAction included, has no parent for them.
    const QWidget *widget = qobject_cast<QWidget *>(scriptObject(context->argument(0)));
    return widget ? objectValue(engine, widget->parent()) : engine->nullValue();
}

QScriptValue className(QScriptContext *context, QScriptEngine *engine)
{
    const QObject *object = scriptObject(context->argument(0));
    if (!object)
        return engine->nullValue();
    return variantValue(engine, QString::fromLatin1(object->metaObject()->className()));
}

QScriptValue textDialog(QScriptContext *context, QScriptEngine *engine)
{
    QString label;
    QString text;
    if (!textArgument(context, 0, &label) || !textArgument(context, 1, &text))
        return engine->nullValue();
    Support support;
    support.setEngine(engine);
    return variantValue(engine, support.textDialog(label, text));
}

QScriptValue intDialog(QScriptContext *context, QScriptEngine *engine)
{
    QString label;
    if (!textArgument(context, 0, &label))
        return engine->nullValue();
    const int value = truncatedNumber(context->argument(1).toInteger(), 0);
    Support support;
    support.setEngine(engine);
    return variantValue(engine, support.intDialog(label, value));
}

// Ends the run with an error, as an uncaught exception would.
QScriptValue abort(QScriptContext *context, QScriptEngine *engine)
{
    const QScriptValue error = context->throwError(QScriptContext::UnknownError, QLatin1String(s_abortMessage));
    engine->abortEvaluation(error);
    return error;
}

// A time-stamped line appended to the script's log file in the protocol folder, and to the output pane.
QScriptValue printToScriptLog(QScriptContext *context, QScriptEngine *engine)
{
    QTextEdit *output = outputArea(engine);
    QString text;
    if (!output || !textArgument(context, 0, &text))
        return engine->nullValue();
    const QString fileName = scriptFileName(engine);
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("MMM-dd_hh-mm-ss"))
        + QStringLiteral(": ") + shownText(text);
    const QScriptValue refused = throwRefusal(context, MGraphX::richTextRefusal(line));
    if (refused.isValid())
        return refused;
    // The line goes to the pane only when the log has it too.
    if (MTools::appendToFile(protocolDirectory(fileName) + protocolBaseName(fileName) + QStringLiteral(".log"),
                             (line + QLatin1Char('\n')).toLocal8Bit()))
        output->append(line);
    return engine->nullValue();
}

QScriptValue printChildren(QScriptContext *context, QScriptEngine *engine)
{
    QWidget *widget = widgetArgument(context, 0);
    QTextEdit *output = outputArea(engine);
    if (!widget || !output)
        return engine->nullValue();
    const QList<QWidget *> descendants = widget->findChildren<QWidget *>();
    for (const QWidget *descendant : descendants)
        output->append(QString::fromLatin1(descendant->metaObject()->className()));
    return engine->nullValue();
}

// The names of the files in a folder that match one of the blank-separated name filters.
QScriptValue getFileNames(QScriptContext *context, QScriptEngine *engine)
{
    // Split at every blank: two blanks in a row pass an empty filter, which matches no file.
    QString folder;
    QString filterText;
    if (!textArgument(context, 0, &folder) || !textArgument(context, 1, &filterText))
        return engine->nullValue();
    const QScriptValue refused =
        throwRefusal(context, patternRefusal(QStringLiteral("A list of name filters"), filterText));
    if (refused.isValid())
        return refused;
    const QStringList filters = filterText.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    // An empty folder text is the working directory; the default order is by name, ignoring case.
    const QStringList names = QDir(folder).entryList(filters, QDir::Files);
    QScriptValue array = engine->newArray(uint(names.size()));
    for (int i = 0; i < names.size(); ++i)
        array.setProperty(quint32(i), names.at(i));
    return array;
}

QScriptValue printout(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 0, &text))
        return engine->nullValue();
    const QString shown = shownText(text);
    const QScriptValue refused = throwRefusal(context, MGraphX::richTextRefusal(shown));
    if (refused.isValid())
        return refused;
    if (QTextEdit *output = outputArea(engine))
        output->append(shown);
    return engine->nullValue();
}

// Shows identifiers below one widget as "Vis/" tool tips; they are not recorded for restoring.
QScriptValue generateIDsForWidget(QScriptContext *context, QScriptEngine *engine)
{
    const QList<QWidget *> labelled = labelSubtree(widgetArgument(context, 0));
    // Owned by the widget it watches, so that it goes with the widget instead of living on.
    for (QWidget *widget : labelled)
        widget->installEventFilter(new EditorFilter(widget));
    return engine->nullValue();
}

QScriptValue delay(QScriptContext *context, QScriptEngine *engine)
{
    waitCancellably(engine, context->argument(0).toInt32());
    return engine->nullValue();
}


// The arities of the functions that hand their arguments straight on: a text; an object and a text; the mouse
// arguments (parseMouseArguments); an object; nothing. Objects found are returned, else null.
using TextLookup = QObject *(*)(const QString &);
using LookupFrom = QObject *(*)(QObject *, const QString &);
using Finder = QWidget *(*)();
using MouseInput = void (*)(QObject *, int, int, Qt::MouseButton, Qt::MouseButtons);
using ObjectTextAction = void (*)(QObject *, const QString &);
using ObjectAction = void (*)(QObject *);
using Action = void (*)();
// A function that reads its arguments itself.
using Native = QScriptEngine::FunctionSignature;
using Target = std::variant<Native, TextLookup, LookupFrom, Finder, MouseInput,
                            ObjectTextAction, ObjectAction, Action>;

// A row names the function, its arity (the target's type) and its target. Rows brace their targets, so that
// a target of another arity does not compile.
struct GlobalFunction
{
    const char *name;
    Target target;
};

// The one reading of a forwarded function's arguments.
struct Forward
{
    QScriptContext *context;
    QScriptEngine *engine;

    QScriptValue operator()(Native native) const { return native(context, engine); }

    QScriptValue operator()(TextLookup lookup) const
    {
        QString text;
        if (!textArgument(context, 0, &text))
            return engine->nullValue();
        return objectValue(engine, lookup(text));
    }

    QScriptValue operator()(LookupFrom lookup) const
    {
        QString text;
        if (!textArgument(context, 1, &text))
            return engine->nullValue();
        return objectValue(engine, lookup(scriptObject(context->argument(0)), text));
    }

    QScriptValue operator()(Finder find) const { return objectValue(engine, find()); }

    QScriptValue operator()(MouseInput input) const
    {
        const MouseArguments arguments = parseMouseArguments(context);
        // A number that names no button is taken for the default left button.
        const Qt::MouseButton button = arguments.button >= 0 && arguments.button <= int(Qt::MaxMouseButton)
            ? Qt::MouseButton(arguments.button)
            : Qt::LeftButton;
        input(scriptObject(context->argument(0)), arguments.x, arguments.y, button, Qt::MouseButtons(button));
        return engine->nullValue();
    }

    QScriptValue operator()(ObjectTextAction action) const
    {
        QString text;
        if (!textArgument(context, 1, &text))
            return engine->nullValue();
        action(scriptObject(context->argument(0)), text);
        return engine->nullValue();
    }

    QScriptValue operator()(ObjectAction action) const
    {
        action(scriptObject(context->argument(0)));
        return engine->nullValue();
    }

    QScriptValue operator()(Action action) const
    {
        action();
        return engine->nullValue();
    }
};

QScriptValue callGlobalFunction(QScriptContext *context, QScriptEngine *engine, void *function)
{
    return std::visit(Forward{context, engine}, static_cast<const GlobalFunction *>(function)->target);
}

// The global functions of every Editor's scripts, published in this order.
static const GlobalFunction s_globalFunctions[] = {
    {"getWidgetByObjectName", TextLookup{&WidgetFinder::getWidgetByObjectName}},
    {"getWidgetByWindowTitle", TextLookup{&WidgetFinder::getWidgetByWindowTitle}},
    {"getWidgetByClassName", TextLookup{&WidgetFinder::getWidgetByClassName}},
    {"getSubWidgetByClassName", LookupFrom{&WidgetFinder::getSubWidgetByClassName}},
    {"getVisibleSubWidgetByClassName", LookupFrom{&WidgetFinder::getVisibleSubWidgetByClassName}},
    {"getSubWidgetByToolTip", LookupFrom{&WidgetFinder::getSubWidgetByToolTip}},
    {"getWidgetByToolTip", TextLookup{&WidgetFinder::getWidgetByToolTip}},
    {"getVisibleWidgetByToolTip", TextLookup{&WidgetFinder::getVisibleWidgetByToolTip}},
    {"currentDateTimeString", Native{&currentDateTimeString}},
    {"currentAppVersion", Native{&currentAppVersion}},
    {"currentAppBuild", Native{&currentAppBuild}},
    {"getVisibleWidgetByClassName", TextLookup{&WidgetFinder::getVisibleWidgetByClassName}},
    // A generated widget identifier is shown as the widget's tool tip.
    {"getWidgetByID", TextLookup{&WidgetFinder::getWidgetByToolTip}},
    {"getSubWidgetByObjectName", LookupFrom{&WidgetFinder::getSubWidgetByObjectName}},
    {"getParentWidgetByClassName", LookupFrom{&WidgetFinder::getParentWidgetByClassName}},
    {"grab", Native{&grab}},
    {"grabAndSave", Native{&grabAndSave}},
    {"dragAndDrop", Native{&dragAndDrop}},
    {"quitApplication", Native{&quitApplication}},
    {"getSubWidgetByInheritClassName", LookupFrom{&WidgetFinder::getSubWidgetByInheritClassName}},
    {"sendEvent", Native{&sendEvent}},
    {"clickMenuItem", ObjectTextAction{&InputSynthesis::clickMenuItem}},
    {"mouseClick", MouseInput{&InputSynthesis::mouseClick}},
    {"mouseDoubleClick", MouseInput{&InputSynthesis::mouseDoubleClick}},
    {"mousePress", MouseInput{&InputSynthesis::mousePress}},
    {"mouseRelease", MouseInput{&InputSynthesis::mouseRelease}},
    {"keyPress", Native{&keyPress}},
    {"shortCutPress", Native{&shortCutPress}},
    {"enterPress", ObjectAction{[](QObject *w) { InputSynthesis::keyPress(w, Qt::Key_Enter); }}},
    {"spacePress", ObjectAction{[](QObject *w) { InputSynthesis::keyPress(w, Qt::Key_Space); }}},
    {"information", Native{&information}},
    {"alert", Native{&information}},
    {"message", Native{&message}},
    {"generateIDs", Action{&generateIDs}},
    {"restoreOriginalToolTips", Action{&restoreOriginalToolTips}},
    {"saveOutputToProtocol", Native{&saveOutputToProtocol}},
    {"createTimer", Native{&createTimer}},
    {"newObject", Native{&newObject}},
    {"singleShotTimer", Native{&singleShotTimer}},
    {"parent", Native{&parent}},
    {"parentByClassName", LookupFrom{&WidgetFinder::parentByClassName}},
    {"className", Native{&className}},
    {"textDialog", Native{&textDialog}},
    {"intDialog", Native{&intDialog}},
    {"getVisibleDialog", Finder{&WidgetFinder::findVisibleDialog}},
    {"waitForDialogTermination", Action{[] { QCoreApplication::processEvents(); }}},
    {"abort", Native{&abort}},
    {"getVisiblePopup", Finder{&WidgetFinder::findVisiblePopup}},
    {"printToScriptLog", Native{&printToScriptLog}},
    {"printChildren", Native{&printChildren}},
    {"dumpHierarchy", ObjectAction{&WidgetFinder::dumpHierarchy}},
    {"getFileNames", Native{&getFileNames}},
    {"waitForPopupTermination", Action{[] { QCoreApplication::processEvents(); }}},
    // Does nothing: the run has already put the included file's text in front of the program.
    {"include", Action{[] {}}},
    {"printout", Native{&printout}},
    {"generateIDsForWidget", Native{&generateIDsForWidget}},
    {"delay", Native{&delay}},
};

} // namespace

MouseArguments parseMouseArguments(QScriptContext *context)
{
    MouseArguments arguments;
    const int count = context->argumentCount();
    if (count >= 2)
        arguments.button = truncatedNumber(context->argument(1).toNumber(), arguments.button);
    if (count >= 4) {
        arguments.x = truncatedNumber(context->argument(2).toNumber(), arguments.x);
        arguments.y = truncatedNumber(context->argument(3).toNumber(), arguments.y);
    }
    return arguments;
}

void publishGlobalFunctions(QScriptEngine *engine)
{
    QScriptValue global = engine->globalObject();
    for (const GlobalFunction &function : s_globalFunctions) {
        // The engine keeps the row's address, which lives as long as the program.
        global.setProperty(QLatin1String(function.name),
                           engine->newFunction(callGlobalFunction, const_cast<GlobalFunction *>(&function)),
                           QScriptValue::KeepExistingFlags);
    }
}

} // namespace QMMistlark
