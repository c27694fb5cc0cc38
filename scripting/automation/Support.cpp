#include "scripting/automation/Support.h"

#include "MGraphX/ImageWriting.h"
#include "MGraphX/OutsideResources.h"
#include "QMWidgets/dialogs/GuardedMessageBox.h"
#include "scripting/automation/DropSimulator.h"
#include "scripting/automation/KeyNameTable.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/engine/ScriptEngine.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QDialog>
#include <QElapsedTimer>
#include <QGLWidget>
#include <QHideEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QScriptContext>
#include <QShowEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <functional>

namespace QMMistlark {

namespace {

using WidgetTest = std::function<bool(QWidget *)>;

QString className(const QObject *object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

QWidget *asWidget(QObject *object)
{
    return qobject_cast<QWidget *>(object);
}

// A window that passes wins at once; otherwise the first passing descendant of the last window that
// has one, so a later window's match replaces an earlier one.
QWidget *findInWindows(const WidgetTest &passes)
{
    QWidget *candidate = nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (passes(window))
            return window;
        const QList<QWidget *> descendants = window->findChildren<QWidget *>();
        for (QWidget *descendant : descendants) {
            if (passes(descendant)) {
                candidate = descendant;
                break;
            }
        }
    }
    return candidate;
}

QWidget *findBelow(QObject *object, const WidgetTest &passes)
{
    QWidget *widget = asWidget(object);
    if (!widget)
        return nullptr;
    const QList<QWidget *> descendants = widget->findChildren<QWidget *>();
    for (QWidget *descendant : descendants) {
        if (passes(descendant))
            return descendant;
    }
    return nullptr;
}

QObject *findUp(QObject *first, const std::function<bool(QObject *)> &passes)
{
    for (QObject *object = first; object; object = object->parent()) {
        if (passes(object))
            return object;
    }
    return nullptr;
}

void postMouseEvent(QObject *object, QEvent::Type type, int x, int y, Qt::MouseButton mb,
                    Qt::MouseButtons mbs)
{
    QWidget *widget = asWidget(object);
    if (!widget)
        return;
    // A number that names no button is taken for the default one.
    if (int(mb) < 0 || int(mb) > int(Qt::MaxMouseButton))
        mb = Qt::LeftButton;
    QCoreApplication::postEvent(widget, new QMouseEvent(type, QPointF(x, y), mb, mbs, Qt::NoModifier));
}

// Seven pixels on, far enough for a drag to start; a coordinate near the largest int stays at it.
int movedCoordinate(int coordinate)
{
    return int(qMin(qint64(coordinate) + 7, qint64(INT_MAX)));
}

// A label's rich text loads what it names through the bounded reader only, also a file that changed since the
// text was checked.
void boundResourcesOfLabels(QWidget *dialog)
{
    const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
    for (QLabel *label : labels)
        MGraphX::boundLabelResources(label);
}

void postKeyPress(QObject *receiver, int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

} // namespace

Support::Support(QObject *parent)
    : QObject(parent)
{
}

QPixmap Support::grab(QObject *w)
{
    QPixmap picture;
    grabbed(asWidget(w), &picture);
    return picture;
}

void Support::grabAndSave(QObject *w, const QString &fileName)
{
    QPixmap picture;
    if (!grabbed(asWidget(w), &picture))
        return;
    // Not reported, as before; but a pipe or a full disk in the way costs no earlier file.
    MGraphX::writeImageSafely(fileName, picture.toImage(), "PNG");
}

// The one place that judges the grab bound: the callers above pass its refusal on.
bool Support::grabbed(QWidget *widget, QPixmap *picture)
{
    if (!widget || refused(grabRefusal(widget)))
        return false;
    // Rendering a GL widget does not reach its frame buffer: read it from there. Without a valid context
    // (offscreen, or an X server without GLX) there is no frame buffer, and the widget is grabbed as any other.
    auto *glWidget = qobject_cast<QGLWidget *>(widget);
    if (glWidget && glWidget->isValid())
        *picture = QPixmap::fromImage(glWidget->grabFrameBuffer(false));
    else
        *picture = widget->grab();
    return true;
}

QWidget *Support::findVisiblePopup()
{
    return findInWindows([](QWidget *widget) { return widget->isVisible() && qobject_cast<QMenu *>(widget); });
}

QWidget *Support::findVisibleDialog()
{
    return findInWindows([](QWidget *widget) { return widget->isVisible() && qobject_cast<QDialog *>(widget); });
}

void Support::dumpHierarchy(QObject *w)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return;
    qDebug() << static_cast<const QObject *>(widget);
    QString indentation = QStringLiteral("  ");
    for (const QObject *ancestor = widget->parent(); ancestor; ancestor = ancestor->parent()) {
        qDebug().noquote().nospace() << indentation << ancestor;
        indentation += QStringLiteral("  ");
    }
}

int Support::numOfParents(QObject *w)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return -1;
    int count = 0;
    for (QObject *ancestor = widget->parent(); ancestor; ancestor = ancestor->parent())
        ++count;
    return count;
}

