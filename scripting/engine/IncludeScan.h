#pragma once

#include <QStringList>

class QString;

namespace QMMistlark {

// The names of the files that a script's include("...") calls ask for, in order, as the script's text
// gives them. A line comment or an open block comment before the first call switches off every include
// of the script. The scan reads text only: it opens no file and runs nothing.
QStringList includeNames(const QString &text);

} // namespace QMMistlark
