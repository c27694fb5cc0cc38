#pragma once

#include <QMap>
#include <QString>

namespace QMMistlark {

// The process-wide map from a fully qualified class name to the short text that stands for it in
// widget identifiers. Shared by every Editor of the process; GUI thread only.
const QMap<QString, QString> &classAliases();

// Fills the map with its rows when it is empty; otherwise leaves it as it is.
void initClassAliases();

// The alias of className when the map holds one, else className itself.
QString classAlias(const QString &className);

} // namespace QMMistlark
