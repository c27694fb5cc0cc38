#include "DragSource.h"
#include "DropTarget.h"
#include "ModalAnswer.h"
#include "TestApp.h"
#include "XvfbRun.h"

#include "scripting/KeyNameTable.h"
#include "scripting/Support.h"
#include "scripting/TargetMainWidget.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDrag>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScriptEngine>
#include <QSpinBox>
#include <QWidgetAction>

#include <climits>
#include <functional>

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

// What the widgets of a test received, in order.
QStringList s_log;

QString buttonsText(Qt::MouseButton button, Qt::MouseButtons buttons)
{
    return QStringLiteral("%1/%2").arg(int(button)).arg(int(buttons));
}

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

QStringList s_messages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_messages << message;
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

} // namespace

using SupportCall = std::function<void(Support &, QWidget *)>;
Q_DECLARE_METATYPE(SupportCall)
Q_DECLARE_METATYPE(DragSource::Start)

class tst_Support : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchAcrossWindows();
    void matchingWindowWinsOutright();
    void objectNameSearch();
    void windowTitleSearch();
    void subWidgetLookups_data();
    void subWidgetLookups();
    void parentWalks_data();
    void parentWalks();
    void numOfParents();
    void visibleDialogAndPopup();

    void inputEvents_data();
    void inputEvents();
    void mouseClickClicksButton();
    void keyPressTypesIntoLineEdit();
    void clickMenuItem_data();
    void clickMenuItem();
    void shortCutPressParsesText_data();
    void shortCutPressParsesText();
    void shortCutPressReachesShortcut_data();
    void shortCutPressReachesShortcut();
    void shortCutPressReenablesEditor_data();
    void shortCutPressReenablesEditor();
    void dragAndDropDropsOnTarget_data();
    void dragAndDropDropsOnTarget();
    void dragAndDropUnderXvfb();

    void informationDialog();
    void messageDialogClosesItself_data();
    void messageDialogClosesItself();
    void textDialog_data();
    void textDialog();
    void intDialog_data();
    void intDialog();
    void waitsLetPostedEventsRun_data();
    void waitsLetPostedEventsRun();
    void grabAndSaveWritesPng();
    void dumpHierarchyWritesAncestors();

    void nonWidgetsAreIgnored_data();
    void nonWidgetsAreIgnored();
    void scriptCallsWithNonWidgets_data();
    void scriptCallsWithNonWidgets();

private:
    Support m_support;
};

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

