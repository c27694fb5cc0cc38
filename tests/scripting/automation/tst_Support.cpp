#include "AutomationFixtures.h"
#include "PngFile.h"
#include "TestApp.h"

#include "EditorRun.h"
#include "scripting/automation/KeyNameTable.h"
#include "scripting/automation/TargetMainWidget.h"
#include "scripting/editor/Editor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScriptEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using QMMistlark::Support;
using namespace SupportTest;

class tst_Support : public QObject
{
    Q_OBJECT

private slots:
    // The Editor fills the key name table in a running program.
    void initTestCase() { QMMistlark::initKeyNameTable(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void waitsLetPostedEventsRun_data();
    void waitsLetPostedEventsRun();
    void grabAndSaveWritesPng();
    void quitAsksEveryWindowFirst_data();
    void quitAsksEveryWindowFirst();
    void nonWidgetsAreIgnored_data();
    void nonWidgetsAreIgnored();
    void scriptCallsWithNonWidgets_data();
    void scriptCallsWithNonWidgets();

private:
    QMMistlark::Support m_support;
};

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

    QString why;
    const QImage image = readPngFile(path, &why);
    QVERIFY2(!image.isNull(), qPrintable(why));
    QCOMPARE(image.size(), QSize(40, 30));
    QCOMPARE(image.pixelColor(20, 15), QColor(Qt::red));
}

namespace {

// A window with unsaved text: asked to close, it keeps its text when the user says so.
class ChangedWindow : public QWidget
{
public:
    explicit ChangedWindow(bool keep)
        : m_keep(keep)
    {
    }

    int asked = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++asked;
        if (m_keep)
            event->ignore();
    }

private:
    bool m_keep;
};

} // namespace

void tst_Support::quitAsksEveryWindowFirst_data()
{
    QTest::addColumn<bool>("keep");
    QTest::newRow("every window closes") << false;
    QTest::newRow("a window keeps its text") << true;
}

// quitApplication() quits as the application menu does: every window is asked to close first, and the program
// goes on when one keeps its text. The script that asked to quit then ends, as Stop would end it.
void tst_Support::quitAsksEveryWindowFirst()
{
    QFETCH(bool, keep);
    const bool quitsOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    ChangedWindow changed(keep);
    changed.show();
    QMMistlark::Editor editor;
    editor.show();
    const QString output = runScript(editor, QStringLiteral("quitApplication();\nprintout('after quit');"));
    QApplication::setQuitOnLastWindowClosed(quitsOnLastWindow);
    QCOMPARE(changed.asked, 1);
    QCOMPARE(changed.isVisible(), keep);
    QCOMPARE(editor.hasError(), keep);
    QCOMPARE(output.contains(QLatin1String("after quit")), !keep);
    QCOMPARE(output.contains(QLatin1String("stopped by user")), keep);
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
