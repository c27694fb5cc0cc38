#include "HangBound.h"
#include "ShortcutWindow.h"
#include "PngFile.h"
#include "DragSource.h"
#include "DropTarget.h"
#include "EditorRun.h"
#include "TestApp.h"

#include "scripting/editor/Editor.h"
#include "scripting/editor/OutputArea.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QAction>
#include <QFrame>
#include <QGLWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPushButton>
#include <QSpinBox>

#include <memory>

using QMMistlark::Editor;

namespace {

// What the widgets of a test received, in order.
QStringList s_log;

// Scripts find their widgets by object name, as a script written against an application does.
const char s_nameOf[] = "function name(o) { return o === null ? 'null' : String(o.objectName); }\n";

// The label that grab made: a window of its own, which nothing deletes but the caller.
std::unique_ptr<QLabel> takeGrabbedLabel()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *label = qobject_cast<QLabel *>(window))
            return std::unique_ptr<QLabel>(label);
    }
    return nullptr;
}

// Logs the mouse and key events posted to it, and the close event sent to it.
class EventRecorder : public QWidget
{
protected:
    bool event(QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            static const QHash<int, QString> kinds = {{QEvent::MouseButtonPress, "press"},
                                                      {QEvent::MouseButtonRelease, "release"},
                                                      {QEvent::MouseButtonDblClick, "double"}};
            auto *mouse = static_cast<QMouseEvent *>(event);
            s_log << QStringLiteral("%1 (%2,%3) %4/%5").arg(kinds.value(event->type())).arg(mouse->x()).arg(mouse->y())
                         .arg(int(mouse->button())).arg(int(mouse->buttons()));
            return true;
        }
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            s_log << QStringLiteral("key %1 '%2'").arg(key->key(), 0, 16).arg(key->text());
            return true;
        }
        case QEvent::Close:
            s_log << QStringLiteral("close");
            return true;
        default:
            return QWidget::event(event);
        }
    }
};

// Fills its frame buffer with one colour, which only a frame-buffer read sees.
class GreenGLWidget : public QGLWidget
{
protected:
    void paintGL() override
    {
        QOpenGLFunctions *functions = context()->contextHandle()->functions();
        functions->glClearColor(0, 1, 0, 1);
        functions->glClear(GL_COLOR_BUFFER_BIT);
    }
};

// A source named "source" beside a target named "target", both logging to s_log.
void showDragWindow(QWidget &window)
{
    auto *layout = new QHBoxLayout(&window);
    auto *source = new DragSource(&s_log);
    source->setObjectName(QStringLiteral("source"));
    auto *target = new DropTarget(&s_log);
    target->setObjectName(QStringLiteral("target"));
    layout->addWidget(source);
    layout->addWidget(target);
    window.show();
}

} // namespace

class tst_ScriptAutomation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lookups_data();
    void lookups();

    void postedInput_data();
    void postedInput();
    void mouseClickClicksButton();
    void keysReachLineEdit();
    void clickMenuItemTriggersAction();
    void shortCutPressReachesShortcut();
    void dragAndDropNeedsSixArguments();
    void dropWaitsForTheScriptToWait();

    void grabMakesHiddenLabel();
    void grabAndSaveWritesPng();
    void grabOfGLWidget();

private:
    QString run(const QString &script);

    Editor *m_editor = nullptr;
};

void tst_ScriptAutomation::init()
{
    s_log.clear();
    m_editor = new Editor;
}

