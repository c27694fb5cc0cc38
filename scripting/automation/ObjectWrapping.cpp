#include "scripting/automation/ObjectWrapping.h"

#include "scripting/engine/ScriptEngine.h"
#include "scripting/automation/WidgetWrites.h"
#include "scripting/automation/WindowExtentGuard.h"
#include "scripting/automation/WriteScope.h"

#include <QHash>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QMetaType>
#include <QRegularExpression>
#include <QScriptClass>
#include <QScriptClassPropertyIterator>
#include <QScriptContext>
#include <QScriptEngine>
#include <QScriptString>
#include <QScriptValueIterator>
#include <QSet>
#include <QWidget>

namespace QMMistlark {

namespace {

// The objects scripts made, in whichever engine: any script may delete them.
QSet<const QObject *> &scriptMadeObjects()
{
    static QSet<const QObject *> objects;
    return objects;
}

bool isScriptMade(const QObject *object)
{
    return scriptMadeObjects().contains(object);
}

// The wrapper that does the work; the stand-in passes reads to it. Children are reached by name through the
// stand-in, and deleteLater() is the stand-in's, so the wrapper exposes neither: its own deleteLater() would act on
// any object it is called with.
QScriptValue plainWrapper(QScriptEngine *engine, QObject *object, QScriptEngine::ValueOwnership ownership)
{
    QScriptValue wrapper = engine->newQObject(object, ownership,
                                              QScriptEngine::ExcludeChildObjects | QScriptEngine::ExcludeDeleteLater);
    // The stand-in answers what the shared QObject prototype would; a setter a script put on Object.prototype
    // would be called with the wrapper as "this".
    wrapper.setPrototype(QScriptValue(QScriptValue::NullValue));
    return wrapper;
}

QScriptValue objectArray(QScriptEngine *engine, const QObjectList &objects)
{
    QScriptValue array = engine->newArray(uint(objects.size()));
    for (int i = 0; i < objects.size(); ++i)
        array.setProperty(quint32(i), wrapObject(engine, objects.at(i)));
    return array;
}

QString refusalText(const QObject *object)
{
    if (!object->isWidgetType())
        return QStringLiteral("A script may not delete an object of the program: it stays.");
    const auto *widget = static_cast<const QWidget *>(object);
    const QWidget *window = widget->window();
    bool inScriptWindow = window->inherits("QMMistlark::Editor");
    const QList<QWidget *> descendants = window->findChildren<QWidget *>();
    for (const QWidget *descendant : descendants)
        inScriptWindow = inScriptWindow || descendant->inherits("QMMistlark::Editor");
    if (!inScriptWindow)
        return QStringLiteral("A script may not delete a part of the program: it stays.");
    if (widget->isWindow() && !widget->inherits("QMMistlark::Editor"))
        return QStringLiteral("A script may not delete a script window: it stays; close() closes it.");
    return QStringLiteral("A script may not delete a part of the script window: it stays.");
}

// deleteLater() of an object of the program.
QScriptValue refuseDeletion(QScriptContext *context, QScriptEngine *engine)
{
    const QObject *object = context->callee().data().toQObject();
    if (auto *scriptEngine = qobject_cast<ScriptEngine *>(engine); scriptEngine && object)
        scriptEngine->reportRefusal(refusalText(object));
    return engine->undefinedValue();
}

// destroyed() emitted by a script.
QScriptValue refuseDestroyed(QScriptContext *context, QScriptEngine *engine)
{
    if (auto *scriptEngine = qobject_cast<ScriptEngine *>(engine))
        scriptEngine->reportRefusal(
            QStringLiteral("A script may not emit destroyed() of an object that is still there: it was not emitted."));
    Q_UNUSED(context)
    return engine->undefinedValue();
}

// connect() and disconnect() of the destroyed() signal that scripts hold, passed on to the signal's own.
QScriptValue forwardToSignal(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(engine)
    const QScriptValue data = context->callee().data();
    QScriptValue signal = data.property(0);
    return signal.property(data.property(1).toString()).call(signal, context->argumentsObject());
}

QObject *thisObject(QScriptContext *context)
{
    return scriptObject(context->thisObject());
}

QScriptValue findChildNative(QScriptContext *context, QScriptEngine *engine)
{
    QObject *object = thisObject(context);
    if (!object)
        return context->throwError(QScriptContext::TypeError, QStringLiteral("this object is not a QObject"));
    const QString name = context->argumentCount() > 0 ? context->argument(0).toString() : QString();
    return wrapObject(engine, object->findChild<QObject *>(name));
}

QScriptValue findChildrenNative(QScriptContext *context, QScriptEngine *engine)
{
    QObject *object = thisObject(context);
    if (!object)
        return context->throwError(QScriptContext::TypeError, QStringLiteral("this object is not a QObject"));
    QList<QObject *> found;
    const QScriptValue argument = context->argument(0);
    if (argument.isRegExp()) {
        const QRegExp pattern = argument.toRegExp();
        QRegularExpression expression(pattern.pattern());
        if (pattern.caseSensitivity() == Qt::CaseInsensitive)
            expression.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
        found = object->findChildren<QObject *>(expression);
    } else {
        found = object->findChildren<QObject *>(context->argumentCount() > 0 ? argument.toString() : QString());
    }
    return objectArray(engine, found);
}

QScriptValue toStringNative(QScriptContext *context, QScriptEngine *engine)
{
    Q_UNUSED(engine)
    const QObject *object = thisObject(context);
    if (!object)
        return QStringLiteral("QObject(this = 0x0)");
    return QStringLiteral("%1(name = \"%2\")")
        .arg(QString::fromLatin1(object->metaObject()->className()), object->objectName());
}

// deleteLater() of an object the script made: it deletes that object, whatever "this" it is called with.
QScriptValue deleteOwnObject(QScriptContext *context, QScriptEngine *engine)
{
    if (QObject *object = context->callee().data().toQObject())
        object->deleteLater();
    return engine->undefinedValue();
}

// A slot whose argument is checked before the object's own slot gets it. It acts on the object it was read
// from, whatever "this" it is called with, as the object's own slots do.
QScriptValue guardedCall(QScriptContext *context, QScriptEngine *engine)
{
    // Made when the slot was read: the object's wrapper, the slot's name, its function, the index of the property
    // it sets (-1 for one that adds to a text) and the index of its form that takes one text (-1 for none).
    const QScriptValue data = context->callee().data();
    QScriptValue wrapper = data.property(0);
    const QString slot = data.property(1).toString();
    QObject *object = wrapper.toQObject();
    if (!object)
        return context->throwError(QScriptContext::TypeError,
                                   QStringLiteral("%1: the object has been deleted").arg(slot));
    const QString refusal = callRefusal(slot, context->argument(0));
    if (!refusal.isEmpty())
        return context->throwError(QScriptContext::RangeError, refusal);
    // A slot that sets a property is taken back through it; one that only adds text grows no window.
    const int propertyIndex = data.property(3).toInt32();
    const QMetaProperty property =
        propertyIndex >= 0 ? object->metaObject()->property(propertyIndex) : QMetaProperty();
    const QVariant before = property.isValid() ? property.read(object) : QVariant();
    const WriteScope scope(object);
    const QScriptValue shown = shownValue(slot, context->argument(0));
    // A slot that takes one text is called as the wrapper would call it, without the engine's call in between.
    const int textSlot = context->argumentCount() == 1 ? data.property(4).toInt32() : -1;
    QScriptValue result = engine->undefinedValue();
    if (textSlot >= 0) {
        object->metaObject()->method(textSlot).invoke(object, Qt::DirectConnection, Q_ARG(QString, shown.toString()));
    } else {
        QScriptValue arguments = context->argumentsObject();
        if (!shown.strictlyEquals(context->argument(0))) {
            arguments = engine->newArray(uint(context->argumentCount()));
            for (int i = 0; i < context->argumentCount(); ++i)
                arguments.setProperty(quint32(i), i == 0 ? shown : context->argument(i));
        }
        result = data.property(2).call(wrapper, arguments);
    }
    const QString tooLarge = !property.isValid() || !scope.mayHaveGrown() ? QString() : windowExtentRefusal(object);
    if (!tooLarge.isEmpty()) {
        property.write(object, before);
        scope.restore();
        return context->throwError(QScriptContext::RangeError, tooLarge);
    }
    return result;
}

// The index of the object's slot of that name that takes one text and returns nothing, or -1.
int textSlotIndex(const QObject *object, const QString &slot)
{
    if (!object)
        return -1;
    const QMetaObject *meta = object->metaObject();
    const QByteArray signature = (slot + QStringLiteral("(QString)")).toLatin1();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(signature.constData()));
    if (index < 0 || meta->method(index).returnType() != QMetaType::Void
        || meta->method(index).access() == QMetaMethod::Private)
        return -1;
    return index;
}

// The name of a method without its signature: "setText" of "setText(QString)" or of "setText( QString )", as the
// wrapper would find it.
QString methodNameOf(const QString &name)
{
    if (!name.contains(QLatin1Char('(')))
        return name;
    const QByteArray normalized = QMetaObject::normalizedSignature(name.toLatin1().constData());
    const int bracket = normalized.indexOf('(');
    return QString::fromLatin1(normalized.left(bracket));
}

bool hasMethodNamed(const QMetaObject *meta, const QByteArray &name)
{
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.access() != QMetaMethod::Private && method.name() == name)
            return true;
    }
    return false;
}

