#include "scripting/automation/PointConversion.h"

#include <QPoint>
#include <QScriptEngine>

namespace QMMistlark {

QScriptValue pointToScriptValue(QScriptEngine *engine, const QPoint &point)
{
    if (!engine)
        return QScriptValue();
    QScriptValue object = engine->newObject();
    object.setProperty("x", point.x(), QScriptValue::KeepExistingFlags);
    object.setProperty("y", point.y(), QScriptValue::KeepExistingFlags);
    return object;
}

void pointFromScriptValue(const QScriptValue &value, QPoint &point)
{
    point.setX(value.property("x").toInt32());
    point.setY(value.property("y").toInt32());
}

} // namespace QMMistlark