void tst_ScriptAutomation::cleanup()
{
    delete m_editor;
    m_editor = nullptr;
    QMMistlark::setTargetMainWidget(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a test left a window behind for the next lookups");
}

QString tst_ScriptAutomation::run(const QString &script)
{
    m_editor->setText(QLatin1String(s_nameOf) + script);
    m_editor->run();
    return outputText(*m_editor);
}

void tst_ScriptAutomation::lookups_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");

    QTest::newRow("object name") << "name(getWidgetByObjectName('ok'))" << "ok";
    QTest::newRow("object name finds an action too") << "name(getWidgetByObjectName('anAction'))" << "anAction";
    QTest::newRow("object name: nothing") << "name(getWidgetByObjectName('nothing'))" << "null";
    QTest::newRow("window title") << "name(getWidgetByWindowTitle('Fixture window'))" << "fixture";
    QTest::newRow("window title: nothing") << "name(getWidgetByWindowTitle('Other'))" << "null";
    QTest::newRow("class name") << "name(getWidgetByClassName('QSpinBox'))" << "spin";
    QTest::newRow("visible class name") << "name(getVisibleWidgetByClassName('QSpinBox'))" << "spin";
    QTest::newRow("tool tip of a hidden widget") << "name(getWidgetByToolTip('Hidden tip'))" << "hiddenButton";
    QTest::newRow("visible tool tip skips the hidden widget") << "name(getVisibleWidgetByToolTip('Hidden tip'))"
                                                              << "null";
    QTest::newRow("ID is a tool tip") << "name(getWidgetByID('Confirm'))" << "ok";
    QTest::newRow("ID: nothing") << "name(getWidgetByID('No such ID'))" << "null";
    QTest::newRow("sub-widget by class name: first below") << "name(getSubWidgetByClassName(fixture, 'QPushButton'))"
                                                           << "hiddenButton";
    QTest::newRow("visible sub-widget by class name")
        << "name(getVisibleSubWidgetByClassName(fixture, 'QPushButton'))" << "ok";
    QTest::newRow("sub-widget by tool tip") << "name(getSubWidgetByToolTip(fixture, 'Confirm'))" << "ok";
    QTest::newRow("sub-widget by object name") << "name(getSubWidgetByObjectName(fixture, 'spin'))" << "spin";
    QTest::newRow("sub-widget by inherited class")
        << "name(getSubWidgetByInheritClassName(fixture, 'QAbstractSpinBox'))" << "spin";
    QTest::newRow("parent widget by class name") << "name(getParentWidgetByClassName(ok, 'QFrame'))" << "frame";
    QTest::newRow("parent widget by class name skips the start")
        << "name(getParentWidgetByClassName(ok, 'QPushButton'))" << "null";
    QTest::newRow("parentByClassName starts with the widget") << "name(parentByClassName(ok, 'QPushButton'))" << "ok";
    QTest::newRow("parentByClassName walks up") << "name(parentByClassName(ok, 'QFrame'))" << "frame";
    QTest::newRow("parent") << "name(parent(ok))" << "frame";
    QTest::newRow("parent of a window") << "name(parent(fixture))" << "null";
    QTest::newRow("an action that a lookup returned has no parent") << "name(parent(getWidgetByObjectName('anAction')))" << "null";
    QTest::newRow("className") << "className(ok)" << "QPushButton";
    QTest::newRow("className of an action") << "className(getWidgetByObjectName('anAction'))" << "QAction";
    QTest::newRow("className is a variant") << "typeof className(ok) + ' ' + (className(ok) == 'QPushButton')"
                                            << "object true";
    QTest::newRow("no visible dialog") << "name(getVisibleDialog())" << "null";
    QTest::newRow("no visible popup") << "name(getVisiblePopup())" << "null";
}

void tst_ScriptAutomation::lookups()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);

    QWidget window;
    window.setObjectName(QStringLiteral("fixture"));
    window.setWindowTitle(QStringLiteral("Fixture window"));
    auto *layout = new QHBoxLayout(&window);
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("frame"));
    auto *frameLayout = new QHBoxLayout(frame);
    auto *hiddenButton = new QPushButton(QStringLiteral("Hidden"));
    hiddenButton->setObjectName(QStringLiteral("hiddenButton"));
    hiddenButton->setToolTip(QStringLiteral("Hidden tip"));
    hiddenButton->hide();
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ok"));
    ok->setToolTip(QStringLiteral("Confirm"));
    frameLayout->addWidget(hiddenButton);
    frameLayout->addWidget(ok);
    auto *spin = new QSpinBox;
    spin->setObjectName(QStringLiteral("spin"));
    layout->addWidget(frame);
    layout->addWidget(spin);
    auto *action = new QAction(&window);
    action->setObjectName(QStringLiteral("anAction"));
    window.show();

    const QString output = run(QStringLiteral("var fixture = getWidgetByObjectName('fixture');\n"
                                              "var ok = getWidgetByObjectName('ok');\n"
                                              "printout(")
                               + expression + QStringLiteral(");"));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, expected);
}