// The names of the object's wrapper that a for-in loop over the stand-in lists, read through the stand-in.
class ForwardingIterator : public QScriptClassPropertyIterator
{
public:
    explicit ForwardingIterator(const QScriptValue &object)
        : QScriptClassPropertyIterator(object)
    {
        QScriptValueIterator names(object.data());
        while (names.hasNext()) {
            names.next();
            if (!(names.flags() & QScriptValue::SkipInEnumeration))
                m_names << names.scriptName();
        }
    }

    bool hasNext() const override { return m_index + 1 < m_names.size(); }
    void next() override { ++m_index; }
    bool hasPrevious() const override { return m_index > 0; }
    void previous() override { --m_index; }
    void toFront() override { m_index = -1; }
    void toBack() override { m_index = m_names.size(); }
    QScriptString name() const override { return m_names.at(m_index); }

private:
    QList<QScriptString> m_names;
    int m_index = -1;
};

// The stand-in that scripts hold. Its data is the object's own wrapper, which no script can reach: the stand-in's
// prototype is the script's Object.prototype, and every read that the wrapper answers is passed on from here, so
// no route of a script (the prototype chain, __proto__, a method called on another object, a signature form,
// findChild and findChildren) ends at the wrapper. Writes of the object's properties, deleteLater(), the slots
// whose argument is checked and the QObject functions that need the real object as "this" are taken here.
class GuardedObjectClass : public QScriptClass
{
public:
    enum Member : uint {
        Forwarded = 1,
        FindChild,
        FindChildren,
        ToString,
        DeleteLater,
        GuardedSlot,
        DestroyedSignal,
        Deleted
    };

