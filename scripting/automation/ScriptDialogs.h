#pragma once

#include <QString>

class QScriptEngine;

namespace QMMistlark {

// The dialogs that scripts show. They show their texts cut at the shown-text bound, and hold their script
// but not its window, whose Stop rejects them as Cancel would. The caller has judged the text with refusal().
class ScriptDialogs
{
public:
    // Why the text may not be shown, or an empty text when it may.
    static QString refusal(const QString &text);

    static void information(QScriptEngine *scriptEngine, const QString &text);
    // A message box that closes itself after the time.
    static void message(QScriptEngine *scriptEngine, int milliseconds, const QString &text);
    // The entered text, or a null string when cancelled.
    static QString enteredText(QScriptEngine *scriptEngine, const QString &label, const QString &text);
    // The entered number, or value when cancelled.
    static int enteredNumber(QScriptEngine *scriptEngine, const QString &label, int value);
};

} // namespace QMMistlark
