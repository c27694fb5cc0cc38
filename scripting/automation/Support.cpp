#include "scripting/automation/Support.h"

#include "scripting/automation/InputSynthesis.h"
#include "scripting/automation/ScriptDialogs.h"
#include "scripting/automation/WidgetFinder.h"
#include "scripting/automation/WidgetGrab.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"

#include <QApplication>
#include <QScriptContext>
#include <QWidget>

#include <algorithm>

namespace QMMistlark {

Support::Support(QObject *parent)
    : QObject(parent)
{
}

QWidget *Support::findVisiblePopup()
{
    return WidgetFinder::findVisiblePopup();
}

QWidget *Support::findVisibleDialog()
{
    return WidgetFinder::findVisibleDialog();
}

void Support::dumpHierarchy(QObject *w)
{
    WidgetFinder::dumpHierarchy(w);
}

int Support::numOfParents(QObject *w)
{
    return WidgetFinder::numOfParents(w);
}

void Support::keyPress(QObject *w, int key)
{
    InputSynthesis::keyPress(w, key);
}

QObject *Support::parentByClassNameSkipNS(QObject *w, const QString &name)
{
    return WidgetFinder::parentByClassNameSkipNS(w, name);
}

QObject *Support::parentByClassName(QObject *w, const QString &name)
{
    return WidgetFinder::parentByClassName(w, name);
}

QObject *Support::parentByObjectName(QObject *w, const QString &name)
{
    return WidgetFinder::parentByObjectName(w, name);
}

QObject *Support::parentByInherits(QObject *w, const QString &name)
{
    return WidgetFinder::parentByInherits(w, name);
}

QObject *Support::getWidgetByObjectName(const QString &name)
{
    return WidgetFinder::getWidgetByObjectName(name);
}

QObject *Support::getWidgetByWindowTitle(const QString &title)
{
    return WidgetFinder::getWidgetByWindowTitle(title);
}

QObject *Support::getWidgetByClassName(const QString &name)
{
    return WidgetFinder::getWidgetByClassName(name);
}

QObject *Support::getWidgetByToolTip(const QString &tip)
{
    return WidgetFinder::getWidgetByToolTip(tip);
}

QObject *Support::getVisibleWidgetByToolTip(const QString &tip)
{
    return WidgetFinder::getVisibleWidgetByToolTip(tip);
}

QObject *Support::getVisibleWidgetByClassName(const QString &name)
{
    return WidgetFinder::getVisibleWidgetByClassName(name);
}

QObject *Support::getSubWidgetByObjectName(QObject *w, const QString &name)
{
    return WidgetFinder::getSubWidgetByObjectName(w, name);
}

QObject *Support::getVisibleSubWidgetByClassName(QObject *w, const QString &name)
{
    return WidgetFinder::getVisibleSubWidgetByClassName(w, name);
}

QObject *Support::getSubWidgetByClassName(QObject *w, const QString &name)
{
    return WidgetFinder::getSubWidgetByClassName(w, name);
}

QObject *Support::getSubWidgetByInheritClassName(QObject *w, const QString &name)
{
    return WidgetFinder::getSubWidgetByInheritClassName(w, name);
}

QObject *Support::getSubWidgetByToolTip(QObject *w, const QString &tip)
{
    return WidgetFinder::getSubWidgetByToolTip(w, tip);
}

QObject *Support::getParentWidgetByClassName(QObject *w, const QString &name)
{
    return WidgetFinder::getParentWidgetByClassName(w, name);
}

void Support::clickMenuItem(QObject *w, const QString &text)
{
    InputSynthesis::clickMenuItem(w, text);
}

void Support::sendEvent(QObject *w, int type)
{
    InputSynthesis::sendEvent(w, type);
}

void Support::dragAndDrop(QObject *source, int x, int y, QObject *target, int tx, int ty)
{
    InputSynthesis::dragAndDrop(source, x, y, target, tx, ty);
}

void Support::mouseMove(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    InputSynthesis::mouseMove(w, x, y, mb, mbs);
}

void Support::mousePress(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    InputSynthesis::mousePress(w, x, y, mb, mbs);
}

void Support::mouseRelease(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    InputSynthesis::mouseRelease(w, x, y, mb, mbs);
}

void Support::mouseClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    InputSynthesis::mouseClick(w, x, y, mb, mbs);
}