    explicit GuardedObjectClass(QScriptEngine *engine)
        : QScriptClass(engine)
        , m_findChildFunction(engine->newFunction(findChildNative, 1))
        , m_findChildrenFunction(engine->newFunction(findChildrenNative, 1))
        , m_toStringFunction(engine->newFunction(toStringNative, 0))
        , m_protoName(engine->toStringHandle(QStringLiteral("__proto__")))
    {
    }

    QueryFlags queryProperty(const QScriptValue &object, const QScriptString &name, QueryFlags flags,
                             uint *id) override
    {
        if (m_keeping)
            return QueryFlags();
        // Every write is taken here: one that the engine made itself would be remembered for the stand-ins that
        // follow, and they would be written without being asked.
        const QueryFlags handled = flags & HandlesWriteAccess;
        if (!(flags & HandlesReadAccess))
            return handled;
        const QScriptValue wrapper = object.data();
        const Member member = memberOf(wrapper, wrapper.toQObject(), name);
        if (member == 0)
            return handled;
        *id = member;
        return handled | HandlesReadAccess;
    }

    QScriptValue property(const QScriptValue &object, const QScriptString &name, uint id) override
    {
        if (id == Forwarded) {
            const QScriptValue found = m_found;
            m_found = QScriptValue();
            return found;
        }
        const QScriptValue wrapper = object.data();
        switch (Member(id)) {
        case Forwarded:
            break;
        case FindChild:
            return m_findChildFunction;
        case FindChildren:
            return m_findChildrenFunction;
        case ToString:
            return m_toStringFunction;
        case DestroyedSignal: {
            // The signal to connect to, which no script may emit: the engine would let go of the object's
            // wrappers while the object lives on, and crash on their next use.
            QScriptValue signal = engine()->newFunction(refuseDestroyed, 0);
            signal.setData(wrapper);
            for (const char *forwarded : {"connect", "disconnect"}) {
                QScriptValue data = engine()->newArray(2);
                data.setProperty(0, m_found);
                data.setProperty(1, QLatin1String(forwarded));
                QScriptValue forward = engine()->newFunction(forwardToSignal, 1);
                forward.setData(data);
                signal.setProperty(QLatin1String(forwarded), forward,
                                   QScriptValue::ReadOnly | QScriptValue::Undeletable | QScriptValue::SkipInEnumeration);
            }
            m_found = QScriptValue();
            return keep(object, name, signal);
        }
        case DeleteLater: {
            const bool own = isScriptMade(wrapper.toQObject());
            QScriptValue deletion = engine()->newFunction(own ? deleteOwnObject : refuseDeletion, 0);
            deletion.setData(wrapper);
            return keep(object, name, deletion);
        }
        case GuardedSlot: {
            const QString slot = methodNameOf(name.toString());
            const QString property = propertyOfSlot(slot);
            const QObject *target = wrapper.toQObject();
            QScriptValue data = engine()->newArray(5);
            data.setProperty(0, wrapper);
            data.setProperty(1, slot);
            data.setProperty(2, wrapper.property(slot));
            data.setProperty(3, property.isEmpty() || !target
                                    ? -1
                                    : target->metaObject()->indexOfProperty(property.toLatin1().constData()));
            data.setProperty(4, textSlotIndex(target, slot));
            QScriptValue call = engine()->newFunction(guardedCall, 1);
            call.setData(data);
            return keep(object, name, call);
        }
        case Deleted:
            return engine()->currentContext()->throwError(
                QScriptContext::TypeError,
                QStringLiteral("cannot access member `%1' of deleted QObject").arg(name.toString()));
        }
        return engine()->undefinedValue();
    }

