#include "scripting/automation/GlobalFunctions.h"

#include "MGraphX/OutsideResources.h"
#include "MTools/FileWriting.h"
#include "QMWidgets/app/App.h"
#include "scripting/automation/EditorFilter.h"
#include "scripting/automation/ObjectWrapping.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"
#include "scripting/automation/Support.h"
#include "scripting/engine/Timer.h"
#include "scripting/automation/ToolTipStore.h"
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

namespace QMMistlark {

namespace {

using TextLookup = QObject *(Support::*)(const QString &);
using LookupBelow = QObject *(Support::*)(QObject *, const QString &);
using MouseOperation = void (Support::*)(QObject *, int, int, Qt::MouseButton, Qt::MouseButtons);

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

QScriptValue lookUp(QScriptContext *context, QScriptEngine *engine, TextLookup lookup)
{
    QString text;
    if (!textArgument(context, 0, &text))
        return engine->nullValue();
    Support support;
    return objectValue(engine, (support.*lookup)(text));
}

QScriptValue lookUpBelow(QScriptContext *context, QScriptEngine *engine, LookupBelow lookup)
{
    QString text;
    if (!textArgument(context, 1, &text))
        return engine->nullValue();
    Support support;
    return objectValue(engine, (support.*lookup)(scriptObject(context->argument(0)), text));
}

QScriptValue postMouse(QScriptContext *context, QScriptEngine *engine, MouseOperation operation)
{
    const MouseArguments arguments = parseMouseArguments(context);
    // A number that names no button is taken for the default left button.
    const Qt::MouseButton button = arguments.button >= 0 && arguments.button <= int(Qt::MaxMouseButton)
        ? Qt::MouseButton(arguments.button)
        : Qt::LeftButton;
    Support support;
    (support.*operation)(scriptObject(context->argument(0)), arguments.x, arguments.y, button, Qt::MouseButtons(button));
    return engine->nullValue();
}

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

QScriptValue getWidgetByObjectName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUp(context, engine, &Support::getWidgetByObjectName);
}

QScriptValue getWidgetByWindowTitle(QScriptContext *context, QScriptEngine *engine)
{
    return lookUp(context, engine, &Support::getWidgetByWindowTitle);
}

QScriptValue getWidgetByClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUp(context, engine, &Support::getWidgetByClassName);
}

QScriptValue getSubWidgetByClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::getSubWidgetByClassName);
}

QScriptValue getVisibleSubWidgetByClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::getVisibleSubWidgetByClassName);
}

QScriptValue getSubWidgetByToolTip(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::getSubWidgetByToolTip);
}

QScriptValue getWidgetByToolTip(QScriptContext *context, QScriptEngine *engine)
{
    return lookUp(context, engine, &Support::getWidgetByToolTip);
}

QScriptValue getVisibleWidgetByToolTip(QScriptContext *context, QScriptEngine *engine)
{
    return lookUp(context, engine, &Support::getVisibleWidgetByToolTip);
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

QScriptValue getVisibleWidgetByClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUp(context, engine, &Support::getVisibleWidgetByClassName);
}

QScriptValue getSubWidgetByObjectName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::getSubWidgetByObjectName);
}

QScriptValue getParentWidgetByClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::getParentWidgetByClassName);
}

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

QScriptValue dragAndDrop(QScriptContext *context, QScriptEngine *engine)
{
    if (context->argumentCount() != 6)
        return engine->nullValue();
    Support support;
    support.dragAndDrop(scriptObject(context->argument(0)), truncatedNumber(context->argument(1).toNumber(), 0),
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

QScriptValue getSubWidgetByInheritClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::getSubWidgetByInheritClassName);
}

QScriptValue sendEvent(QScriptContext *context, QScriptEngine *engine)
{
    Support support;
    support.sendEvent(scriptObject(context->argument(0)), context->argument(1).toInt32());
    return engine->nullValue();
}

QScriptValue clickMenuItem(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 1, &text))
        return engine->nullValue();
    Support support;
    support.clickMenuItem(scriptObject(context->argument(0)), text);
    return engine->nullValue();
}

QScriptValue mouseClick(QScriptContext *context, QScriptEngine *engine)
{
    return postMouse(context, engine, &Support::mouseClick);
}

QScriptValue mouseDoubleClick(QScriptContext *context, QScriptEngine *engine)
{
    return postMouse(context, engine, &Support::mouseDoubleClick);
}

QScriptValue mousePress(QScriptContext *context, QScriptEngine *engine)
{
    return postMouse(context, engine, &Support::mousePress);
}

QScriptValue mouseRelease(QScriptContext *context, QScriptEngine *engine)
{
    return postMouse(context, engine, &Support::mouseRelease);
}

QScriptValue keyPress(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 1, &text))
        return engine->nullValue();
    Support support;
    support.typeText(scriptObject(context->argument(0)), text, engine);
    return engine->nullValue();
}

QScriptValue shortCutPress(QScriptContext *context, QScriptEngine *engine)
{
    QString text;
    if (!textArgument(context, 0, &text))
        return engine->nullValue();
    const QScriptValue refused = throwRefusal(context, patternRefusal(QStringLiteral("A shortcut text"), text));
    if (refused.isValid())
        return refused;
    Support support;
    support.shortCutPress(text, engine->parent());
    return engine->nullValue();
}

QScriptValue enterPress(QScriptContext *context, QScriptEngine *engine)
{
    Support support;
    support.keyPress(scriptObject(context->argument(0)), int(Qt::Key_Enter));
    return engine->nullValue();
}

QScriptValue spacePress(QScriptContext *context, QScriptEngine *engine)
{
    Support support;
    support.keyPress(scriptObject(context->argument(0)), int(Qt::Key_Space));
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

QScriptValue generateIDs(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    QMMistlark::generateIDs();
    return engine->nullValue();
}

QScriptValue restoreOriginalToolTips(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    QMMistlark::restoreOriginalToolTips();
    return engine->nullValue();
}

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

QScriptValue parentByClassName(QScriptContext *context, QScriptEngine *engine)
{
    return lookUpBelow(context, engine, &Support::parentByClassName);
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

QScriptValue getVisibleDialog(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    Support support;
    return objectValue(engine, support.findVisibleDialog());
}

QScriptValue waitForDialogTermination(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    Support support;
    support.waitForDialogTermination();
    return engine->nullValue();
}

QScriptValue abort(QScriptContext *context, QScriptEngine *engine)
{
    const QScriptValue error = context->throwError(QScriptContext::UnknownError, QLatin1String(s_abortMessage));
    engine->abortEvaluation(error);
    return error;
}

QScriptValue getVisiblePopup(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    Support support;
    return objectValue(engine, support.findVisiblePopup());
}

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

QScriptValue dumpHierarchy(QScriptContext *context, QScriptEngine *engine)
{
    Support support;
    support.dumpHierarchy(scriptObject(context->argument(0)));
    return engine->nullValue();
}

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

QScriptValue waitForPopupTermination(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    QCoreApplication::processEvents();
    return engine->nullValue();
}

QScriptValue include(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(context)
    return engine->nullValue();
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

} // namespace QMMistlark
