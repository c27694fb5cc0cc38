#include "tst_Support.h"

#include "TestApp.h"

#include "scripting/automation/KeyNameTable.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QScriptEngine>
#include <QSpinBox>

using QMMistlark::Support;

// Class names for the parent walks: one without a namespace, one inside one.
class Panel : public QWidget
{
    Q_OBJECT
};

namespace Fixture {
class SidePanel : public QWidget
{
    Q_OBJECT
};
} // namespace Fixture

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

} // namespace SupportTest

using namespace SupportTest;

void tst_Support::initTestCase()
{
    // The Editor fills the table in a running program.
    QMMistlark::initKeyNameTable();
}

void tst_Support::init()
{
    s_log.clear();
}

void tst_Support::cleanup()
{
    QMMistlark::setTargetMainWidget(nullptr);
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a test left a window behind for the next lookups");
}

void tst_Support::searchAcrossWindows()
{
    QWidget first;
    QWidget second;
    auto *firstButton = new QPushButton(QStringLiteral("first"), &first);
    auto *secondButton = new QPushButton(QStringLiteral("second"), &second);
    firstButton->setToolTip(QStringLiteral("tip"));
    secondButton->setToolTip(QStringLiteral("tip"));
    first.show();
    second.show();

    // The rule follows the toolkit's order of windows, whatever it is.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool firstIsEarlier = windows.indexOf(&first) < windows.indexOf(&second);
    QPushButton *later = firstIsEarlier ? secondButton : firstButton;
    QPushButton *earlier = firstIsEarlier ? firstButton : secondButton;

    QCOMPARE(m_support.getWidgetByClassName(QStringLiteral("QPushButton")), later);
    QCOMPARE(m_support.getWidgetByToolTip(QStringLiteral("tip")), later);
    QCOMPARE(m_support.getVisibleWidgetByClassName(QStringLiteral("QPushButton")), later);
    QCOMPARE(m_support.getVisibleWidgetByToolTip(QStringLiteral("tip")), later);

    later->hide();
    QCOMPARE(m_support.getVisibleWidgetByClassName(QStringLiteral("QPushButton")), earlier);
    QCOMPARE(m_support.getVisibleWidgetByToolTip(QStringLiteral("tip")), earlier);
    QCOMPARE(m_support.getWidgetByClassName(QStringLiteral("QPushButton")), later);

    QCOMPARE(m_support.getWidgetByClassName(QStringLiteral("pushbutton")), static_cast<QObject *>(nullptr));
    QCOMPARE(m_support.getWidgetByToolTip(QStringLiteral("Tip")), static_cast<QObject *>(nullptr));
}

void tst_Support::matchingWindowWinsOutright()
{
    QWidget holder;
    auto *inner = new QPushButton(QStringLiteral("inner"), &holder);
    inner->setToolTip(QStringLiteral("tip"));
    holder.show();
    QPushButton window(QStringLiteral("window"));
    window.setToolTip(QStringLiteral("tip"));
    window.show();

    QCOMPARE(m_support.getWidgetByClassName(QStringLiteral("QPushButton")), &window);
    QCOMPARE(m_support.getWidgetByToolTip(QStringLiteral("tip")), &window);
}

void tst_Support::objectNameSearch()
{
    QWidget first;
    QWidget second;
    second.setObjectName(QStringLiteral("second"));
    auto *firstAction = new QAction(QStringLiteral("Open"), &first);
    firstAction->setObjectName(QStringLiteral("open"));
    auto *secondAction = new QAction(QStringLiteral("Open"), &second);
    secondAction->setObjectName(QStringLiteral("open"));
    auto *frame = new QFrame(&first);
    auto *button = new QPushButton(frame);
    button->setObjectName(QStringLiteral("deep"));
    first.show();
    second.show();

    // The first window that holds a match decides, and the match need not be a widget.
    const QWidgetList windows = QApplication::topLevelWidgets();
    QAction *earlierAction = windows.indexOf(&first) < windows.indexOf(&second) ? firstAction : secondAction;
    QCOMPARE(m_support.getWidgetByObjectName(QStringLiteral("open")), earlierAction);
    QCOMPARE(m_support.getWidgetByObjectName(QStringLiteral("deep")), button);
    QCOMPARE(m_support.getWidgetByObjectName(QStringLiteral("second")), &second);
    QCOMPARE(m_support.getWidgetByObjectName(QStringLiteral("Deep")), static_cast<QObject *>(nullptr));
}