    void setProperty(QScriptValue &object, const QScriptString &name, uint id, const QScriptValue &value) override
    {
        Q_UNUSED(id)
        QScriptValue wrapper = object.data();
        const QObject *target = wrapper.toQObject();
        if (name == m_protoName) {
            if (value.isObject() || value.isNull())
                object.setPrototype(value);
            return;
        }
        if (!target) {
            engine()->currentContext()->throwError(
                QScriptContext::TypeError,
                QStringLiteral("cannot access member `%1' of deleted QObject").arg(name.toString()));
            return;
        }
        // A name of the script's own is kept by the wrapper, which has no prototype whose setter could get it.
        if (!isQtProperty(target, name)) {
            wrapper.setProperty(name, value);
            return;
        }
        const uchar plan = writePlanOf(name);
        QScriptValue written = value;
        if (plan & CheckedWrite) {
            const QString property = name.toString();
            const QString refusal = writeRefusal(target, property, value);
            if (!refusal.isEmpty()) {
                engine()->currentContext()->throwError(QScriptContext::RangeError, refusal);
                return;
            }
            written = shownValue(property, value);
        }
        if (!target->isWidgetType() || !(plan & SizedWrite)) {
            wrapper.setProperty(name, written);
            return;
        }
        const QScriptValue before = wrapper.property(name);
        const WriteScope scope(target);
        wrapper.setProperty(name, written);
        const QString tooLarge = scope.mayHaveGrown() ? windowExtentRefusal(target) : QString();
        if (!tooLarge.isEmpty()) {
            wrapper.setProperty(name, before);
            scope.restore();
            engine()->currentContext()->throwError(QScriptContext::RangeError, tooLarge);
        }
    }

