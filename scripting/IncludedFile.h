#pragma once

#include <QString>

namespace QMMistlark {

// Runs an included file on its own in a bare engine; returns the problem as text, empty when there is none.
QString checkIncludedFile(const QString &fileName);

} // namespace QMMistlark