void tst_ScriptAutomation::postedInput_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("expected");

    // A click from a script is at (1, 1) unless both coordinates are given: not the middle of the widget.
    QTest::newRow("mouseClick(w): left button at (1, 1)")
        << "mouseClick(w)" << QStringList{"press (1,1) 1/1", "release (1,1) 1/1"};
    QTest::newRow("mouseClick(w, 2): right button") << "mouseClick(w, 2)"
                                                    << QStringList{"press (1,1) 2/2", "release (1,1) 2/2"};
    QTest::newRow("mouseClick(w, 1, 30): one coordinate is ignored")
        << "mouseClick(w, 1, 30)" << QStringList{"press (1,1) 1/1", "release (1,1) 1/1"};
    QTest::newRow("mouseClick(w, 1, 30, 40)") << "mouseClick(w, 1, 30, 40)"
                                              << QStringList{"press (30,40) 1/1", "release (30,40) 1/1"};
    QTest::newRow("numbers are truncated") << "mouseClick(w, Qt.RightButton, 30.9, 40.2)"
                                           << QStringList{"press (30,40) 2/2", "release (30,40) 2/2"};
    QTest::newRow("extra arguments are ignored") << "mouseClick(w, 1, 30, 40, 99)"
                                                 << QStringList{"press (30,40) 1/1", "release (30,40) 1/1"};
    // A number that names no button takes the default left one.
    QTest::newRow("button -1 is the left button") << "mouseClick(w, -1)"
                                                  << QStringList{"press (1,1) 1/1", "release (1,1) 1/1"};
    QTest::newRow("button 2^40 is the left button") << "mouseClick(w, Math.pow(2, 40), 3, 4)"
                                                    << QStringList{"press (3,4) 1/1", "release (3,4) 1/1"};
    QTest::newRow("button NaN is the left button") << "mousePress(w, NaN)" << QStringList{"press (1,1) 1/1"};
    QTest::newRow("mousePress") << "mousePress(w)" << QStringList{"press (1,1) 1/1"};
    QTest::newRow("mouseRelease with the middle button") << "mouseRelease(w, Qt.MiddleButton, 5, 6)"
                                                         << QStringList{"release (5,6) 4/4"};
    QTest::newRow("mouseDoubleClick alone") << "mouseDoubleClick(w, 1, 7, 8)" << QStringList{"double (7,8) 1/1"};
    QTest::newRow("keyPress: key A with each character") << "keyPress(w, 'ab')"
                                                         << QStringList{"key 41 'a'", "key 41 'b'"};
    QTest::newRow("enterPress") << "enterPress(w)" << QStringList{"key 1000005 ''"};
    QTest::newRow("spacePress") << "spacePress(w)" << QStringList{"key 20 ''"};
    QTest::newRow("sendEvent with a mouse type") << "sendEvent(w, QEvent.MouseButtonPress)"
                                                 << QStringList{"press (1,1) 1/1"};
    QTest::newRow("sendEvent Close") << "sendEvent(w, QEvent.Close)" << QStringList{"close"};
    QTest::newRow("sendEvent Move is ignored") << "sendEvent(w, QEvent.Move)" << QStringList();
}

void tst_ScriptAutomation::postedInput()
{
    QFETCH(QString, call);
    QFETCH(QStringList, expected);

    // Never shown, so the toolkit sends it no events of its own.
    EventRecorder recorder;
    recorder.setObjectName(QStringLiteral("recorder"));
    recorder.resize(100, 60);

    const QString output = run(QStringLiteral("var w = getWidgetByObjectName('recorder');\nprintout(") + call
                               + QStringLiteral(");"));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("null"));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(s_log, expected);
}

