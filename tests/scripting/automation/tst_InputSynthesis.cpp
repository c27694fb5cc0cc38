#include "HangBound.h"
#include "ShortcutWindow.h"
#include "AutomationFixtures.h"

#include "DropTarget.h"
#include "XvfbRun.h"

#include "scripting/automation/KeyNameTable.h"
#include "scripting/automation/TargetMainWidget.h"
#include "TestApp.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidgetAction>

#include <climits>

using QMMistlark::Support;
using namespace SupportTest;

class tst_InputSynthesis : public QObject
{
    Q_OBJECT

private slots:
    // The Editor fills the key name table in a running program.
    void initTestCase() { QMMistlark::initKeyNameTable(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

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

private:
    QMMistlark::Support m_support;
};

void tst_InputSynthesis::inputEvents_data()
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

void tst_InputSynthesis::inputEvents()
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

void tst_InputSynthesis::mouseClickClicksButton()
{
    QPushButton button(QStringLiteral("Press"));
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    m_support.mouseClick(&button);
    QCOMPARE(clicked.count(), 0); // posted, not sent
    QVERIFY(clicked.wait(HangBoundMs));
    QCOMPARE(clicked.count(), 1);
}

void tst_InputSynthesis::keyPressTypesIntoLineEdit()
{
    QLineEdit edit;
    edit.show();

    m_support.keyPress(&edit, QStringLiteral("Hello, world 1"));
    QTRY_COMPARE_WITH_TIMEOUT(edit.text(), QStringLiteral("Hello, world 1"), HangBoundMs);
}

void tst_InputSynthesis::clickMenuItem_data()
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

void tst_InputSynthesis::clickMenuItem()
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

void tst_InputSynthesis::shortCutPressParsesText_data()
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

void tst_InputSynthesis::shortCutPressParsesText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    EventRecorder mainWidget;
    QMMistlark::setTargetMainWidget(&mainWidget);
    m_support.shortCutPress(text);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(s_log, expected);
}

void tst_InputSynthesis::shortCutPressReachesShortcut_data()
{
    QTest::addColumn<bool>("withTarget");
    QTest::addColumn<int>("triggered");

    QTest::newRow("target main widget set") << true << 1;
    QTest::newRow("no target main widget: nothing happens") << false << 0;
}

void tst_InputSynthesis::shortCutPressReachesShortcut()
{
    QFETCH(bool, withTarget);
    QFETCH(int, triggered);

    ShortcutWindow window(QKeySequence(QStringLiteral("Ctrl+Shift+F5")));
    QVERIFY(window.showActive());
    if (withTarget)
        QMMistlark::setTargetMainWidget(&window);

    m_support.shortCutPress(QStringLiteral("Ctrl+Shift+F5"));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window.triggered(), triggered);
}

void tst_InputSynthesis::shortCutPressReenablesEditor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabledAfter");

    QTest::newRow("a key is posted: the editor ends enabled") << "F5" << true;
    QTest::newRow("nothing posted: the editor is left alone") << "Foo" << false;
}

void tst_InputSynthesis::shortCutPressReenablesEditor()
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

void tst_InputSynthesis::dragAndDropDropsOnTarget_data()
{
    QTest::addColumn<DragSource::Start>("start");
    QTest::newRow("drag left pending with its source") << DragSource::Start::LeavePending;
    // Offscreen, exec returns at once and the drag deletes itself; under X, exec waits for a real release.
    QTest::newRow("drag run by QDrag::exec in mouseMoveEvent") << DragSource::Start::Execute;
}

void tst_InputSynthesis::dragAndDropDropsOnTarget()
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
    QTRY_COMPARE_WITH_TIMEOUT(s_log,
                              (QStringList{"enter (30,40) payload", "move (30,40) payload", "drop (30,40) payload"}),
                              HangBoundMs);
    QStringList expectedSource{"source press (10,12)", "source move (17,19)"};
    if (start == DragSource::Start::Execute)
        expectedSource << "source exec over";
    // An exec still waiting for a release would keep the source, and the script behind it, waiting for ever.
    QTRY_COMPARE_WITH_TIMEOUT(sourceLog, expectedSource, HangBoundMs);
    if (start == DragSource::Start::Execute)
        QTRY_VERIFY_WITH_TIMEOUT(source->findChildren<QDrag *>().isEmpty(), HangBoundMs);
}

// The same gesture on an X server: this test's own executable, started under xvfb-run.
void tst_InputSynthesis::dragAndDropUnderXvfb()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("Runs only as the parent of the X run");
    const XvfbRun run = runUnderXvfb({QStringLiteral("dragAndDropDropsOnTarget")});
    if (!run.started)
        QSKIP("xvfb-run is not installed (package xvfb)");
    QVERIFY2(run.passed, qPrintable(run.output));
    QVERIFY2(run.output.contains(QLatin1String(
                 "PASS   : tst_InputSynthesis::dragAndDropDropsOnTarget(drag run by QDrag::exec in mouseMoveEvent)")),
             qPrintable(run.output));
}

TARSEL_APP_TEST_MAIN(tst_InputSynthesis)
#include "tst_InputSynthesis.moc"