void Support::mouseDoubleClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    InputSynthesis::mouseDoubleClick(w, x, y, mb, mbs);
}

void Support::keyPress(QObject *w, const QString &text)
{
    typeText(w, text, engine());
}

void Support::typeText(QObject *w, const QString &text, QScriptEngine *scriptEngine)
{
    InputSynthesis::typeText(w, text, scriptEngine);
}

void Support::shortCutPress(const QString &text, QObject *peditor)
{
    if (!refused(patternRefusal(QStringLiteral("A shortcut text"), text)))
        InputSynthesis::shortCutPress(text, peditor);
}

void Support::informationDialog(const QString &text)
{
    if (!refused(ScriptDialogs::refusal(text)))
        ScriptDialogs::information(callingEngine(), text);
}

void Support::messageDialog(int milliseconds, const QString &text)
{
    if (!refused(ScriptDialogs::refusal(text)))
        ScriptDialogs::message(callingEngine(), milliseconds, text);
}

QString Support::textDialog(const QString &label, const QString &text)
{
    if (refused(ScriptDialogs::refusal(label)))
        return QString();
    return ScriptDialogs::enteredText(callingEngine(), label, text);
}

int Support::intDialog(const QString &label, int value)
{
    if (refused(ScriptDialogs::refusal(label)))
        return value;
    return ScriptDialogs::enteredNumber(callingEngine(), label, value);
}

QPixmap Support::grab(QObject *w)
{
    QPixmap picture;
    grabbed(qobject_cast<QWidget *>(w), &picture);
    return picture;
}

void Support::grabAndSave(QObject *w, const QString &fileName)
{
    QPixmap picture;
    if (!grabbed(qobject_cast<QWidget *>(w), &picture))
        return;
    // Not reported, as before; but a pipe or a full disk in the way costs no earlier file.
    WidgetGrab::save(picture, fileName);
}

bool Support::grabbed(QWidget *widget, QPixmap *picture)
{
    if (!widget || refused(grabRefusal(widget)))
        return false;
    *picture = WidgetGrab::picture(widget);
    return true;
}

void Support::quitApplication()
{
    // As the application menu's Quit: every window with unsaved text asks first, and the last window closed ends
    // the program. quit() alone would end it without asking and lose that text.
    QApplication::closeAllWindows();
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool kept = std::any_of(windows.cbegin(), windows.cend(), [](const QWidget *window) {
        return window->isVisible() && !window->testAttribute(Qt::WA_DontShowOnScreen)
            && window->windowType() != Qt::Desktop;
    });
    // A question answered with No keeps the program, and the script that asked to quit ends as Stop ends it.
    if (kept) {
        if (auto *scriptEngine = qobject_cast<ScriptEngine *>(callingEngine()))
            scriptEngine->requestStop();
    }
}

void Support::delay(int milliseconds)
{
    // The engine of the calling script, or none for a call from C++.
    waitCancellably(engine(), milliseconds);
}

void Support::waitForDialogTermination()
{
    QCoreApplication::processEvents();
}

void Support::setEngine(QScriptEngine *engine)
{
    m_engine = engine;
}

QScriptEngine *Support::callingEngine() const
{
    return engine() ? engine() : m_engine.data();
}

bool Support::refused(const QString &refusal)
{
    if (refusal.isEmpty())
        return false;
    // A script's call of a slot has a context; a global function's call names its engine, whose current context
    // is the global function's. Called from C++ rather than from a script, there is nobody to tell: the call just
    // does nothing.
    if (context())
        context()->throwError(QScriptContext::RangeError, refusal);
    else if (m_engine && m_engine->isEvaluating())
        m_engine->currentContext()->throwError(QScriptContext::RangeError, refusal);
    return true;
}

} // namespace QMMistlark
