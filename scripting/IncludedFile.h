#pragma once

#include <QString>

namespace QMMistlark {

// Runs an included file on its own in a bare engine; returns the problem as text, empty when there is none.
// When the file could be read, content receives its text up to the first zero byte (it is null otherwise),
// so that the expansion needs no second read.
QString checkIncludedFile(const QString &fileName, QString *content = nullptr);

} // namespace QMMistlark
