#include "scripting/ScriptBounds.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QScriptValue>
#include <QSize>
#include <QVariant>
#include <QWidget>

namespace QMMistlark {

QString shownText(const QString &text)
{
    if (text.size() <= ShownTextBound)
        return text;
    int kept = ShownTextBound;
    // Never half a surrogate pair.
    if (text.at(kept - 1).isHighSurrogate())
        --kept;
    return text.left(kept)
        + QStringLiteral(" [cut: %1 more characters not shown, at most %2 are]")
              .arg(text.size() - kept)
              .arg(ShownTextBound);
}

QString patternRefusal(const QString &what, const QString &pattern)
{
    if (pattern.size() <= PatternTextBound)
        return QString();
    return QStringLiteral("%1 of %2 characters is too long: at most %3")
        .arg(what)
        .arg(pattern.size())
        .arg(PatternTextBound);
}

QString grabRefusal(const QWidget *widget)
{
    const qint64 pixels = qint64(widget->width()) * widget->height();
    if (pixels <= GrabPixelBound)
        return QString();
    return QStringLiteral("A widget of %1 x %2 pixels is too large to grab: at most %3 million pixels")
        .arg(widget->width())
        .arg(widget->height())
        .arg(GrabPixelBound / (1000 * 1000));
}

} // namespace QMMistlark

namespace QMMistlark {

namespace {

// X11 coordinates are 16-bit signed numbers.
constexpr int s_windowSystemExtent = 32767;
// Deeper than the widget trees of the program's windows.
constexpr int s_layoutDepth = 32;
constexpr int s_screensPerExtent = 4;

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

QString styleSheetRefusal(const QString &styleSheet)
{
    if (styleSheet.size() <= StyleSheetTextBound)
        return QString();
    return QStringLiteral("A style sheet of %1 characters is too long: at most %2")
        .arg(styleSheet.size())
        .arg(StyleSheetTextBound);
}

} // namespace

int widgetExtentBound()
{
    int largest = 0;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        largest = qMax(largest, qMax(screen->size().width(), screen->size().height()));
    if (largest == 0)
        return s_windowSystemExtent;
    return qMin(s_windowSystemExtent, s_screensPerExtent * largest);
}

QString writeRefusal(const QObject *object, const QString &property, const QScriptValue &value)
{
    if (!object->isWidgetType())
        return QString();
    if (property == QLatin1String("styleSheet"))
        return styleSheetRefusal(value.toString());
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
    // Each layout that is redone asks its parent's to be redone: as many passes as the widget tree is deep.
    for (int pass = 0; pass < s_layoutDepth; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

bool isCheckedSlot(const QString &name)
{
    return name == QLatin1String("setStyleSheet") || name == QLatin1String("setText");
}

QString callRefusal(const QObject *object, const QString &slot, const QScriptValue &argument)
{
    if (!object->isWidgetType())
        return QString();
    if (slot == QLatin1String("setStyleSheet"))
        return styleSheetRefusal(argument.toString());
    return QString();
}

} // namespace QMMistlark
