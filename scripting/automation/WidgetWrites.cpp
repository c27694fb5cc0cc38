#include "scripting/automation/WidgetWrites.h"

#include "MGraphX/OutsideResources.h"
#include "scripting/automation/WindowExtentGuard.h"
#include "scripting/engine/ScriptBounds.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRect>
#include <QScriptValue>
#include <QSize>
#include <QVariant>
#include <QWidget>

namespace QMMistlark {

namespace {

// Deeper than the widget trees of the program's windows.
constexpr int s_layoutDepth = 32;

// Shown: plain text that is shown, cut as printed text is.
enum class Check { StyleSheet, RichText, Markdown, Shown };

struct CheckedName
{
    const char *name;
    Check check;
    const char *property; // the property a slot sets, or null
    bool cut;             // the text is shown: beyond ShownTextBound, it is cut
};

// The properties whose text is shown as rich text or applied as a style sheet, or shown as a title.
const CheckedName s_checkedProperties[] = {
    {"styleSheet", Check::StyleSheet, nullptr, false}, {"text", Check::RichText, nullptr, false},
    {"html", Check::RichText, nullptr, false},         {"toolTip", Check::RichText, nullptr, false},
    {"whatsThis", Check::RichText, nullptr, false},    {"markdown", Check::Markdown, nullptr, false},
    {"windowTitle", Check::Shown, nullptr, true},
};

// The slots that set those texts, or add to them, and the program's own that show a text in the output pane, a
// title or the status bar (signals too: a script may emit them).
const CheckedName s_checkedSlots[] = {
    {"setStyleSheet", Check::StyleSheet, "styleSheet", false},
    {"setText", Check::RichText, "text", false},
    {"setHtml", Check::RichText, "html", false},
    {"setMarkdown", Check::Markdown, "markdown", false},
    {"insertHtml", Check::RichText, nullptr, false},
    {"append", Check::RichText, nullptr, false},
    {"displayError", Check::RichText, nullptr, true},
    {"displayWarning", Check::RichText, nullptr, true},
    {"setWindowTitle", Check::Shown, "windowTitle", true},
    {"changeWindowTitle", Check::Shown, nullptr, true},
    {"slotChangeWindowTitle", Check::Shown, nullptr, true},
    {"showMessage", Check::Shown, nullptr, true},
};

// Properties of a widget's state that give it no other size (a style sheet that sizes a state otherwise is held by
// the window's own guard when it resizes).
const char *const s_sizelessProperties[] = {
    "enabled",       "toolTip",        "statusTip",          "whatsThis",     "objectName",
    "cursor",        "focusPolicy",    "contextMenuPolicy",  "updatesEnabled", "windowOpacity",
    "windowModified", "mouseTracking", "tabletTracking",     "acceptDrops",    "autoFillBackground",
    "toolTipDuration", "checked",      "value",
};

template <size_t Count>
const CheckedName *find(const CheckedName (&names)[Count], const QString &name)
{
    for (const CheckedName &checked : names) {
        if (name == QLatin1String(checked.name))
            return &checked;
    }
    return nullptr;
}

QString sizeRefusal(const QString &property, double width, double height)
{
    const int bound = widgetExtentBound();
    if (!(width > bound) && !(height > bound))
        return QString();
    return QStringLiteral("%1 of %2 x %3 pixels is too large: a widget may be at most %4 pixels wide or high")
        .arg(property)
        .arg(width, 0, 'g', 12)
        .arg(height, 0, 'g', 12)
        .arg(bound);
}

QString textRefusal(Check check, const QString &text)
{
    switch (check) {
    case Check::StyleSheet:
        if (text.size() > StyleSheetTextBound)
            return QStringLiteral("A style sheet of %1 characters is too long: at most %2")
                .arg(text.size())
                .arg(StyleSheetTextBound);
        return MGraphX::styleSheetRefusal(text);
    case Check::RichText:
        return MGraphX::richTextRefusal(text);
    case Check::Markdown:
        return MGraphX::markdownRefusal(text);
    case Check::Shown:
        return QString();
    }
    return QString();
}

} // namespace

QString writeRefusal(const QObject *object, const QString &property, const QScriptValue &value)
{
    // An action's tool tip is shown as a widget's is.
    if (const CheckedName *checked = find(s_checkedProperties, property))
        return textRefusal(checked->check, checked->cut ? shownText(value.toString()) : value.toString());
    if (!object->isWidgetType())
        return QString();
    if (property == QLatin1String("minimumWidth"))
        return sizeRefusal(property, value.toNumber(), 0);
    if (property == QLatin1String("minimumHeight"))
        return sizeRefusal(property, 0, value.toNumber());
    if (property == QLatin1String("minimumSize") || property == QLatin1String("size")) {
        const QSize size = value.toVariant().toSize();
        return sizeRefusal(property, size.width(), size.height());
    }
    if (property == QLatin1String("geometry")) {
        const QRect rect = value.toVariant().toRect();
        return sizeRefusal(property, rect.width(), rect.height());
    }
    return QString();
}

bool isCheckedSlot(const QString &name)
{
    return find(s_checkedSlots, name) != nullptr;
}

QString callRefusal(const QString &slot, const QScriptValue &argument)
{
    const CheckedName *checked = find(s_checkedSlots, slot);
    if (!checked)
        return QString();
    return textRefusal(checked->check, checked->cut ? shownText(argument.toString()) : argument.toString());
}

QScriptValue shownValue(const QString &propertyOrSlot, const QScriptValue &value)
{
    const CheckedName *checked = find(s_checkedProperties, propertyOrSlot);
    if (!checked)
        checked = find(s_checkedSlots, propertyOrSlot);
    if (!checked || !checked->cut || !value.isString())
        return value;
    const QString text = value.toString();
    return text.size() > ShownTextBound ? QScriptValue(shownText(text)) : value;
}

QString propertyOfSlot(const QString &slot)
{
    const CheckedName *checked = find(s_checkedSlots, slot);
    return checked && checked->property ? QLatin1String(checked->property) : QString();
}

bool isCheckedWrite(const QString &property)
{
    static const char *const sizes[] = {"minimumWidth", "minimumHeight", "minimumSize", "size", "geometry"};
    for (const char *name : sizes) {
        if (property == QLatin1String(name))
            return true;
    }
    return find(s_checkedProperties, property) != nullptr;
}

bool canChangeSize(const QString &property)
{
    for (const char *name : s_sizelessProperties) {
        if (property == QLatin1String(name))
            return false;
    }
    return true;
}

QString windowExtentRefusal(const QObject *object)
{
    if (!object->isWidgetType())
        return QString();
    const QWidget *window = static_cast<const QWidget *>(object)->window();
    settleLayouts();
    const QSize needed = window->minimumSizeHint().expandedTo(window->minimumSize()).expandedTo(window->size());
    const int bound = widgetExtentBound();
    if (needed.width() <= bound && needed.height() <= bound)
        return QString();
    return QStringLiteral("The window would be at least %1 x %2 pixels: a widget may be at most %3 pixels wide or "
                          "high; the change was taken back")
        .arg(needed.width())
        .arg(needed.height())
        .arg(bound);
}

void settleLayouts()
{
    // Each layout that is redone asks its parent's to be redone: as many passes as the widget tree is deep, but
    // none after one that found nothing to do (most writes change no size).
    WindowExtentGuard::install();
    for (int pass = 0; pass < s_layoutDepth; ++pass) {
        const quint64 handled = WindowExtentGuard::layoutRequestsHandled();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        if (WindowExtentGuard::layoutRequestsHandled() == handled)
            return;
    }
}

} // namespace QMMistlark