void Support::keyPress(QObject *w, int key)
{
    if (QWidget *widget = asWidget(w))
        postKeyPress(widget, key, Qt::NoModifier, QString());
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

QObject *Support::parentByClassNameSkipNS(QObject *w, const QString &name)
{
    return findUp(asWidget(w), [&name](QObject *object) { return className(object).endsWith(name); });
}

QObject *Support::parentByClassName(QObject *w, const QString &name)
{
    if (QObject *exact = findUp(asWidget(w), [&name](QObject *object) { return className(object) == name; }))
        return exact;
    return parentByClassNameSkipNS(w, name);
}

QObject *Support::parentByObjectName(QObject *w, const QString &name)
{
    return findUp(asWidget(w), [&name](QObject *object) { return object->objectName() == name; });
}

QObject *Support::parentByInherits(QObject *w, const QString &name)
{
    const QByteArray latin1Name = name.toLatin1();
    return findUp(asWidget(w), [&latin1Name](QObject *object) { return object->inherits(latin1Name.constData()); });
}

QObject *Support::getWidgetByObjectName(const QString &name)
{
    // findChild takes a null name for any name; an empty one matches unnamed objects only.
    const QString exactName = name.isNull() ? QStringLiteral("") : name;
    // Any object may be the result, an action or a layout as well as a widget.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == exactName)
            return window;
        if (QObject *found = window->findChild<QObject *>(exactName))
            return found;
    }
    return nullptr;
}

QObject *Support::getWidgetByWindowTitle(const QString &title)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->windowTitle() == title)
            return window;
    }
    return nullptr;
}

QObject *Support::getWidgetByClassName(const QString &name)
{
    return findInWindows([&name](QWidget *widget) { return className(widget) == name; });
}

QObject *Support::getWidgetByToolTip(const QString &tip)
{
    return findInWindows([&tip](QWidget *widget) { return widget->toolTip() == tip; });
}

QObject *Support::getVisibleWidgetByToolTip(const QString &tip)
{
    return findInWindows([&tip](QWidget *widget) { return widget->isVisible() && widget->toolTip() == tip; });
}

QObject *Support::getVisibleWidgetByClassName(const QString &name)
{
    return findInWindows([&name](QWidget *widget) { return widget->isVisible() && className(widget) == name; });
}

QObject *Support::getSubWidgetByObjectName(QObject *w, const QString &name)
{
    return findBelow(w, [&name](QWidget *widget) { return widget->objectName() == name; });
}

QObject *Support::getVisibleSubWidgetByClassName(QObject *w, const QString &name)
{
    return findBelow(w, [&name](QWidget *widget) { return className(widget) == name && widget->isVisible(); });
}

QObject *Support::getSubWidgetByClassName(QObject *w, const QString &name)
{
    return findBelow(w, [&name](QWidget *widget) { return className(widget) == name; });
}

QObject *Support::getSubWidgetByInheritClassName(QObject *w, const QString &name)
{
    const QByteArray latin1Name = name.toLatin1();
    return findBelow(w, [&latin1Name](QWidget *widget) { return widget->inherits(latin1Name.constData()); });
}

QObject *Support::getSubWidgetByToolTip(QObject *w, const QString &tip)
{
    return findBelow(w, [&tip](QWidget *widget) { return widget->toolTip() == tip; });
}