void tst_ScriptAutomation::mouseClickClicksButton()
{
    QPushButton button(QStringLiteral("Press"));
    button.setObjectName(QStringLiteral("press"));
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    run(QStringLiteral("mouseClick(getWidgetByObjectName('press'));"));
    QVERIFY2(!m_editor->hasError(), qPrintable(outputText(*m_editor)));
    QVERIFY(clicked.wait(HangBoundMs));
    QCOMPARE(clicked.count(), 1);
}

void tst_ScriptAutomation::keysReachLineEdit()
{
    QLineEdit edit;
    edit.setObjectName(QStringLiteral("edit"));
    edit.show();
    QSignalSpy returnPressed(&edit, &QLineEdit::returnPressed);

    run(QStringLiteral("var edit = getWidgetByObjectName('edit');\n"
                       "keyPress(edit, 'Hello, world 1');\n"
                       "enterPress(edit);"));
    QVERIFY2(!m_editor->hasError(), qPrintable(outputText(*m_editor)));
    QTRY_COMPARE_WITH_TIMEOUT(returnPressed.count(), 1, HangBoundMs);
    QCOMPARE(edit.text(), QStringLiteral("Hello, world 1"));
}

void tst_ScriptAutomation::clickMenuItemTriggersAction()
{
    QMenu menu;
    menu.setObjectName(QStringLiteral("menu"));
    QAction *open = menu.addAction(QStringLiteral("Open"));
    QAction *save = menu.addAction(QStringLiteral("Save"));
    QSignalSpy opened(open, &QAction::triggered);
    QSignalSpy saved(save, &QAction::triggered);
    menu.popup(QPoint(0, 0));

    const QString output = run(QStringLiteral("var menu = getVisiblePopup();\n"
                                              "printout(name(menu));\n"
                                              "clickMenuItem(menu, 'Save');"));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("menu"));
    QVERIFY(saved.wait(HangBoundMs));
    QCOMPARE(opened.count(), 0);
}

// The cases with and without a target main widget are Support's; here the script's call and its Editor.
void tst_ScriptAutomation::shortCutPressReachesShortcut()
{
    ShortcutWindow window(QKeySequence(QStringLiteral("Ctrl+Shift+F5")));
    QVERIFY(window.showActive());
    QMMistlark::setTargetMainWidget(&window);

    run(QStringLiteral("shortCutPress('Ctrl+Shift+F5');"));
    QVERIFY2(!m_editor->hasError(), qPrintable(outputText(*m_editor)));
    // The Editor is disabled only while the key is posted.
    QVERIFY(m_editor->isEnabled());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window.triggered(), 1);
}

// The five-argument call comes first: anything it posted or armed would reach the log before the full gesture.
void tst_ScriptAutomation::dragAndDropNeedsSixArguments()
{
    QWidget window;
    showDragWindow(window);

    const QString output = run(QStringLiteral("var s = getWidgetByObjectName('source');\n"
                                              "var t = getWidgetByObjectName('target');\n"
                                              "printout(dragAndDrop(s, 1, 2, t, 3));\n"
                                              "dragAndDrop(s, 10, 12.7, t, 30, 40);"));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("null"));
    QTRY_COMPARE_WITH_TIMEOUT(s_log,
                              (QStringList{"source press (10,12)", "source move (17,19)", "enter (30,40) payload",
                                           "move (30,40) payload", "drop (30,40) payload"}),
                              HangBoundMs);
}

