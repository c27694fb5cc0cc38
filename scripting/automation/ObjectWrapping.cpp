#include "scripting/automation/ObjectWrapping.h"

#include "scripting/engine/ScriptEngine.h"
#include "scripting/automation/WidgetWrites.h"

#include <QHash>
#include <QMetaMethod>
#include <QMetaType>
#include <QPointer>
#include <QRegularExpression>
#include <QScriptClass>
#include <QScriptContext>
#include <QScriptEngine>
#include <QScriptString>
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

// The wrapper that does the work; the stand-in passes everything to it. Children are reached by name through
// the stand-in, and the program's objects have their deleteLater() refused there, so the wrapper exposes
// neither.
QScriptValue plainWrapper(QScriptEngine *engine, QObject *object, QScriptEngine::ValueOwnership ownership)
{
    QScriptEngine::QObjectWrapOptions options = QScriptEngine::ExcludeChildObjects;
    if (!isScriptMade(object))
        options |= QScriptEngine::ExcludeDeleteLater;
    return engine->newQObject(object, ownership, options);
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
    QScriptValue array = engine->newArray(uint(found.size()));
    for (int i = 0; i < found.size(); ++i)
        array.setProperty(quint32(i), wrapObject(engine, found.at(i)));
    return array;
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

// The size of an object's window before a write, to go back to when the write is taken back: a minimum size that
// is taken back leaves the window as large as it made it.
class WindowSize
{
public:
    explicit WindowSize(const QObject *object)
        : m_window(object->isWidgetType() ? static_cast<const QWidget *>(object)->window() : nullptr)
        , m_size(m_window ? m_window->size() : QSize())
    {
    }

    void restore() const
    {
        if (!m_window)
            return;
        settleLayouts();
        m_window->resize(m_size.expandedTo(m_window->minimumSize()));
    }

private:
    QPointer<QWidget> m_window;
    QSize m_size;
};

// A slot whose argument is checked before the object's own slot gets it.
QScriptValue guardedCall(QScriptContext *context, QScriptEngine *engine)
{
    const QScriptValue callee = context->callee();
    const QString slot = callee.property(QStringLiteral("slotName")).toString();
    // Called on another object (f.call(other, ...)), the slot is that object's, as with the wrapper's own slots.
    QScriptValue wrapper = context->thisObject();
    if (!wrapper.toQObject() && scriptObject(wrapper))
        wrapper = wrapper.data();
    if (!wrapper.toQObject())
        wrapper = callee.data();
    const QObject *object = wrapper.toQObject();
    if (!object)
        return context->throwError(QScriptContext::TypeError,
                                   QStringLiteral("%1: the object has been deleted").arg(slot));
    const QString refusal = callRefusal(object, slot, context->argument(0));
    if (!refusal.isEmpty())
        return context->throwError(QScriptContext::RangeError, refusal);
    // A slot that sets a property is taken back through it; one that only adds text grows no window.
    const QString property = propertyOfSlot(slot);
    const QScriptValue before = property.isEmpty() ? QScriptValue() : wrapper.property(property);
    const WindowSize windowBefore(object);
    const QScriptValue result = wrapper.property(slot).call(wrapper, context->argumentsObject());
    const QString tooLarge = property.isEmpty() ? QString() : windowExtentRefusal(object);
    if (!tooLarge.isEmpty()) {
        QScriptValue undo = wrapper;
        undo.setProperty(property, before);
        windowBefore.restore();
        return context->throwError(QScriptContext::RangeError, tooLarge);
    }
    return result;
}

// The name of a slot call ("setText" or "setText(QString)") without its signature.
QString slotNameOf(const QString &name)
{
    const int bracket = name.indexOf(QLatin1Char('('));
    return bracket < 0 ? name : name.left(bracket);
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

// The stand-in that scripts hold: its data is the object's own wrapper, which is also its prototype, so reads,
// calls and signals go on there. Writes, deleteLater(), the slots whose argument is checked, the QObject
// functions that need the real object as "this", and children by name are taken here.
class GuardedObjectClass : public QScriptClass
{
public:
    enum Member : uint { FindChild = 1, FindChildren, ToString, DeleteLater, GuardedSlot, Child };

    explicit GuardedObjectClass(QScriptEngine *engine)
        : QScriptClass(engine)
        , m_findChild(engine->toStringHandle(QStringLiteral("findChild")))
        , m_findChildren(engine->toStringHandle(QStringLiteral("findChildren")))
        , m_toString(engine->toStringHandle(QStringLiteral("toString")))
        , m_deleteLater(engine->toStringHandle(QStringLiteral("deleteLater")))
        , m_findChildFunction(engine->newFunction(findChildNative, 1))
        , m_findChildrenFunction(engine->newFunction(findChildrenNative, 1))
        , m_toStringFunction(engine->newFunction(toStringNative, 0))
    {
    }

    QueryFlags queryProperty(const QScriptValue &object, const QScriptString &name, QueryFlags flags,
                             uint *id) override
    {
        // Every write is looked at: one the object's wrapper took itself could not be refused.
        QueryFlags handled = flags & HandlesWriteAccess;
        if (!(flags & HandlesReadAccess))
            return handled;
        const QScriptValue wrapper = object.data();
        QObject *target = wrapper.toQObject();
        const Member member = memberOf(wrapper, target, name);
        if (member == 0)
            return handled;
        *id = member;
        return handled | HandlesReadAccess;
    }

    QScriptValue property(const QScriptValue &object, const QScriptString &name, uint id) override
    {
        const QScriptValue wrapper = object.data();
        switch (Member(id)) {
        case FindChild:
            return m_findChildFunction;
        case FindChildren:
            return m_findChildrenFunction;
        case ToString:
            return m_toStringFunction;
        case DeleteLater: {
            QScriptValue refusal = engine()->newFunction(refuseDeletion, 0);
            refusal.setData(wrapper);
            return refusal;
        }
        case GuardedSlot: {
            QScriptValue call = engine()->newFunction(guardedCall, 1);
            call.setData(wrapper);
            call.setProperty(QStringLiteral("slotName"), slotNameOf(name.toString()),
                             QScriptValue::ReadOnly | QScriptValue::SkipInEnumeration);
            return call;
        }
        case Child: {
            QObject *target = wrapper.toQObject();
            const QString childName = name.toString();
            const QObjectList children = target ? target->children() : QObjectList();
            for (QObject *child : children) {
                if (child->objectName() == childName)
                    return wrapObject(engine(), child);
            }
            return engine()->undefinedValue();
        }
        }
        return engine()->undefinedValue();
    }

    void setProperty(QScriptValue &object, const QScriptString &name, uint id, const QScriptValue &value) override
    {
        Q_UNUSED(id)
        QScriptValue wrapper = object.data();
        const QObject *target = wrapper.toQObject();
        if (!target || !target->isWidgetType()) {
            wrapper.setProperty(name, value);
            return;
        }
        const QString refusal = writeRefusal(target, name.toString(), value);
        if (!refusal.isEmpty()) {
            engine()->currentContext()->throwError(QScriptContext::RangeError, refusal);
            return;
        }
        const QScriptValue before = wrapper.property(name);
        const WindowSize windowBefore(target);
        wrapper.setProperty(name, value);
        const QString tooLarge = windowExtentRefusal(target);
        if (!tooLarge.isEmpty()) {
            wrapper.setProperty(name, before);
            windowBefore.restore();
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

    QString name() const override
    {
        return QStringLiteral("QObject");
    }

private:
    Member memberOf(const QScriptValue &wrapper, QObject *target, const QScriptString &name)
    {
        if (name == m_findChild)
            return FindChild;
        if (name == m_findChildren)
            return FindChildren;
        if (name == m_toString)
            return ToString;
        if (!target)
            return Member(0);
        if (name == m_deleteLater)
            return isScriptMade(target) ? Member(0) : DeleteLater;
        const QString text = name.toString();
        if (isCheckedSlot(slotNameOf(text)) && hasMethodNamed(target->metaObject(), slotNameOf(text).toLatin1()))
            return GuardedSlot;
        // A child by its object name, as the wrapper would give it, unless a member of the object has that name.
        if (target->children().isEmpty() || text.isEmpty())
            return Member(0);
        bool named = false;
        const QObjectList children = target->children();
        for (const QObject *child : children)
            named = named || child->objectName() == text;
        if (!named || wrapper.property(name, QScriptValue::ResolveLocal).isValid())
            return Member(0);
        return Child;
    }

    QScriptString m_findChild;
    QScriptString m_findChildren;
    QScriptString m_toString;
    QScriptString m_deleteLater;
    QScriptValue m_findChildFunction;
    QScriptValue m_findChildrenFunction;
    QScriptValue m_toStringFunction;
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
        QScriptValue value = engine->newObject(&m_class, wrapper);
        value.setPrototype(wrapper);
        return value;
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
    if (!scriptEngine->extension())
        scriptEngine->setExtension(std::make_unique<Wrapping>(scriptEngine));
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
