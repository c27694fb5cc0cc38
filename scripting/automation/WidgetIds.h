#pragma once

#include <QList>
#include <QMap>
#include <QString>

class QWidget;

namespace QMMistlark {

// Widget identifiers: a text per widget of the driven windows, built from what the widget shows or is
// called, shown as its tool tip so that a script finds the widget again by it (getWidgetByToolTip).
// The windows of the script editor itself (class names containing "QMMistlark::") are never labelled.
// Everything here is process-wide and runs on the GUI thread.

// Computes the identifiers of every widget of the driven windows when none are stored, then shows the
// stored identifiers on the widgets that still exist. Widgets made after the first computation get none.
void generateIDs();

// The stored identifiers. An entry goes when its widget is destroyed.
const QMap<QWidget *, QString> &generatedIds();

// Identifies every widget below root (root excluded) by the tool tips they show now, shows each as
// "Vis/" followed by its identifier and returns those widgets in descendant order, so that the caller
// can install its filters on them. Nothing is stored. A null root labels nothing.
QList<QWidget *> labelSubtree(QWidget *root);

// "/" and a part for each object from the top-level window down to w, e.g. "/O#main/O#left/L#OK".
// The tool tip of rule "T#" is read from tips; a widget missing from tips has none.
QString widgetPathId(QWidget *w, const QMap<QWidget *, QString> &tips);

// Shortens each identifier to its last part, or to the part that tells a group of equal last parts
// apart and the last part, or to "?/" and the last part when nothing tells them apart.
void resolveDuplicateIds(QMap<QWidget *, QString> &ids);

// Replaces the "?/" of unresolved identifiers by an anchor made from the widget's fingerprint.
void applyAnchorRules(QMap<QWidget *, QString> &ids);

// A text that differs between widgets that look alike: names, classes and texts of the parent chain,
// the widget's places in the layouts above it, and counts of its ancestors and child objects.
QString widgetFingerprint(QWidget *w);

// The sum of the code units of s taken as signed Latin-1 bytes; code units above 0xFF count 0.
int latin1Sum(const QString &s);

// n in base 61 (the digit alphabet lacks "d"); a negative n is "-" followed by the digits of -n.
QString toBase61(int n);

// "F#", s with "/" replaced by "_", and "/".
QString anchorPrefix(const QString &s);

// Sets each widget's tool tip to its text, in key order.
void applyToolTips(const QMap<QWidget *, QString> &m);

// Keeps only the entries whose widget is a driven top-level window or lies below one. The map's keys
// are only compared with the widgets found in the live widget tree, never dereferenced.
void keepLiveWidgets(QMap<QWidget *, QString> &m);

// Sets map[w] to text and drops the entry when w is destroyed, so that a widget made later at the same
// address never inherits it. A null w is ignored.
void recordWidgetText(QMap<QWidget *, QString> &map, QWidget *w, const QString &text);

} // namespace QMMistlark