    QScriptValue::PropertyFlags propertyFlags(const QScriptValue &object, const QScriptString &name,
                                              uint id) override
    {
        Q_UNUSED(object)
        Q_UNUSED(name)
        Q_UNUSED(id)
        return QScriptValue::ReadOnly | QScriptValue::Undeletable | QScriptValue::SkipInEnumeration;
    }

    QScriptClassPropertyIterator *newIterator(const QScriptValue &object) override
    {
        return new ForwardingIterator(object);
    }

    QString name() const override
    {
        return QStringLiteral("QObject");
    }

private:
    // What the stand-in answers for a name alone, known once per name.
    enum class NameKind : uchar { Other, FindChild, FindChildren, ToString, DeleteLater, Destroyed, CheckedSlot };

    NameKind kindOf(const QScriptString &name)
    {
        const auto known = m_kinds.constFind(name);
        if (known != m_kinds.constEnd())
            return known.value();
        const QString method = methodNameOf(name.toString());
        NameKind kind = NameKind::Other;
        if (method == QLatin1String("findChild"))
            kind = NameKind::FindChild;
        else if (method == QLatin1String("findChildren"))
            kind = NameKind::FindChildren;
        else if (method == QLatin1String("toString"))
            kind = NameKind::ToString;
        else if (method == QLatin1String("deleteLater"))
            kind = NameKind::DeleteLater;
        else if (method == QLatin1String("destroyed"))
            kind = NameKind::Destroyed;
        else if (isCheckedSlot(method))
            kind = NameKind::CheckedSlot;
        // Names a script makes up in a loop would otherwise pile up here.
        if (m_kinds.size() >= s_keptNames)
            m_kinds.clear();
        m_kinds.insert(name, kind);
        return kind;
    }

    Member memberOf(const QScriptValue &wrapper, QObject *target, const QScriptString &name)
    {
        // A value that is no function is the object's to give, whatever its name: the most common read is
        // answered without looking at the name.
        if (target) {
            m_found = wrapper.property(name, QScriptValue::ResolveLocal);
            if (m_found.isValid() && !m_found.isFunction())
                return Forwarded;
        }
        switch (kindOf(name)) {
        case NameKind::FindChild:
            return FindChild;
        case NameKind::FindChildren:
            return FindChildren;
        case NameKind::ToString:
            return ToString;
        case NameKind::DeleteLater:
            return target ? DeleteLater : Deleted;
        case NameKind::Destroyed:
            return target && m_found.isFunction() ? DestroyedSignal : Deleted;
        case NameKind::CheckedSlot:
            if (target && hasMethodNamed(target->metaObject(), methodNameOf(name.toString()).toLatin1()))
                return GuardedSlot;
            break;
        case NameKind::Other:
            break;
        }
        if (!target)
            return Deleted;
        if (m_found.isValid())
            return Forwarded;
        // A child by its object name, as the wrapper would give it, when no member of the object has that name.
        const QString text = name.toString();
        if (text.isEmpty())
            return Member(0);
        const QObjectList children = target->children();
        for (QObject *child : children) {
            if (child->objectName() == text) {
                m_found = wrapObject(engine(), child);
                return Forwarded;
            }
        }
        return Member(0);
    }

    enum WritePlan : uchar { CheckedWrite = 1, SizedWrite = 2 };

    // How a write of the name is looked at, known once per name.
    uchar writePlanOf(const QScriptString &name)
    {
        const auto known = m_writePlans.constFind(name);
        if (known != m_writePlans.constEnd())
            return known.value();
        const QString property = name.toString();
        const uchar plan = (isCheckedWrite(property) ? CheckedWrite : 0) | (canChangeSize(property) ? SizedWrite : 0);
        if (m_writePlans.size() >= s_keptNames)
            m_writePlans.clear();
        m_writePlans.insert(name, plan);
        return plan;
    }

