#include "scripting/automation/WidgetFinder.h"

#include <QApplication>
#include <QDebug>
#include <QDialog>
#include <QMenu>
#include <QWidget>

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

} // namespace

QWidget *WidgetFinder::findVisiblePopup()
{
    return findInWindows([](QWidget *widget) { return widget->isVisible() && qobject_cast<QMenu *>(widget); });
}

QWidget *WidgetFinder::findVisibleDialog()
{
    return findInWindows([](QWidget *widget) { return widget->isVisible() && qobject_cast<QDialog *>(widget); });
}

void WidgetFinder::dumpHierarchy(QObject *w)
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

int WidgetFinder::numOfParents(QObject *w)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return -1;
    int count = 0;
    for (QObject *ancestor = widget->parent(); ancestor; ancestor = ancestor->parent())
        ++count;
    return count;
}

QObject *WidgetFinder::parentByClassNameSkipNS(QObject *w, const QString &name)
{
    return findUp(asWidget(w), [&name](QObject *object) { return className(object).endsWith(name); });
}

QObject *WidgetFinder::parentByClassName(QObject *w, const QString &name)
{
    if (QObject *exact = findUp(asWidget(w), [&name](QObject *object) { return className(object) == name; }))
        return exact;
    return parentByClassNameSkipNS(w, name);
}

QObject *WidgetFinder::parentByObjectName(QObject *w, const QString &name)
{
    return findUp(asWidget(w), [&name](QObject *object) { return object->objectName() == name; });
}

QObject *WidgetFinder::parentByInherits(QObject *w, const QString &name)
{
    const QByteArray latin1Name = name.toLatin1();
    return findUp(asWidget(w), [&latin1Name](QObject *object) { return object->inherits(latin1Name.constData()); });
}

QObject *WidgetFinder::getWidgetByObjectName(const QString &name)
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

QObject *WidgetFinder::getWidgetByWindowTitle(const QString &title)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->windowTitle() == title)
            return window;
    }
    return nullptr;
}

QObject *WidgetFinder::getWidgetByClassName(const QString &name)
{
    return findInWindows([&name](QWidget *widget) { return className(widget) == name; });
}

QObject *WidgetFinder::getWidgetByToolTip(const QString &tip)
{
    return findInWindows([&tip](QWidget *widget) { return widget->toolTip() == tip; });
}

QObject *WidgetFinder::getVisibleWidgetByToolTip(const QString &tip)
{
    return findInWindows([&tip](QWidget *widget) { return widget->isVisible() && widget->toolTip() == tip; });
}

QObject *WidgetFinder::getVisibleWidgetByClassName(const QString &name)
{
    return findInWindows([&name](QWidget *widget) { return widget->isVisible() && className(widget) == name; });
}

QObject *WidgetFinder::getSubWidgetByObjectName(QObject *w, const QString &name)
{
    return findBelow(w, [&name](QWidget *widget) { return widget->objectName() == name; });
}

QObject *WidgetFinder::getVisibleSubWidgetByClassName(QObject *w, const QString &name)
{
    return findBelow(w, [&name](QWidget *widget) { return className(widget) == name && widget->isVisible(); });
}

QObject *WidgetFinder::getSubWidgetByClassName(QObject *w, const QString &name)
{
    return findBelow(w, [&name](QWidget *widget) { return className(widget) == name; });
}

QObject *WidgetFinder::getSubWidgetByInheritClassName(QObject *w, const QString &name)
{
    const QByteArray latin1Name = name.toLatin1();
    return findBelow(w, [&latin1Name](QWidget *widget) { return widget->inherits(latin1Name.constData()); });
}

QObject *WidgetFinder::getSubWidgetByToolTip(QObject *w, const QString &tip)
{
    return findBelow(w, [&tip](QWidget *widget) { return widget->toolTip() == tip; });
}

QObject *WidgetFinder::getParentWidgetByClassName(QObject *w, const QString &name)
{
    QWidget *widget = asWidget(w);
    if (!widget)
        return nullptr;
    return findUp(widget->parent(), [&name](QObject *object) { return className(object) == name; });
}

} // namespace QMMistlark