void tst_Support::windowTitleSearch()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Main"));
    auto *child = new QWidget(&window);
    child->setWindowTitle(QStringLiteral("Child"));
    window.show();

    QCOMPARE(m_support.getWidgetByWindowTitle(QStringLiteral("Main")), &window);
    QCOMPARE(m_support.getWidgetByWindowTitle(QStringLiteral("Child")), static_cast<QObject *>(nullptr));
    QCOMPARE(m_support.getWidgetByWindowTitle(QStringLiteral("main")), static_cast<QObject *>(nullptr));
}

void tst_Support::subWidgetLookups_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // root > frame > ok (hidden button), root > cancel (button): descendant order is frame, ok, cancel.
    QTest::newRow("object name") << "getSubWidgetByObjectName" << "root" << "cancel" << "cancel";
    QTest::newRow("object name: the start is not searched") << "getSubWidgetByObjectName" << "root" << "root" << "";
    QTest::newRow("class name: first in descendant order") << "getSubWidgetByClassName" << "root" << "QPushButton" << "ok";
    QTest::newRow("class name: the start is not searched") << "getSubWidgetByClassName" << "frame" << "QFrame" << "";
    QTest::newRow("class name: nothing matches") << "getSubWidgetByClassName" << "root" << "QLabel" << "";
    QTest::newRow("visible class name skips the hidden button") << "getVisibleSubWidgetByClassName" << "root"
                                                                 << "QPushButton" << "cancel";
    QTest::newRow("inherited class name") << "getSubWidgetByInheritClassName" << "root" << "QAbstractButton" << "ok";
    QTest::newRow("every descendant inherits QObject") << "getSubWidgetByInheritClassName" << "root" << "QObject"
                                                       << "frame";
    QTest::newRow("tool tip") << "getSubWidgetByToolTip" << "root" << "Accept" << "ok";
    QTest::newRow("tool tip compared exactly") << "getSubWidgetByToolTip" << "root" << "accept" << "";
    QTest::newRow("empty tool tip matches a widget without one") << "getSubWidgetByToolTip" << "root" << ""
                                                                 << "frame";
}

void tst_Support::subWidgetLookups()
{
    QFETCH(QString, lookup);
    QFETCH(QString, start);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QWidget root;
    root.setObjectName(QStringLiteral("root"));
    auto *frame = new QFrame(&root);
    frame->setObjectName(QStringLiteral("frame"));
    auto *ok = new QPushButton(QStringLiteral("OK"), frame);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setToolTip(QStringLiteral("Accept"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &root);
    cancel->setObjectName(QStringLiteral("cancel"));
    root.show();
    ok->hide();

    QObject *startObject = start == root.objectName() ? static_cast<QObject *>(&root) : frame;
    QObject *result = nullptr;
    // Called through the meta-object, as scripts call them.
    QVERIFY(QMetaObject::invokeMethod(&m_support, qPrintable(lookup), Q_RETURN_ARG(QObject *, result),
                                      Q_ARG(QObject *, startObject), Q_ARG(QString, text)));
    QCOMPARE(result ? result->objectName() : QString(), expected);
}

void tst_Support::parentWalks_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // Every walk starts at the button: Panel "panel" > Fixture::SidePanel "side" > QFrame "frame" > QPushButton "ok".
    QTest::newRow("class name: the start itself") << "parentByClassName" << "QPushButton" << "ok";
    QTest::newRow("class name: an ancestor") << "parentByClassName" << "QFrame" << "frame";
    QTest::newRow("class name with its namespace") << "parentByClassName" << "Fixture::SidePanel" << "side";
    QTest::newRow("class name without namespace falls back to the ending") << "parentByClassName" << "SidePanel"
                                                                            << "side";
    QTest::newRow("class name: an exact match further up beats a nearer ending") << "parentByClassName" << "Panel"
                                                                                 << "panel";
    QTest::newRow("class name: nothing matches") << "parentByClassName" << "QLabel" << "";
    QTest::newRow("ending only: the nearest") << "parentByClassNameSkipNS" << "Panel" << "side";
    QTest::newRow("ending only: a beginning is no match") << "parentByClassNameSkipNS" << "QPush" << "";
    QTest::newRow("object name: an ancestor") << "parentByObjectName" << "panel" << "panel";
    QTest::newRow("object name compared exactly") << "parentByObjectName" << "Panel" << "";
    QTest::newRow("inherits: the start itself") << "parentByInherits" << "QAbstractButton" << "ok";
    QTest::newRow("inherits: an ancestor") << "parentByInherits" << "QFrame" << "frame";
    QTest::newRow("parent widget: the start is skipped") << "getParentWidgetByClassName" << "QPushButton" << "";
    QTest::newRow("parent widget: an ancestor") << "getParentWidgetByClassName" << "QFrame" << "frame";
    QTest::newRow("parent widget: no fallback to the ending") << "getParentWidgetByClassName" << "SidePanel" << "";
}

