#include "AutomationFixtures.h"

#include "scripting/automation/TargetMainWidget.h"

#include <QApplication>
#include <QTest>

namespace {

QStringList s_messages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_messages << message;
}

} // namespace

namespace SupportTest {

QStringList s_log;

QString buttonsText(Qt::MouseButton button, Qt::MouseButtons buttons)
{
    return QStringLiteral("%1/%2").arg(int(button)).arg(int(buttons));
}

// The debug messages written while the call runs.
QStringList messagesOf(const std::function<void()> &call)
{
    s_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    call();
    qInstallMessageHandler(previous);
    return s_messages;
}

QPushButton *dialogButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox *box = dialog->findChild<QDialogButtonBox *>();
    return box ? box->button(which) : nullptr;
}

void startTest()
{
    s_log.clear();
}

void endTest()
{
    QMMistlark::setTargetMainWidget(nullptr);
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a test left a window behind for the next lookups");
}

} // namespace SupportTest