QObject *Support::getParentWidgetByClassName(QObject *w, const QString &name)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return nullptr;
    return findUp(widget->parent(), [&name](QObject *object) { return className(object) == name; });
}

void Support::clickMenuItem(QObject *w, const QString &text)
{
    QMenu *menu = qobject_cast<QMenu *>(w);
    if (!menu)
        return;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        // Compared with the mnemonic ampersands: "&Open" is not "Open".
        if (action->text() == text) {
            // The middle, not the corner: with a style that puts the first entry at (0, 0), QMenu takes a
            // press there for one outside the menu and closes.
            const QPoint point = menu->actionGeometry(action).center();
            mouseClick(menu, point.x(), point.y(), Qt::LeftButton, Qt::LeftButton);
            return;
        }
    }
    // Menus may hold widgets (through QWidgetAction) with no entry text of their own.
    const QList<QWidget *> descendants = menu->findChildren<QWidget *>();
    for (QWidget *descendant : descendants) {
        if (descendant->toolTip() == text) {
            mouseClick(descendant, 1, 1, Qt::LeftButton, Qt::LeftButton);
            return;
        }
    }
    for (QWidget *descendant : descendants) {
        QAbstractButton *button = qobject_cast<QAbstractButton *>(descendant);
        if (button && button->text() == text) {
            mouseClick(button, 1, 1, Qt::LeftButton, Qt::LeftButton);
            return;
        }
    }
}

void Support::keyPress(QObject *w, const QString &text)
{
    typeText(w, text, engine());
}

void Support::typeText(QObject *w, const QString &text, QScriptEngine *scriptEngine)
{
    QPointer<QWidget> widget = asWidget(w);
    if (!widget)
        return;
    // Receivers that type read the event's text, so one key code serves every character.
    if (text.size() <= TypedAtOnceBound) {
        for (const QChar character : text)
            postKeyPress(widget, Qt::Key_A, Qt::NoModifier, QString(character));
        return;
    }
    // Posted at once, millions of keys would hold the window out of Stop's reach for minutes. So a long text is
    // typed here, key by key, after what was posted before it; the window handles its other events as often as
    // a busy script does, and Stop ends the typing as it ends a delay.
    bool stopped = false;
    QObject stopGuard;
    if (auto *stoppable = qobject_cast<ScriptEngine *>(scriptEngine))
        connect(stoppable, &ScriptEngine::waitsCancelled, &stopGuard, [&stopped] { stopped = true; });
    QCoreApplication::sendPostedEvents();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (const QChar character : text) {
        if (stopped || !widget)
            return;
        postKeyPress(widget, Qt::Key_A, Qt::NoModifier, QString(character));
        QCoreApplication::sendPostedEvents(widget, 0);
        if (sinceEvents.hasExpired(TypingEventsInterval)) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }
}