void tst_Support::inputEvents_data()
{
    QTest::addColumn<SupportCall>("call");
    QTest::addColumn<QStringList>("expected");

    // The recorder is 100 by 60.
    QTest::newRow("mouseClick at the centre by default")
        << SupportCall([](Support &s, QWidget *w) { s.mouseClick(w); })
        << QStringList{"press (50,30) 1/1", "release (50,30) 1/1"};
    QTest::newRow("mouseClick at (0, 0) is not the centre")
        << SupportCall([](Support &s, QWidget *w) { s.mouseClick(w, 0, 0); })
        << QStringList{"press (0,0) 1/1", "release (0,0) 1/1"};
    QTest::newRow("mouseClick with the right button")
        << SupportCall([](Support &s, QWidget *w) { s.mouseClick(w, 10, 20, Qt::RightButton, Qt::RightButton); })
        << QStringList{"press (10,20) 2/2", "release (10,20) 2/2"};
    QTest::newRow("mousePress at (1, 1) by default")
        << SupportCall([](Support &s, QWidget *w) { s.mousePress(w); }) << QStringList{"press (1,1) 1/1"};
    QTest::newRow("mouseRelease keeps the held buttons as given")
        << SupportCall([](Support &s, QWidget *w) { s.mouseRelease(w, 3, 4, Qt::LeftButton, Qt::LeftButton | Qt::RightButton); })
        << QStringList{"release (3,4) 1/3"};
    QTest::newRow("mouseMove with the left button held")
        << SupportCall([](Support &s, QWidget *w) { s.mouseMove(w, 8, 9); }) << QStringList{"move (8,9) 1/1"};
    QTest::newRow("mouseDoubleClick without press or release")
        << SupportCall([](Support &s, QWidget *w) { s.mouseDoubleClick(w); }) << QStringList{"double (1,1) 1/1"};
    QTest::newRow("mouseClick with a number that names no button: left")
        << SupportCall([](Support &s, QWidget *w) { s.mouseClick(w, 5, 6, Qt::MouseButton(-1), Qt::LeftButton); })
        << QStringList{"press (5,6) 1/1", "release (5,6) 1/1"};
    // The move of the drag gesture is seven pixels on, but never past the largest int.
    QTest::newRow("dragAndDrop near the largest int")
        << SupportCall([](Support &s, QWidget *w) { s.dragAndDrop(w, INT_MAX - 3, INT_MAX, nullptr, 0, 0); })
        << QStringList{"press (2147483644,2147483647) 1/1", "move (2147483647,2147483647) 1/1"};
    QTest::newRow("keyPress text: key A for every character, the character as text")
        << SupportCall([](Support &s, QWidget *w) { s.keyPress(w, QStringLiteral("a b\n")); })
        << QStringList{"key 41 0 'a'", "key 41 0 ' '", "key 41 0 'b'", "key 41 0 '\n'"};
    QTest::newRow("keyPress key code: no text")
        << SupportCall([](Support &s, QWidget *w) { s.keyPress(w, Qt::Key_Enter); }) << QStringList{"key 1000005 0 ''"};
    QTest::newRow("sendEvent MouseButtonPress")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 2); }) << QStringList{"press (1,1) 1/1"};
    QTest::newRow("sendEvent MouseButtonRelease")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 3); }) << QStringList{"release (1,1) 1/1"};
    QTest::newRow("sendEvent MouseButtonDblClick")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 4); }) << QStringList{"double (1,1) 1/1"};
    QTest::newRow("sendEvent Paint covers the widget")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 12); }) << QStringList{"paint 0,0 100x60"};
    QTest::newRow("sendEvent Show delivers the event only")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 17); }) << QStringList{"show"};
    QTest::newRow("sendEvent Hide")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 18); }) << QStringList{"hide"};
    QTest::newRow("sendEvent Close")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 19); }) << QStringList{"close"};
    QTest::newRow("sendEvent Move is ignored")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 13); }) << QStringList();
    QTest::newRow("sendEvent None is ignored")
        << SupportCall([](Support &s, QWidget *w) { s.sendEvent(w, 0); }) << QStringList();
}

void tst_Support::inputEvents()
{
    QFETCH(SupportCall, call);
    QFETCH(QStringList, expected);

    // Never shown, so the toolkit sends it no events of its own.
    EventRecorder recorder;
    recorder.resize(100, 60);
    call(m_support, &recorder);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(s_log, expected);
    QVERIFY(!recorder.isVisible());
}

void tst_Support::mouseClickClicksButton()
{
    QPushButton button(QStringLiteral("Press"));
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    m_support.mouseClick(&button);
    QCOMPARE(clicked.count(), 0); // posted, not sent
    QVERIFY(clicked.wait());
    QCOMPARE(clicked.count(), 1);
}

void tst_Support::keyPressTypesIntoLineEdit()
{
    QLineEdit edit;
    edit.show();

    m_support.keyPress(&edit, QStringLiteral("Hello, world 1"));
    QTRY_COMPARE(edit.text(), QStringLiteral("Hello, world 1"));
}

void tst_Support::clickMenuItem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("entry by its exact text") << "Open" << QStringList{"Open"};
    QTest::newRow("the mnemonic ampersand is part of the text") << "&Open" << QStringList{"&Open"};
    QTest::newRow("a widget in the menu by its tool tip") << "Reset all" << QStringList{"reset"};
    QTest::newRow("a button in the menu by its text") << "Apply" << QStringList{"apply"};
    QTest::newRow("an entry comes before a button of the same text") << "Save" << QStringList{"Save"};
    QTest::newRow("nothing matches") << "Close" << QStringList();
}