void tst_Support::parentWalks()
{
    QFETCH(QString, lookup);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    Panel panel;
    panel.setObjectName(QStringLiteral("panel"));
    auto *side = new Fixture::SidePanel;
    side->setParent(&panel);
    side->setObjectName(QStringLiteral("side"));
    auto *frame = new QFrame(side);
    frame->setObjectName(QStringLiteral("frame"));
    auto *ok = new QPushButton(frame);
    ok->setObjectName(QStringLiteral("ok"));

    QObject *result = nullptr;
    QVERIFY(QMetaObject::invokeMethod(&m_support, qPrintable(lookup), Q_RETURN_ARG(QObject *, result),
                                      Q_ARG(QObject *, ok), Q_ARG(QString, text)));
    QCOMPARE(result ? result->objectName() : QString(), expected);
}

void tst_Support::numOfParents()
{
    QWidget window;
    auto *frame = new QFrame(&window);
    auto *button = new QPushButton(frame);

    QCOMPARE(m_support.numOfParents(&window), 0);
    QCOMPARE(m_support.numOfParents(frame), 1);
    QCOMPARE(m_support.numOfParents(button), 2);
    QCOMPARE(m_support.numOfParents(nullptr), -1);
}

void tst_Support::visibleDialogAndPopup()
{
    QDialog hidden;
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    QCOMPARE(m_support.findVisibleDialog(), static_cast<QWidget *>(nullptr));
    QCOMPARE(m_support.findVisiblePopup(), static_cast<QWidget *>(nullptr));

    QWidget host;
    auto *embedded = new QDialog(&host);
    embedded->setWindowFlags(Qt::Widget);
    host.show();
    QVERIFY(embedded->isVisible());
    QCOMPARE(m_support.findVisibleDialog(), embedded);

    // A dialog that is a window of its own wins over one embedded in any window.
    QDialog window;
    window.show();
    QCOMPARE(m_support.findVisibleDialog(), &window);

    menu.popup(QPoint(0, 0));
    QCOMPARE(m_support.findVisiblePopup(), &menu);
}

void tst_Support::nonWidgetsAreIgnored_data()
{
    QTest::addColumn<bool>("useAction");

    QTest::newRow("null") << false;
    QTest::newRow("an action, as a lookup may return") << true;
}