    // Whether the object has a property of that name, as the wrapper would write it; its class's properties are
    // looked up once per name.
    bool isQtProperty(const QObject *object, const QScriptString &name)
    {
        const QPair<const QMetaObject *, QScriptString> key(object->metaObject(), name);
        auto known = m_classProperties.constFind(key);
        if (known == m_classProperties.constEnd()) {
            if (m_classProperties.size() >= s_keptNames)
                m_classProperties.clear();
            known = m_classProperties.insert(key, key.first->indexOfProperty(name.toString().toLatin1().constData()) >= 0);
        }
        return known.value() || object->dynamicPropertyNames().contains(name.toString().toLatin1());
    }

    // A function made for a name of this stand-in, kept as its own so that the next read finds it at once.
    QScriptValue keep(const QScriptValue &object, const QScriptString &name, const QScriptValue &function)
    {
        QScriptValue standIn = object;
        m_keeping = true;
        standIn.setProperty(name, function,
                            QScriptValue::ReadOnly | QScriptValue::Undeletable | QScriptValue::SkipInEnumeration);
        m_keeping = false;
        return function;
    }

    static constexpr int s_keptNames = 4096;

    QScriptValue m_findChildFunction;
    QScriptValue m_findChildrenFunction;
    QScriptValue m_toStringFunction;
    QScriptString m_protoName;
    QHash<QScriptString, NameKind> m_kinds;
    QHash<QScriptString, uchar> m_writePlans;
    QHash<QPair<const QMetaObject *, QScriptString>, bool> m_classProperties;
    bool m_keeping = false;
    // The value that queryProperty found for the read that property() then answers.
    QScriptValue m_found;
};

// One engine's stand-ins. Those of the program's objects are kept, so that a script that finds an object
// twice holds the same value; they go when their object does.
class Wrapping : public ScriptEngine::Extension
{
public:
    explicit Wrapping(ScriptEngine *engine)
        : m_class(engine)
    {
    }

    ~Wrapping() override
    {
        // The stand-ins are values of the engine: they go before it does.
        m_standIns.clear();
    }

    QScriptValue standIn(QObject *object)
    {
        const auto known = m_standIns.constFind(object);
        if (known != m_standIns.constEnd())
            return known.value();
        QScriptValue value = make(object, QScriptEngine::QtOwnership);
        m_standIns.insert(object, value);
        QObject::connect(object, &QObject::destroyed, &m_context, [this](QObject *gone) { m_standIns.remove(gone); });
        return value;
    }

    // Not kept: a stand-in held here would keep an engine-owned object from ever being collected.
    QScriptValue make(QObject *object, QScriptEngine::ValueOwnership ownership)
    {
        QScriptEngine *engine = m_class.engine();
        const QScriptValue wrapper = plainWrapper(engine, object, ownership);
        // Its prototype is the script's Object.prototype, as for any object the script makes.
        return engine->newObject(&m_class, wrapper);
    }

    bool isStandIn(const QScriptValue &value) const
    {
        return value.scriptClass() == &m_class;
    }

    // The first custom type that registerObjectTypes has not looked at, or 0 before its first call.
    int typesSeen = 0;

private:
    GuardedObjectClass m_class;
    QHash<QObject *, QScriptValue> m_standIns;
    // Ends the watch for gone objects with the cache.
    QObject m_context;
};

Wrapping *wrappingOf(QScriptEngine *engine)
{
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    if (!scriptEngine)
        return nullptr;
    if (!scriptEngine->extension()) {
        scriptEngine->setExtension(std::make_unique<Wrapping>(scriptEngine));
        WindowExtentGuard::install();
    }
    return static_cast<Wrapping *>(scriptEngine->extension());
}

QScriptValue objectToScript(QScriptEngine *engine, const void *pointer)
{
    return wrapObject(engine, *static_cast<QObject *const *>(pointer));
}

void objectFromScript(const QScriptValue &value, void *pointer)
{
    *static_cast<QObject **>(pointer) = scriptObject(value);
}

void widgetFromScript(const QScriptValue &value, void *pointer)
{
    *static_cast<QWidget **>(pointer) = qobject_cast<QWidget *>(scriptObject(value));
}