void tst_Support::clickMenuItem()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    QMenu menu;
    for (const QString &entry : {QStringLiteral("&Open"), QStringLiteral("Open"), QStringLiteral("Save")}) {
        QAction *action = menu.addAction(entry);
        connect(action, &QAction::triggered, [entry] { s_log << entry; });
    }
    auto *panel = new QWidget;
    auto *layout = new QHBoxLayout(panel);
    auto *reset = new QPushButton(QStringLiteral("Reset"));
    reset->setToolTip(QStringLiteral("Reset all"));
    auto *apply = new QPushButton(QStringLiteral("Apply"));
    auto *save = new QPushButton(QStringLiteral("Save"));
    for (QPushButton *button : {reset, apply, save}) {
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, [button] { s_log << button->text().toLower(); });
    }
    auto *widgetAction = new QWidgetAction(&menu);
    widgetAction->setDefaultWidget(panel);
    menu.addAction(widgetAction);
    menu.popup(QPoint(0, 0));

    m_support.clickMenuItem(&menu, text);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(s_log, expected);
}

void tst_Support::shortCutPressParsesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("two modifiers and a function key") << "Ctrl+Shift+F5" << QStringList{"key 1000034 6000000 ''"};
    QTest::newRow("modifier after the key") << "A+Ctrl" << QStringList{"key 41 4000000 ''"};
    QTest::newRow("plus as the key") << "Ctrl++" << QStringList{"key 2b 4000000 ''"};
    QTest::newRow("empty text is the plus key") << "" << QStringList{"key 2b 0 ''"};
    QTest::newRow("Meta and Alt") << "Meta+Alt+Del" << QStringList{"key 1000007 18000000 ''"};
    QTest::newRow("a later key replaces an earlier one") << "A+B" << QStringList{"key 42 0 ''"};
    QTest::newRow("lower-case names are unknown") << "ctrl+a" << QStringList();
    QTest::newRow("an unknown key after a known one") << "Ctrl+A+Foo" << QStringList();
    QTest::newRow("a modifier alone") << "Shift" << QStringList();
}

void tst_Support::shortCutPressParsesText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    EventRecorder mainWidget;
    QMMistlark::setTargetMainWidget(&mainWidget);
    m_support.shortCutPress(text);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(s_log, expected);
}

void tst_Support::shortCutPressReachesShortcut_data()
{
    QTest::addColumn<bool>("withTarget");
    QTest::addColumn<int>("triggered");

    QTest::newRow("target main widget set") << true << 1;
    QTest::newRow("no target main widget: nothing happens") << false << 0;
}

void tst_Support::shortCutPressReachesShortcut()
{
    QFETCH(bool, withTarget);
    QFETCH(int, triggered);

    QWidget window;
    auto *action = new QAction(QStringLiteral("Refresh"), &window);
    action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F5")));
    window.addAction(action);
    QSignalSpy spy(action, &QAction::triggered);
    window.show();
    window.activateWindow();
    // A window shortcut needs its window active.
    QVERIFY(QTest::qWaitForWindowActive(&window));
    if (withTarget)
        QMMistlark::setTargetMainWidget(&window);

    m_support.shortCutPress(QStringLiteral("Ctrl+Shift+F5"));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(spy.count(), triggered);
}

void tst_Support::shortCutPressReenablesEditor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabledAfter");

    QTest::newRow("a key is posted: the editor ends enabled") << "F5" << true;
    QTest::newRow("nothing posted: the editor is left alone") << "Foo" << false;
}

void tst_Support::shortCutPressReenablesEditor()
{
    QFETCH(QString, text);
    QFETCH(bool, enabledAfter);

    EventRecorder mainWidget;
    QMMistlark::setTargetMainWidget(&mainWidget);
    QWidget editor;
    editor.setEnabled(false);

    m_support.shortCutPress(text, &editor);
    QCOMPARE(editor.isEnabled(), enabledAfter);
}

void tst_Support::dragAndDropDropsOnTarget_data()
{
    QTest::addColumn<DragSource::Start>("start");
    QTest::newRow("drag left pending with its source") << DragSource::Start::LeavePending;
    // Offscreen, exec returns at once and the drag deletes itself; under X, exec waits for a real release.
    QTest::newRow("drag run by QDrag::exec in mouseMoveEvent") << DragSource::Start::Execute;
}

