#include "scripting/engine/ScriptBounds.h"

#include <QGuiApplication>
#include <QScreen>
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

namespace {

// X11 coordinates are 16-bit signed numbers.
constexpr int s_windowSystemExtent = 32767;
constexpr int s_screensPerExtent = 4;

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

} // namespace QMMistlark