// The drop is a step of the script's own, like its timers: a busy script sees it only where it waits.
void tst_ScriptAutomation::dropWaitsForTheScriptToWait()
{
    QWidget window;
    showDragWindow(window);

    // What the target had when the script printed after its busy step.
    QStringList seenAfterTheLoop;
    auto *output = m_editor->findChild<QMMistlark::OutputArea *>();
    QVERIFY(output);
    connect(output, &QTextEdit::textChanged, this, [&] {
        if (output->toPlainText().contains(QLatin1String("loop done")) && seenAfterTheLoop.isEmpty())
            seenAfterTheLoop = s_log.isEmpty() ? QStringList{QStringLiteral("nothing")} : s_log;
    });

    run(QStringLiteral("dragAndDrop(getWidgetByObjectName('source'), 10, 12, getWidgetByObjectName('target'), 30, 40);\n"
                       "var start = new Date();\n"
                       "while (new Date() - start < 300) {}\n"
                       "printout('loop done');\n"
                       "delay(100);"));
    QVERIFY2(!m_editor->hasError(), qPrintable(outputText(*m_editor)));
    QCOMPARE(seenAfterTheLoop, (QStringList{"source press (10,12)", "source move (17,19)"}));
    QCOMPARE(s_log, (QStringList{"source press (10,12)", "source move (17,19)", "enter (30,40) payload",
                                 "move (30,40) payload", "drop (30,40) payload"}));
}

void tst_ScriptAutomation::grabMakesHiddenLabel()
{
    QWidget source;
    source.setObjectName(QStringLiteral("source"));
    source.setAutoFillBackground(true);
    QPalette palette = source.palette();
    palette.setColor(QPalette::Window, Qt::red);
    source.setPalette(palette);
    source.resize(60, 30);

    const QString output =
        run(QStringLiteral("printout(grab(null));\n"
                           "var shot = grab(getWidgetByObjectName('source'));\n"
                           "printout(className(shot) + ' ' + shot.width + 'x' + shot.height + ' ' + shot.visible"
                           " + ' ' + (parent(shot) === null));"));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("null\nQLabel 60x30 false true"));

    const std::unique_ptr<QLabel> shot = takeGrabbedLabel();
    QVERIFY(shot);
    QCOMPARE(shot->pixmap(Qt::ReturnByValue).toImage().pixelColor(30, 15), QColor(Qt::red));
}

void tst_ScriptAutomation::grabAndSaveWritesPng()
{
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QLabel source(QStringLiteral("Shot"));
    source.setObjectName(QStringLiteral("source"));
    source.resize(40, 20);

    // The extension does not choose the format.
    const QString path = dir.filePath(QStringLiteral("shot.jpg"));
    const QString output =
        run(QStringLiteral("printout(grabAndSave(getWidgetByObjectName('source'), '%1'));").arg(path));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("null"));

    QString why;
    const QImage image = readPngFile(path, &why);
    QVERIFY2(!image.isNull(), qPrintable(why));
    QCOMPARE(image.size(), QSize(40, 20));
}

// With a context the frame buffer is read; without one (offscreen, or an X server without GLX) there is
// no frame buffer, and the widget is grabbed as any other instead of crashing in the read.
void tst_ScriptAutomation::grabOfGLWidget()
{
    GreenGLWidget gl;
    gl.setObjectName(QStringLiteral("gl"));
    gl.resize(32, 24);
    gl.show();
    const bool hasContext = gl.isValid() && gl.context()->contextHandle();
    if (hasContext)
        QVERIFY(QTest::qWaitForWindowExposed(&gl));

    const QString output = run(QStringLiteral("var shot = grab(getWidgetByObjectName('gl'));\n"
                                              "printout(shot.width + 'x' + shot.height);"));
    QVERIFY2(!m_editor->hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("32x24"));

    const std::unique_ptr<QLabel> shot = takeGrabbedLabel();
    QVERIFY(shot);
    QCOMPARE(shot->pixmap(Qt::ReturnByValue).size(), QSize(32, 24));
    if (hasContext)
        QCOMPARE(shot->pixmap(Qt::ReturnByValue).toImage().pixelColor(16, 12), QColor(Qt::green));
}

TARSEL_APP_TEST_MAIN(tst_ScriptAutomation)
#include "tst_ScriptAutomation.moc"
