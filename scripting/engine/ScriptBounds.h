#pragma once

#include <QString>

class QWidget;

namespace QMMistlark {

// What one call of a script function may make the window do while the script waits for it. A call that
// holds the GUI thread keeps Stop out of reach: work that can go in steps goes in steps that Stop ends
// (typing a text), and work that cannot is bounded here.

// Characters of a text shown in the output pane, a dialog or a log line: some pages, more than a message
// is meant to hold. Laying out a much longer one holds the window for seconds, a dialog's most of all.
constexpr int ShownTextBound = 10 * 1000;
// Characters of a pattern that a function takes apart piece by piece: a date format, the name filters of
// getFileNames, a shortcut text. Real ones are a few dozen; one of megabytes took minutes and gigabytes.
constexpr int PatternTextBound = 1000;
// The pixels of a widget that grab and grabAndSave take, the same bound as the image viewer's.
constexpr qint64 GrabPixelBound = 200 * 1000 * 1000;
// keyPress posts a text up to this many characters at once, for the script's next wait to deliver; a longer
// one it types itself, handling the window's events every TypingEventsInterval milliseconds, as often as a
// busy script does.
constexpr int TypedAtOnceBound = 1000;
constexpr int TypingEventsInterval = 100;

// Characters of a style sheet that a script gives a widget: restyling a window of a few dozen widgets with a
// sheet of 64 KB takes about a tenth of a second, and the time grows faster than the sheet.
constexpr int StyleSheetTextBound = 64 * 1024;

// The largest width or height in pixels that a script may give a widget: four times the largest screen side,
// and never more than an X11 window can have. A window of millions of pixels a side cannot be painted.
int widgetExtentBound();

// The text as it is shown: beyond ShownTextBound it is cut and ends in a note of how much was left out.
QString shownText(const QString &text);

// Empty when the pattern is within PatternTextBound; otherwise the script error that names what and the bound.
QString patternRefusal(const QString &what, const QString &pattern);

// Empty when the widget may be grabbed; otherwise the script error that names the bound.
QString grabRefusal(const QWidget *widget);

} // namespace QMMistlark