// No call crashes; lookups and walks give null and the actions do nothing. The action sits in a window
// with a button and a menu, so a walk or search that took it for a widget would find them.
void tst_Support::nonWidgetsAreIgnored()
{
    QFETCH(bool, useAction);

    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QWidget window;
    auto *button = new QPushButton(QStringLiteral("a"), &window);
    auto *menu = new QMenu(&window);
    QAction *action = menu->addAction(QStringLiteral("a"));
    action->setParent(&window);
    window.addAction(action);
    window.show();
    QSignalSpy triggered(action, &QAction::triggered);
    QSignalSpy clicked(button, &QPushButton::clicked);
    EventRecorder mainWidget;
    QMMistlark::setTargetMainWidget(&mainWidget);
    QObject *object = useAction ? static_cast<QObject *>(action) : nullptr;
    QObject *none = nullptr;

    QVERIFY(m_support.grab(object).isNull());
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    m_support.grabAndSave(object, path);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(messagesOf([&] { m_support.dumpHierarchy(object); }), QStringList());
    QCOMPARE(m_support.numOfParents(object), -1);
    QCOMPARE(m_support.parentByClassNameSkipNS(object, QStringLiteral("Widget")), none);
    QCOMPARE(m_support.parentByClassName(object, QStringLiteral("QWidget")), none);
    QCOMPARE(m_support.parentByObjectName(object, QString()), none);
    QCOMPARE(m_support.parentByInherits(object, QStringLiteral("QObject")), none);
    QCOMPARE(m_support.getSubWidgetByObjectName(object, QString()), none);
    QCOMPARE(m_support.getVisibleSubWidgetByClassName(object, QStringLiteral("QPushButton")), none);
    QCOMPARE(m_support.getSubWidgetByClassName(object, QStringLiteral("QPushButton")), none);
    QCOMPARE(m_support.getSubWidgetByInheritClassName(object, QStringLiteral("QObject")), none);
    QCOMPARE(m_support.getSubWidgetByToolTip(object, QString()), none);
    QCOMPARE(m_support.getParentWidgetByClassName(object, QStringLiteral("QWidget")), none);

    m_support.mouseMove(object);
    m_support.mousePress(object);
    m_support.mouseRelease(object);
    m_support.mouseClick(object);
    m_support.mouseDoubleClick(object);
    m_support.keyPress(object, Qt::Key_Enter);
    m_support.keyPress(object, QStringLiteral("a"));
    for (int type : {2, 3, 4, 12, 17, 18, 19})
        m_support.sendEvent(object, type);
    m_support.clickMenuItem(object, QStringLiteral("a"));
    m_support.dragAndDrop(object, 1, 1, object, 1, 1);
    m_support.dragAndDrop(button, 1, 1, object, 1, 1);
    m_support.shortCutPress(QStringLiteral("F5"), object);
    m_support.delay(-1);
    QCoreApplication::sendPostedEvents();

    QCOMPARE(triggered.count(), 0);
    QCOMPARE(clicked.count(), 0);
    // The shortcut alone reaches the target main widget: the object as its editor changes nothing.
    QCOMPARE(s_log, QStringList{"key 1000034 0 ''"});
}

void tst_Support::scriptCallsWithNonWidgets_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("lookup below an action") << "Support.getSubWidgetByClassName(action, 'QPushButton')" << "null";
    QTest::newRow("walk up from an action") << "Support.parentByClassName(action, 'QWidget')" << "null";
    QTest::newRow("parents of an action") << "Support.numOfParents(action)" << "-1";
    QTest::newRow("click on an action") << "Support.mouseClick(action)" << "undefined";
    QTest::newRow("click on null") << "Support.mouseClick(null)" << "undefined";
    QTest::newRow("typing into null") << "Support.keyPress(null, 'abc')" << "undefined";
    QTest::newRow("a widget still works") << "Support.parentByClassName(button, 'QWidget').objectName" << "window";
}

// Scripts reach the object as "Support": an action a lookup returned is an ordinary argument, not a type error.
void tst_Support::scriptCallsWithNonWidgets()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);

    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto *button = new QPushButton(&window);
    auto *action = new QAction(&window);
    QScriptEngine engine;
    engine.globalObject().setProperty(QStringLiteral("Support"), engine.newQObject(&m_support));
    engine.globalObject().setProperty(QStringLiteral("action"), engine.newQObject(action));
    engine.globalObject().setProperty(QStringLiteral("button"), engine.newQObject(button));

    const QScriptValue result = engine.evaluate(script);
    QVERIFY2(!engine.hasUncaughtException(), qPrintable(result.toString()));
    QCOMPARE(result.toString(), expected);
    QCoreApplication::sendPostedEvents();
}

TARSEL_APP_TEST_MAIN(tst_Support)
#include "tst_Support.moc"
