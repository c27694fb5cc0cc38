#pragma once

// What the tests of the automation classes share: their row types and fixtures.

#include "DragSource.h"

#include "scripting/automation/Support.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace SupportTest {

// What the widgets of a test received, in order.
extern QStringList s_log;

QString buttonsText(Qt::MouseButton button, Qt::MouseButtons buttons);

// Logs the events that the input operations post or send.
class EventRecorder : public QWidget
{
protected:
    bool event(QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            static const QHash<int, QString> kinds = {{QEvent::MouseMove, "move"},
                                                      {QEvent::MouseButtonPress, "press"},
                                                      {QEvent::MouseButtonRelease, "release"},
                                                      {QEvent::MouseButtonDblClick, "double"}};
            auto *mouse = static_cast<QMouseEvent *>(event);
            // From the exact position: rounding one near the largest int would overflow.
            s_log << QStringLiteral("%1 (%2,%3) %4").arg(kinds.value(event->type()))
                         .arg(qint64(mouse->localPos().x())).arg(qint64(mouse->localPos().y()))
                         .arg(buttonsText(mouse->button(), mouse->buttons()));
            return true;
        }
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            s_log << QStringLiteral("key %1 %2 '%3'").arg(key->key(), 0, 16).arg(int(key->modifiers()), 0, 16)
                         .arg(key->text());
            return true;
        }
        case QEvent::Paint: {
            const QRect rect = static_cast<QPaintEvent *>(event)->rect();
            s_log << QStringLiteral("paint %1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
            return true;
        }
        case QEvent::Show:
            s_log << QStringLiteral("show");
            break;
        case QEvent::Hide:
            s_log << QStringLiteral("hide");
            break;
        case QEvent::Close:
            s_log << QStringLiteral("close");
            break;
        default:
            break;
        }
        return QWidget::event(event);
    }
};

// The debug messages written while the call runs.
QStringList messagesOf(const std::function<void()> &call);

QPushButton *dialogButton(QWidget *dialog, QDialogButtonBox::StandardButton which);

// Each test starts with an empty log; it ends with no target main widget and no window left for the next lookups.
void startTest();
void endTest();

} // namespace SupportTest

using SupportCall = std::function<void(QMMistlark::Support &, QWidget *)>;
Q_DECLARE_METATYPE(SupportCall)
Q_DECLARE_METATYPE(DragSource::Start)
