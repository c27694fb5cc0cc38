#include "Platform/web/AxWidget.h"

#include "Platform/web/WebBrowserControl.h"

#include <QChildEvent>
#include <QDebug>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QVBoxLayout>

#include <functional>

namespace Platform {

namespace {

struct ControlClass
{
    const char *classId;
    std::function<QWidget *()> create;
};

// The controls this platform has, by the class ids callers know them by.
const ControlClass controlClasses[] = {
    {WebBrowserControl::classId, [] { return new WebBrowserControl; }},
};

QString normalizedClassId(QString classId)
{
    classId = classId.trimmed();
    if (classId.startsWith(QLatin1Char('{')) && classId.endsWith(QLatin1Char('}')))
        classId = classId.mid(1, classId.size() - 2);
    return classId.toUpper();
}

} // namespace

AxWidget::AxWidget(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setLayout(layout);
}

AxWidget::~AxWidget() = default;

bool AxWidget::setControl(const QString &classId)
{
    delete m_control;
    m_classId.clear();
    const QString wanted = normalizedClassId(classId);
    for (const ControlClass &controlClass : controlClasses) {
        if (wanted != QLatin1String(controlClass.classId))
            continue;
        m_control = controlClass.create();
        layout()->addWidget(m_control);
        setFocusProxy(m_control);
        watchKeys(m_control);
        m_classId = wanted;
        return true;
    }
    qWarning() << "AxWidget: no control with the class id" << classId;
    return false;
}

QString AxWidget::control() const
{
    return m_classId;
}

QWidget *AxWidget::controlWidget() const
{
    return m_control;
}

QVariant AxWidget::dynamicCall(const char *signature, const QVariant &arg)
{
    if (!m_control || !signature)
        return QVariant();
    const QMetaObject *meta = m_control->metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(signature).constData());
    if (index < 0) {
        qWarning() << "AxWidget: the control has no method" << signature;
        return QVariant();
    }
    const QMetaMethod method = meta->method(index);
    if (method.parameterCount() != 1)
        return QVariant();
    QVariant argument = arg;
    if (!argument.convert(method.parameterType(0)))
        return QVariant();
    QVariant result;
    if (method.returnType() != QMetaType::Void)
        result = QVariant(method.returnType(), nullptr);
    const bool called = method.invoke(m_control, Qt::DirectConnection,
                                      QGenericReturnArgument(method.typeName(), result.data()),
                                      QGenericArgument(method.parameterTypes().at(0).constData(), argument.constData()));
    return called ? result : QVariant();
}

int AxWidget::virtualKey(int qtKey)
{
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
    }
}

bool AxWidget::translateKeyEvent(int message, int keycode) const
{
    if (message == systemKeyDownMessage || message == systemKeyUpMessage)
        return true;
    if (message == keyDownMessage || message == keyUpMessage)
        return keycode == 0x09 || keycode == 0x2E;
    return false;
}

void AxWidget::watchKeys(QObject *object)
{
    object->installEventFilter(this);
    for (QObject *child : object->children()) {
        if (child->isWidgetType())
            watchKeys(child);
    }
}

bool AxWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        // The browser makes its drawing widget late, when the first page loads.
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            watchKeys(child);
    } else if (event->type() == QEvent::ShortcutOverride) {
        // An accepted override hands the key to the control instead of the application's shortcuts.
        auto *key = static_cast<QKeyEvent *>(event);
        const int message = key->modifiers() & Qt::AltModifier ? systemKeyDownMessage : keyDownMessage;
        if (translateKeyEvent(message, virtualKey(key->key())))
            key->accept();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Platform
