#pragma once

#include <QString>

class QObject;
class QWidget;

namespace QMMistlark {

// Finds the widgets of the running application for scripts. The arguments take any object because scripts
// hand over whatever a lookup returned, an action as readily as a widget: an object that is not a widget
// counts as null, so lookups and parent walks return null.
class WidgetFinder
{
public:
    static QWidget *findVisiblePopup();
    static QWidget *findVisibleDialog();
    // The widget and each of its ancestors, one debug message each.
    static void dumpHierarchy(QObject *w);
    // 0 for a top-level widget; -1 for null.
    static int numOfParents(QObject *w);

    // The walks up the parent chain start with w itself.
    static QObject *parentByClassNameSkipNS(QObject *w, const QString &name);
    // An exact class name first, then one that ends with name ("Editor" finds "QMMistlark::Editor").
    static QObject *parentByClassName(QObject *w, const QString &name);
    static QObject *parentByObjectName(QObject *w, const QString &name);
    static QObject *parentByInherits(QObject *w, const QString &name);

    // Among all top-level windows. A window that matches itself wins at once; otherwise the first
    // match below the last window that holds one.
    static QObject *getWidgetByObjectName(const QString &name);
    static QObject *getWidgetByWindowTitle(const QString &title);
    static QObject *getWidgetByClassName(const QString &name);
    static QObject *getWidgetByToolTip(const QString &tip);
    static QObject *getVisibleWidgetByToolTip(const QString &tip);
    static QObject *getVisibleWidgetByClassName(const QString &name);

    // Below w; w itself is never a result.
    static QObject *getSubWidgetByObjectName(QObject *w, const QString &name);
    static QObject *getVisibleSubWidgetByClassName(QObject *w, const QString &name);
    static QObject *getSubWidgetByClassName(QObject *w, const QString &name);
    static QObject *getSubWidgetByInheritClassName(QObject *w, const QString &name);
    static QObject *getSubWidgetByToolTip(QObject *w, const QString &tip);
    // Starts with w's parent, and has no ends-with fallback.
    static QObject *getParentWidgetByClassName(QObject *w, const QString &name);
};

} // namespace QMMistlark
