#pragma once

#include <QMap>
#include <QString>

class QWidget;

namespace QMMistlark {

// The application's own tool tips, recorded before widget identifiers replace them. Process-wide,
// GUI thread only.

// The recorded tool tips (an empty text for a widget that had none). An entry goes when its widget is
// destroyed.
const QMap<QWidget *, QString> &originalToolTips();

// Records the tool tip of every top-level widget and of each of its descendants, when nothing is
// recorded yet; otherwise does nothing. So the record is taken when the first Editor is built.
void storeOriginalToolTips();

// Puts the recorded tool tips back on the widgets of the driven windows.
void restoreOriginalToolTips();

} // namespace QMMistlark