void Support::sendEvent(QObject *w, int type)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return;
    switch (type) {
    case QEvent::MouseButtonPress:
        mousePress(widget, 1, 1, Qt::LeftButton, Qt::LeftButton);
        break;
    case QEvent::MouseButtonRelease:
        mouseRelease(widget, 1, 1, Qt::LeftButton, Qt::LeftButton);
        break;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClick(widget, 1, 1, Qt::LeftButton, Qt::LeftButton);
        break;
    case QEvent::Paint: {
        QPaintEvent event(QRect(0, 0, widget->width(), widget->height()));
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    // Only the events: the widget is not shown, hidden or closed by them.
    case QEvent::Show: {
        QShowEvent event;
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    case QEvent::Hide: {
        QHideEvent event;
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    case QEvent::Close: {
        QCloseEvent event;
        QCoreApplication::sendEvent(widget, &event);
        break;
    }
    default:
        break;
    }
}

void Support::shortCutPress(const QString &text, QObject *peditor)
{
    if (refused(patternRefusal(QStringLiteral("A shortcut text"), text)))
        return;
    QObject *mainWidget = targetMainWidget();
    if (!mainWidget)
        return;

    const QStringList parts = text.split(QLatin1Char('+'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    int key = -1;
    for (const QString &part : parts) {
        if (isModifierName(part))
            modifiers |= modifierByName(part);
        else // the split swallows a "+" key: "Ctrl++" gives "Ctrl", "" and ""
            key = keyCodeByName(part.isEmpty() ? QStringLiteral("+") : part);
    }
    if (key <= 0)
        return;

    QWidget *editor = asWidget(peditor);
    if (editor)
        editor->setDisabled(true);
    postKeyPress(mainWidget, key, modifiers, QString());
    if (editor)
        editor->setDisabled(false);
}

void Support::dragAndDrop(QObject *source, int x, int y, QObject *target, int tx, int ty)
{
    // The source's own mouse handling starts the drag; the simulator then finds it and drops it.
    mousePress(source, x, y, Qt::LeftButton, Qt::LeftButton);
    mouseMove(source, movedCoordinate(x), movedCoordinate(y), Qt::LeftButton, Qt::LeftButton);
    DropSimulator *simulator = new DropSimulator;
    simulator->setSource(asWidget(source));
    simulator->setTarget(asWidget(target), QPoint(tx, ty));
    simulator->start(5);
}

void Support::informationDialog(const QString &text)
{
    if (refused(MGraphX::richTextRefusal(shownText(text))))
        return;
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Information, QStringLiteral("Information"), shownText(text),
                                                QMessageBox::Ok);
    boundResourcesOfLabels(box);
    execCancellably(callingEngine(), box);
    delete box;
}

void Support::messageDialog(int milliseconds, const QString &text)
{
    if (refused(MGraphX::richTextRefusal(shownText(text))))
        return;
    // Guarded: something run by the box's own loop may delete it before exec() returns.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Information, QStringLiteral("Message"), shownText(text),
                                                QMessageBox::Ok, nullptr,
                                                Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    boundResourcesOfLabels(box);
    // A negative time would not start the timer and the box would wait for the user: it closes at once.
    QTimer::singleShot(qMax(0, milliseconds), box, &QMessageBox::accept);
    execCancellably(callingEngine(), box);
    delete box;
}

QString Support::textDialog(const QString &label, const QString &text)
{
    if (refused(MGraphX::richTextRefusal(shownText(label))))
        return QString();
    QPointer<QInputDialog> dialog = new QInputDialog;
    dialog->setWindowTitle(tr("Script Text Dialog"));
    dialog->setLabelText(shownText(label));
    boundResourcesOfLabels(dialog);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Normal);
    dialog->setTextValue(text.isNull() ? QStringLiteral("") : text);
    const bool accepted = execCancellably(callingEngine(), dialog) == QDialog::Accepted;
    const QString entered = accepted && dialog ? dialog->textValue() : QString();
    delete dialog;
    return entered;
}

int Support::intDialog(const QString &label, int value)
{
    if (refused(MGraphX::richTextRefusal(shownText(label))))
        return value;
    QPointer<QInputDialog> dialog = new QInputDialog;
    dialog->setWindowTitle(tr("Script Text Dialog"));
    dialog->setLabelText(shownText(label));
    boundResourcesOfLabels(dialog);
    dialog->setInputMode(QInputDialog::IntInput);
    // The lowest int is left out of the range.
    dialog->setIntRange(-2147483647, 2147483647);
    dialog->setIntStep(1);
    dialog->setIntValue(value);
    const bool accepted = execCancellably(callingEngine(), dialog) == QDialog::Accepted;
    const int entered = accepted && dialog ? dialog->intValue() : value;
    delete dialog;
    return entered;
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

void Support::mouseMove(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseMove, x, y, mb, mbs);
}

void Support::mousePress(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseButtonPress, x, y, mb, mbs);
}

void Support::mouseRelease(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseButtonRelease, x, y, mb, mbs);
}

void Support::mouseClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return;
    const int clickX = x >= 0 ? x : widget->width() / 2;
    const int clickY = y >= 0 ? y : widget->height() / 2;
    postMouseEvent(widget, QEvent::MouseButtonPress, clickX, clickY, mb, mbs);
    postMouseEvent(widget, QEvent::MouseButtonRelease, clickX, clickY, mb, mbs);
}

void Support::mouseDoubleClick(QObject *w, int x, int y, Qt::MouseButton mb, Qt::MouseButtons mbs)
{
    postMouseEvent(w, QEvent::MouseButtonDblClick, x, y, mb, mbs);
}

} // namespace QMMistlark