// Lists of objects, which the engine would otherwise hand over as plain wrappers.
QScriptValue objectListToScript(QScriptEngine *engine, const void *list)
{
    return objectArray(engine, *static_cast<const QObjectList *>(list));
}

void objectListFromScript(const QScriptValue &value, void *list)
{
    auto *objects = static_cast<QObjectList *>(list);
    objects->clear();
    const quint32 length = value.property(QStringLiteral("length")).toUInt32();
    for (quint32 i = 0; i < length; ++i)
        objects->append(scriptObject(value.property(i)));
}

QScriptValue widgetListToScript(QScriptEngine *engine, const void *list)
{
    const auto *widgets = static_cast<const QWidgetList *>(list);
    return objectArray(engine, QObjectList(widgets->cbegin(), widgets->cend()));
}

void widgetListFromScript(const QScriptValue &value, void *list)
{
    auto *widgets = static_cast<QWidgetList *>(list);
    widgets->clear();
    const quint32 length = value.property(QStringLiteral("length")).toUInt32();
    for (quint32 i = 0; i < length; ++i)
        widgets->append(qobject_cast<QWidget *>(scriptObject(value.property(i))));
}

} // namespace

void registerObjectTypes(QScriptEngine *engine)
{
    Wrapping *wrapping = wrappingOf(engine);
    if (!wrapping)
        return;
    const int widgetType = qMetaTypeId<QWidget *>();
    if (wrapping->typesSeen == 0) {
        qScriptRegisterMetaType_helper(engine, QMetaType::QObjectStar, objectToScript, objectFromScript,
                                       QScriptValue());
        qScriptRegisterMetaType_helper(engine, widgetType, objectToScript, widgetFromScript, QScriptValue());
        qScriptRegisterMetaType_helper(engine, qMetaTypeId<QObjectList>(), objectListToScript, objectListFromScript,
                                       QScriptValue());
        qScriptRegisterMetaType_helper(engine, qMetaTypeId<QWidgetList>(), widgetListToScript, widgetListFromScript,
                                       QScriptValue());
        wrapping->typesSeen = QMetaType::User;
    }
    // Custom types are numbered on from User without gaps: those registered since the last call are new. Any other
    // pointer type converts from a stand-in as the engine would from a plain wrapper, since a conversion cannot
    // tell which type it makes.
    int type = wrapping->typesSeen;
    for (; QMetaType::isRegistered(type); ++type) {
        if (type != widgetType && (QMetaType::typeFlags(type) & QMetaType::PointerToQObject))
            qScriptRegisterMetaType_helper(engine, type, objectToScript, nullptr, QScriptValue());
    }
    wrapping->typesSeen = type;
}

QScriptValue wrapObject(QScriptEngine *engine, QObject *object)
{
    if (!object)
        return engine->nullValue();
    Wrapping *wrapping = wrappingOf(engine);
    if (!wrapping)
        return engine->newQObject(object, QScriptEngine::QtOwnership);
    return wrapping->standIn(object);
}

QScriptValue wrapScriptMade(QScriptEngine *engine, QObject *object, bool engineOwned)
{
    if (!object)
        return engine->nullValue();
    if (!scriptMadeObjects().contains(object)) {
        scriptMadeObjects().insert(object);
        QObject::connect(object, &QObject::destroyed, [](QObject *gone) { scriptMadeObjects().remove(gone); });
    }
    const auto ownership = engineOwned ? QScriptEngine::AutoOwnership : QScriptEngine::QtOwnership;
    Wrapping *wrapping = wrappingOf(engine);
    if (!wrapping)
        return engine->newQObject(object, ownership);
    return engineOwned ? wrapping->make(object, ownership) : wrapping->standIn(object);
}

QObject *scriptObject(const QScriptValue &value)
{
    if (QObject *object = value.toQObject())
        return object;
    QScriptEngine *engine = value.engine();
    if (!engine || !value.isObject())
        return nullptr;
    Wrapping *wrapping = wrappingOf(engine);
    if (!wrapping || !wrapping->isStandIn(value))
        return nullptr;
    return value.data().toQObject();
}

} // namespace QMMistlark
