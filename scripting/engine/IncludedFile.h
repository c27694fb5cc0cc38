#pragma once

#include <QString>

namespace QMMistlark {

class ScriptEngine;

// Runs an included file on its own in a bare engine; returns the problem as text, empty when there is none.
// When the file could be read, content receives its text up to the first zero byte (it is null otherwise),
// so that the expansion needs no second read.
// The check runs on behalf of the script of runEngine, when given: it lets events be handled at that
// engine's interval, and the script's Stop (ScriptEngine::cancelWaits) ends it.
QString checkIncludedFile(const QString &fileName, ScriptEngine *runEngine = nullptr, QString *content = nullptr);

} // namespace QMMistlark
