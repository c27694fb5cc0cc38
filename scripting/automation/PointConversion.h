#pragma once

#include <QScriptValue>

class QPoint;
class QScriptEngine;

namespace QMMistlark {

// Converters in the shape qScriptRegisterMetaType takes for QPoint. Nothing registers them, so a
// QPoint still reaches scripts as a variant unless a caller registers the pair.
QScriptValue pointToScriptValue(QScriptEngine *engine, const QPoint &point);
void pointFromScriptValue(const QScriptValue &value, QPoint &point);

} // namespace QMMistlark