void tst_Support::dragAndDropDropsOnTarget()
{
    QFETCH(DragSource::Start, start);
    // The child run under Xvfb makes sure that it tests the X platform, not the offscreen one.
    const QString expectedPlatform = qEnvironmentVariable("TARSEL_EXPECT_PLATFORM");
    if (!expectedPlatform.isEmpty())
        QCOMPARE(QGuiApplication::platformName(), expectedPlatform);

    QStringList sourceLog;
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *source = new DragSource(&sourceLog, nullptr, start);
    auto *target = new DropTarget(&s_log);
    layout->addWidget(source);
    layout->addWidget(target);
    // Away from the middle of the screen, where an X server keeps its pointer: only the simulated drop counts.
    window.setGeometry(0, 0, 200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    m_support.dragAndDrop(source, 10, 12, target, 30, 40);
    QTRY_COMPARE(s_log, (QStringList{"enter (30,40) payload", "move (30,40) payload", "drop (30,40) payload"}));
    QStringList expectedSource{"source press (10,12)", "source move (17,19)"};
    if (start == DragSource::Start::Execute)
        expectedSource << "source exec over";
    // An exec still waiting for a release would keep the source, and the script behind it, waiting for ever.
    QTRY_COMPARE(sourceLog, expectedSource);
    if (start == DragSource::Start::Execute)
        QTRY_VERIFY(source->findChildren<QDrag *>().isEmpty());
}

// The same gesture on an X server: this test's own executable, started under xvfb-run.
void tst_Support::dragAndDropUnderXvfb()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("Runs only as the parent of the X run");
    const XvfbRun run = runUnderXvfb({QStringLiteral("dragAndDropDropsOnTarget")});
    if (!run.started)
        QSKIP("xvfb-run is not installed (package xvfb)");
    QVERIFY2(run.passed, qPrintable(run.output));
    QVERIFY2(run.output.contains(QLatin1String(
                 "PASS   : tst_Support::dragAndDropDropsOnTarget(drag run by QDrag::exec in mouseMoveEvent)")),
             qPrintable(run.output));
}

void tst_Support::informationDialog()
{
    QString title;
    QString text;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        auto *box = qobject_cast<QMessageBox *>(dialog);
        if (box) {
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        } else {
            dialog->close();
        }
    });

    m_support.informationDialog(QStringLiteral("Step 3 done"));
    QCOMPARE(title, QStringLiteral("Information"));
    QCOMPARE(text, QStringLiteral("Step 3 done"));
}

void tst_Support::messageDialogClosesItself_data()
{
    QTest::addColumn<int>("milliseconds");

    QTest::newRow("after its time") << 50;
    QTest::newRow("zero closes at the first pass") << 0;
    QTest::newRow("negative time closes at once instead of waiting for the user") << -1;
}

void tst_Support::messageDialogClosesItself()
{
    QFETCH(int, milliseconds);

    QString title;
    QString text;
    bool closedByTest = false;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            text = box->text();
        // Only when the box fails to close itself.
        QTimer::singleShot(5000, dialog, [&closedByTest, dialog] {
            closedByTest = true;
            dialog->close();
        });
    });

    m_support.messageDialog(milliseconds, QStringLiteral("Working"));
    QCOMPARE(title, QStringLiteral("Message"));
    QCOMPARE(text, QStringLiteral("Working"));
    QVERIFY(!closedByTest);
}

void tst_Support::textDialog_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("entered text") << "abc" << true << "xyz" << "xyz";
    QTest::newRow("preset kept") << "abc" << true << "" << "abc";
    QTest::newRow("cancelled gives a null string") << "abc" << false << "" << QString();
}

void tst_Support::textDialog()
{
    QFETCH(QString, preset);
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QString title;
    QString label;
    QString shownPreset;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        if (auto *input = qobject_cast<QInputDialog *>(dialog))
            label = input->labelText();
        QLineEdit *edit = dialog->findChild<QLineEdit *>();
        QPushButton *ok = dialogButton(dialog, QDialogButtonBox::Ok);
        if (!edit || !ok) {
            dialog->close();
            return;
        }
        shownPreset = edit->text();
        if (!accept) {
            QTest::keyClick(edit, Qt::Key_Escape);
            return;
        }
        if (!typed.isEmpty()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        ok->click();
    });

    const QString result = m_support.textDialog(QStringLiteral("Your name"), preset);
    QCOMPARE(title, QStringLiteral("Script Text Dialog"));
    QCOMPARE(label, QStringLiteral("Your name"));
    QCOMPARE(shownPreset, preset);
    QCOMPARE(result, expected);
    QCOMPARE(result.isNull(), expected.isNull());
}

void tst_Support::intDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");

    QTest::newRow("entered number") << true << "42" << 42;
    QTest::newRow("negative number") << true << "-7" << -7;
    QTest::newRow("cancelled gives the preset") << false << "42" << 5;
}

void tst_Support::intDialog()
{
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(int, expected);

    QString title;
    int shownPreset = 0;
    int minimum = 0;
    int maximum = 0;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        QSpinBox *spin = dialog->findChild<QSpinBox *>();
        QPushButton *ok = dialogButton(dialog, QDialogButtonBox::Ok);
        if (!spin || !ok) {
            dialog->close();
            return;
        }
        shownPreset = spin->value();
        minimum = spin->minimum();
        maximum = spin->maximum();
        spin->selectAll();
        QTest::keyClicks(spin, typed);
        if (accept)
            ok->click();
        else
            QTest::keyClick(spin, Qt::Key_Escape);
    });

    QCOMPARE(m_support.intDialog(QStringLiteral("Count"), 5), expected);
    QCOMPARE(title, QStringLiteral("Script Text Dialog"));
    QCOMPARE(shownPreset, 5);
    QCOMPARE(minimum, -2147483647);
    QCOMPARE(maximum, 2147483647);
}

void tst_Support::waitsLetPostedEventsRun_data()
{
    QTest::addColumn<SupportCall>("wait");

    QTest::newRow("waitForDialogTermination") << SupportCall([](Support &s, QWidget *) { s.waitForDialogTermination(); });
    QTest::newRow("delay") << SupportCall([](Support &s, QWidget *) { s.delay(20); });
}

void tst_Support::waitsLetPostedEventsRun()
{
    QFETCH(SupportCall, wait);

    QPushButton button(QStringLiteral("Press"));
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    m_support.mouseClick(&button);
    wait(m_support, &button);
    QCOMPARE(clicked.count(), 1);
}

void tst_Support::grabAndSaveWritesPng()
{
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QWidget widget;
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::red);
    widget.setPalette(palette);
    widget.resize(40, 30);

    // The extension does not choose the format.
    const QString path = dir.filePath(QStringLiteral("shot.jpg"));
    m_support.grabAndSave(&widget, path);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QCOMPARE(file.read(8), QByteArray("\x89PNG\r\n\x1a\n"));
    file.close();
    QImage image;
    QVERIFY(image.load(path, "PNG"));
    QCOMPARE(image.size(), QSize(40, 30));
    QCOMPARE(image.pixelColor(20, 15), QColor(Qt::red));
}

void tst_Support::dumpHierarchyWritesAncestors()
{
    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto *frame = new QFrame(&window);
    frame->setObjectName(QStringLiteral("frame"));
    auto *button = new QPushButton(frame);
    button->setObjectName(QStringLiteral("button"));

    const QStringList lines = messagesOf([&] { m_support.dumpHierarchy(button); });
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("QPushButton(")) && lines.at(0).contains(QStringLiteral("button")),
             qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("  QFrame(")) && lines.at(1).contains(QStringLiteral("frame")),
             qPrintable(lines.at(1)));
    QVERIFY2(lines.at(2).startsWith(QStringLiteral("    QWidget(")) && lines.at(2).contains(QStringLiteral("window")),
             qPrintable(lines.at(2)));

    QCOMPARE(messagesOf([&] { m_support.dumpHierarchy(&window); }).size(), 1);
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
