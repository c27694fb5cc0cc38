#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/windows/MainWindow.h"
#include "scripting/automation/ObjectWrapping.h"
#include "scripting/engine/ScriptBounds.h"

#include "ChildRun.h"
#include "EditorRun.h"
#include "HangBound.h"
#include "HostileResource.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include <QAction>
#include <QDialog>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QScriptEngine>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using QMMistlark::Editor;
using QMMistlark::MainWindow;

namespace {

enum class WindowKind { Top, New, Standalone, Batch };

// A script window of one kind, with the commands the test presses in it.
class ScriptWindow
{
public:
    explicit ScriptWindow(WindowKind kind)
        : m_kind(kind)
    {
        if (kind == WindowKind::Top || kind == WindowKind::New) {
            m_first = std::make_unique<JavaScriptEvaluator>(nullptr);
            m_first->show();
            m_top = kind == WindowKind::Top ? m_first.get() : m_first->slotCreateNewWindow();
            m_window = m_top;
            m_scopeLookup = QStringLiteral("parentByClassName(output, 'JavaScriptEvaluator')");
        } else {
            m_standalone = new MainWindow;
            m_window = m_standalone;
            m_standalone->show();
            m_scopeLookup = QStringLiteral("parentByClassName(output, 'QMMistlark::MainWindow')");
            if (kind == WindowKind::Batch) {
                auto *dock = m_standalone->findChild<QDockWidget *>();
                dock->setFloating(true);
                dock->show();
                m_scopeLookup = QStringLiteral("getSubWidgetByClassName(%1, 'QDockWidget')").arg(m_scopeLookup);
            }
        }
    }

    ~ScriptWindow()
    {
        delete m_window.data();
        if (m_kind == WindowKind::New)
            m_first.reset();
        else
            m_first.release();
    }

    // The widget whose descendants the script may reach, and the script's way to it.
    QWidget *scope() const
    {
        if (m_kind == WindowKind::Batch)
            return m_standalone->findChild<QDockWidget *>();
        return m_window;
    }
    QString scopeLookup() const { return m_scopeLookup; }
    QWidget *window() const { return m_window; }
    Editor *editor() const { return m_window ? m_window->findChild<Editor *>() : nullptr; }

    void setText(const QString &text)
    {
        if (m_top)
            m_top->setText(text);
        else
            editor()->setText(text);
    }

    void press(const QString &command)
    {
        if (m_top) {
            for (MUITabBarItem *item : m_top->findChildren<MUITabBarItem *>()) {
                if (item->text() == command) {
                    QTest::mouseClick(item, Qt::LeftButton);
                    return;
                }
            }
            QFAIL(qPrintable(QStringLiteral("no tool-bar item ") + command));
        }
        for (QAction *menu : m_standalone->menuBar()->actions()) {
            for (QAction *entry : menu->menu()->actions()) {
                if (QString(entry->text()).remove(QLatin1Char('&')).remove(QStringLiteral("...")) == command) {
                    entry->trigger();
                    return;
                }
            }
        }
        QFAIL(qPrintable(QStringLiteral("no menu entry ") + command));
    }

private:
    WindowKind m_kind;
    std::unique_ptr<JavaScriptEvaluator> m_first;
    QPointer<JavaScriptEvaluator> m_top;
    QPointer<MainWindow> m_standalone;
    QPointer<QWidget> m_window;
    QString m_scopeLookup;
};

// The widgets a script reaches below the scope, as findChildren() lists them: their places in that list.
QList<int> widgetPlaces(QWidget *scope)
{
    QList<int> places;
    const QList<QObject *> all = scope->findChildren<QObject *>();
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i)->isWidgetType())
            places << i;
    }
    return places;
}

void closeNewWindows(const QWidgetList &before)
{
    QList<QPointer<JavaScriptEvaluator>> opened;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!before.contains(window))
            opened << qobject_cast<JavaScriptEvaluator *>(window);
    }
    for (const QPointer<JavaScriptEvaluator> &window : qAsConst(opened))
        delete window.data();
}

QString printed(Editor *editor)
{
    QTextDocument output;
    output.setHtml(editor->outputHtml());
    return output.toPlainText().trimmed();
}

// Answers every dialog that opens while it lives: Cancel, or Yes to the question when a window closes.
class DialogAnswerer : public QObject
{
public:
    DialogAnswerer()
    {
        connect(&m_tick, &QTimer::timeout, this, [this] {
            QWidget *dialog = QApplication::activeModalWidget();
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (!dialog && window->isVisible() && window->property("openedWhileScriptLive").toBool())
                    dialog = window;
            }
            auto *box = qobject_cast<QMessageBox *>(dialog);
            if (m_closing && box && box->button(QMessageBox::Yes))
                box->button(QMessageBox::Yes)->click();
            else if (auto *asking = qobject_cast<QDialog *>(dialog))
                asking->reject();
        });
        m_tick.start(10);
    }

    void setClosing(bool closing) { m_closing = closing; }

private:
    QTimer m_tick;
    bool m_closing = false;
};

// The labels that grab() made and nothing has deleted.
int grabLabels()
{
    int count = 0;
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && !label->parent() && !label->pixmap(Qt::ReturnByValue).isNull())
            ++count;
    }
    return count;
}


// Walks every object a script reaches from the global object and the top window: own properties, names a for-in
// loop lists, the whole prototype chain and __proto__, the "this" and sender of a signal's handler, and on each
// object of the program findChild(), findChildren() and each child by its name. Leaves the objects of the program
// in "objects". Listed as the script finds them, so an object or a member added later is walked too.
const char s_walk[] = R"(
var seen = [], queue = [];
function isObject(v) { return v !== null && (typeof v == 'object' || typeof v == 'function'); }
function isQObject(v) {
    try { return typeof v == 'object' && typeof v.findChildren == 'function' && /\(name = /.test(String(v)); }
    catch (e) { return false; }
}
function visit(v) { if (isObject(v) && seen.indexOf(v) < 0) { seen.push(v); queue.push(v); } }
function namesOf(v) {
    var all = [];
    // An object that went meanwhile, or the engine's own QObject prototype, has no names: listing them throws
    // past any catch.
    try { if (isQObject(v)) v.objectName; if (/this = 0x0/.test(String(v))) return all; } catch (e) { return all; }
    try { all = Object.getOwnPropertyNames(v); } catch (e) {}
    try { for (var k in v) all.push(k); } catch (e) {}
    return all;
}
var sent = [];
function handler() { sent.push(this); try { sent.push(__qt_sender__); } catch (e) {} }
output.textChanged.connect(handler);
printout('walking');
output.textChanged.disconnect(handler);
visit(this);
visit(parentByClassName(output, 'JavaScriptEvaluator'));
for (var i = 0; i < sent.length; i++) visit(sent[i]);
while (queue.length) {
    var v = queue.shift(), names = namesOf(v);
    for (var i = 0; i < names.length; i++) { try { visit(v[names[i]]); } catch (e) {} }
    try { visit(Object.getPrototypeOf(v)); } catch (e) {}
    try { visit(v.__proto__); } catch (e) {}
    if (!isQObject(v)) continue;
    try { visit(v.findChild('')); } catch (e) {}
    try {
        var kids = v.findChildren();
        for (var i = 0; i < kids.length; i++) {
            visit(kids[i]);
            try { if (kids[i].objectName) visit(v[kids[i].objectName]); } catch (e) {}
        }
    } catch (e) {}
}
var objects = seen.filter(isQObject);
printout('walked ' + objects.length);
)";

// Tries on every object of the program what a script must not do to it, through one route: delete it, announce it
// as destroyed, make it too wide, give it a style sheet of a megabyte, and rich text that shows a named pipe (in "pipeText"). "route"
// is called with the object, the member to call or write, and the arguments or the value.
const char s_attempts[] = R"(
var sheet = 'QWidget { color: red; }\n';
while (sheet.length < 1024 * 1024) sheet += sheet;
function prototypesOf(q) {
    var all = [];
    try { for (var p = Object.getPrototypeOf(q); p; p = Object.getPrototypeOf(p)) all.push(p); } catch (e) {}
    try { if (q.__proto__ && all.indexOf(q.__proto__) < 0) all.push(q.__proto__); } catch (e) {}
    return all;
}
function callOn(target, method, args) {
    try { var f = target[method]; if (typeof f == 'function') f.apply(target, args); } catch (e) {}
}
function writeTo(target, name, value) { try { target[name] = value; } catch (e) {} }
var attempts = [
    {call: 'deleteLater', signature: 'deleteLater()', args: []},
    {call: 'destroyed', signature: 'destroyed()', args: []},
    {write: 'minimumWidth', value: 1e9},
    {write: 'minimumHeight', value: 30000},
    {write: 'styleSheet', value: sheet, call: 'setStyleSheet', signature: 'setStyleSheet(QString)', args: [sheet]},
    {write: 'text', value: pipeText, call: 'setText', signature: 'setText(QString)', args: [pipeText]},
    {write: 'toolTip', value: pipeText}
];
for (var i = 0; i < objects.length; i++) {
    for (var j = 0; j < attempts.length; j++)
        route(objects[i], attempts[j]);
}
delay(10);
printout('done');
)";

// The routes, each the body of route(q, a).
const char s_directly[] = R"(
if (a.write) writeTo(q, a.write, a.value);
if (a.call) callOn(q, a.call, a.args);
)";
const char s_throughPrototypes[] = R"(
var all = prototypesOf(q);
for (var k = 0; k < all.length; k++) {
    if (a.write) writeTo(all[k], a.write, a.value);
    if (a.call) callOn(all[k], a.call, a.args);
    if (a.signature) callOn(all[k], a.signature, a.args);
}
)";
const char s_ownMethodCalled[] = R"(
try { if (a.call) Function.prototype.call.apply(q[a.call], [q].concat(a.args)); } catch (e) {}
var all = prototypesOf(q);
for (var k = 0; k < all.length; k++) {
    try { if (a.call) q[a.call].apply(all[k], a.args); } catch (e) {}
}
try {
    var described = a.write ? Object.getOwnPropertyDescriptor(q, a.write) : null;
    if (described && described.set) described.set.call(q, a.value);
} catch (e) {}
)";
const char s_borrowed[] = R"(
var made = [newObject('QWidget'), newObject('QLabel')];
for (var m = 0; m < made.length; m++) {
    var targets = [q].concat(prototypesOf(q));
    for (var k = 0; k < targets.length; k++) {
        try { if (a.call) made[m][a.call].apply(targets[k], a.args); } catch (e) {}
        try { if (a.signature) made[m][a.signature].apply(targets[k], a.args); } catch (e) {}
        try {
            var described = a.write ? Object.getOwnPropertyDescriptor(made[m], a.write) : null;
            if (described && described.set) described.set.call(targets[k], a.value);
        } catch (e) {}
    }
    try { made[m].deleteLater(); } catch (e) {}
}
)";
const char s_signature[] = R"(
if (a.signature) {
    callOn(q, a.signature, a.args);
    callOn(q, ' ' + a.signature.replace('(', ' ( ').replace(')', ' ) '), a.args);
}
)";

// The text of widgets and actions below the window that names the file.
QStringList namingTheFile(QWidget *window, const QString &path)
{
    QStringList found;
    const QList<QObject *> all = window->findChildren<QObject *>();
    for (QObject *object : all) {
        const QString text = object->property("text").toString() + object->property("toolTip").toString();
        if (text.contains(path))
            found << QString::fromLatin1(object->metaObject()->className());
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(WindowKind)

class tst_ObjectWrapping : public QObject
{
    Q_OBJECT

private slots:
    void scriptCannotFreeAWidgetOfTheProgram_data();
    void scriptCannotFreeAWidgetOfTheProgram();
    void objectsTheScriptMadeItMayDelete();
    void droppedGrabsAreFreed();
    void oversizedWritesAreRefused_data();
    void oversizedWritesAreRefused();
    void standInsActAsTheObject();
    void scriptRoutesLoadNothingHostile_data();
    void scriptRoutesLoadNothingHostile();
    void noRouteReachesAnUnguardedObject_data();
    void noRouteReachesAnUnguardedObject();
    void scriptTextShownIsCut_data();
    void scriptTextShownIsCut();
    void windowGrownPastTheBoundIsBroughtBack();
};

void tst_ObjectWrapping::scriptCannotFreeAWidgetOfTheProgram_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("top window") << WindowKind::Top;
    QTest::newRow("window made by New") << WindowKind::New;
    QTest::newRow("standalone window") << WindowKind::Standalone;
    QTest::newRow("batch window") << WindowKind::Batch;
}

// The program and Qt hold their widgets by plain pointers (the tool bar's items, the status bar's size grip):
// a script that deletes any of them must not leave the window using freed memory. The widgets are listed as the
// window has them now, so one added later is covered. A crash or a sanitizer report fails the row in its child.
void tst_ObjectWrapping::scriptCannotFreeAWidgetOfTheProgram()
{
    QFETCH(WindowKind, kind);
    RUN_ROW_IN_CHILD(600000);
    QList<int> places;
    QStringList classes;
    {
        ScriptWindow probe(kind);
        places = widgetPlaces(probe.scope());
        const QList<QObject *> all = probe.scope()->findChildren<QObject *>();
        for (int place : qAsConst(places))
            classes << QString::fromLatin1(all.at(place)->metaObject()->className());
    }
    QVERIFY(places.size() > 10);
    for (int i = 0; i < places.size(); ++i) {
        const QString widget = QStringLiteral("%1 (child %2)").arg(classes.at(i)).arg(places.at(i));
        // Written before each step, so that a crash names the widget it came with.
        fprintf(stderr, "deleting %s\n", qPrintable(widget));
        ScriptWindow window(kind);
        const int widgetsBefore = window.scope()->findChildren<QWidget *>().size();
        window.setText(QStringLiteral("var found = %1.findChildren()[%2];\nfound.deleteLater();\ndelay(10);")
                           .arg(window.scopeLookup())
                           .arg(places.at(i)));
        window.press(QStringLiteral("Run"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QString report = printed(window.editor());
        // The window goes on using what it holds: a freed widget shows here, under the sanitizer.
        window.press(QStringLiteral("Run"));
        window.press(QStringLiteral("Stop"));
        DialogAnswerer answerer;
        const QWidgetList before = QApplication::topLevelWidgets();
        window.press(QStringLiteral("New"));
        closeNewWindows(before);
        window.press(QStringLiteral("Open"));
        QVERIFY2(window.window(), qPrintable(widget));
        QCOMPARE(window.scope()->findChildren<QWidget *>().size(), widgetsBefore);
        QVERIFY2(report.contains(QLatin1String("A script may not delete")), qPrintable(widget + QLatin1Char(' ') + report));
        answerer.setClosing(true);
        window.window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void tst_ObjectWrapping::objectsTheScriptMadeItMayDelete()
{
    Editor editor;
    QCOMPARE(runScript(editor, QStringLiteral("var made = [newObject('QWidget'), newObject('QLabel'), createTimer(),\n"
                                              "            singleShotTimer(100000), grab(output)];\n"
                                              "for (var i = 0; i < made.length; i++) made[i].deleteLater();\n"
                                              "printout(made.length);")),
             QStringLiteral("5"));
    QVERIFY(!editor.hasError());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(runScript(editor, QStringLiteral("var alive = 0;\n"
                                              "for (var i = 0; i < made.length; i++) {\n"
                                              "    try { made[i].objectName; alive++; } catch (e) {}\n"
                                              "}\n"
                                              "printout(alive);")),
             QStringLiteral("0"));
}

// Each grab is a label holding a picture; the engine frees the ones the script drops. The ones it keeps, or gave
// a parent, stay.
void tst_ObjectWrapping::droppedGrabsAreFreed()
{
    Editor editor;
    editor.resize(300, 200);
    const int before = grabLabels();
    QCOMPARE(runScript(editor, QStringLiteral("var kept = grab(output);\n"
                                              "for (var i = 0; i < 1000; i++) grab(output);\n"
                                              "gc();\n"
                                              "printout(kept.width > 0);")),
             QStringLiteral("true"));
    QVERIFY(!editor.hasError());
    // The collector scans the stack conservatively: a few dropped labels may outlive one collection.
    const int kept = grabLabels() - before;
    QVERIFY2(kept >= 1 && kept <= 10, qPrintable(QString::number(kept)));
}

void tst_ObjectWrapping::oversizedWritesAreRefused_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("write");
    const QString window = QStringLiteral("parentByClassName(output, 'JavaScriptEvaluator')");
    const QString document = QStringLiteral("getSubWidgetByClassName(%1, 'QMMistlark::DocWindow')").arg(window);
    const QString sheet = QStringLiteral("var sheet = ''; while (sheet.length < %1) sheet += 'QWidget { color: red; }\\n';\n")
                              .arg(QMMistlark::StyleSheetTextBound + 1);
    QTest::newRow("window's minimum width") << window << "w.minimumWidth = 1e9;";
    QTest::newRow("window's minimum height") << window << "w.minimumHeight = 1e9;";
    QTest::newRow("document's minimum height") << document << "w.minimumHeight = 1e9;";
    QTest::newRow("size copied from the maximum size") << window << "w.size = w.maximumSize;";
    QTest::newRow("minimum size copied from the maximum size") << document << "w.minimumSize = w.maximumSize;";
    QTest::newRow("window's style sheet") << window << sheet + "w.styleSheet = sheet;";
    QTest::newRow("style sheet through the slot") << document << sheet + "w.setStyleSheet(sheet);";
    QTest::newRow("style sheet through the slot's signature") << document << sheet + "w['setStyleSheet(QString)'](sheet);";
    // Each within the bound, but the window's layout adds them up, or the style sheet or the text sizes them.
    QTest::newRow("minimum widths that add up")
        << window << "var all = w.findChildren(); for (var i = 0; i < all.length; i++)"
                     " if (className(all[i]) == 'MUITabBarItem') all[i].minimumWidth = 3000;";
    QTest::newRow("minimum width in a style sheet") << window << "w.styleSheet = 'QWidget { min-width: 30000px; }';";
    QTest::newRow("a label's text as long as a road")
        << window << "var t = 'x'; while (t.length < 100000) t += t; getSubWidgetByObjectName(w, 'PushButton').text = t;";
}

// A write that would make the window millions of pixels wide, or restyle it for minutes, is a script error; the
// window stays as it was and goes on working.
void tst_ObjectWrapping::oversizedWritesAreRefused()
{
    QFETCH(QString, target);
    QFETCH(QString, write);
    RUN_ROW_IN_CHILD(120000);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize size = window.size();
    Editor *editor = window.findChild<Editor *>();
    window.setText(QStringLiteral("var w = %1;\n%2\nprintout('written');").arg(target, write));
    editor->run();
    QVERIFY(editor->hasError());
    const QString shown = printed(editor);
    QVERIFY2(shown.contains(QLatin1String("RangeError")) && !shown.contains(QLatin1String("written")),
             qPrintable(shown));
    QCOMPARE(window.size(), size);
    QVERIFY(window.styleSheet().isEmpty());
    QVERIFY(editor->document()->minimumHeight() < QMMistlark::widgetExtentBound());
    QTest::qWait(1);
    window.grab();
}

// What scripts did with the objects before still works through the stand-ins.
void tst_ObjectWrapping::standInsActAsTheObject()
{
    Editor editor;
    editor.setObjectName(QStringLiteral("editor"));
    const QString result = runScript(editor, QStringLiteral(
        "var e = parent(parent(output));\n"
        "var pane = e.findChild('');\n"
        "var list = [];\n"
        "list.push(e.objectName, className(e), String(e).indexOf('Editor(') >= 0);\n"
        "list.push(e.findChildren(/^$/).length > 3, e.findChildren('nothing').length == 0);\n"
        "list.push(output == parent(getSubWidgetByClassName(output, 'QWidget')));\n"
        "output.minimumWidth = 50; list.push(output.minimumWidth);\n"
        "output.setStyleSheet('QTextEdit { color: #000000; }'); list.push(output.styleSheet.length > 0);\n"
        "output.custom = 7; list.push(output.custom);\n"
        "var clicked = 0; var b = newObject('QLabel'); b.objectName = 'made';\n"
        "b.windowTitleChanged.connect(function(t) { clicked = t; }); b.windowTitle = 'hi'; list.push(clicked);\n"
        "list.push(Support.numOfParents(output) > 0, Support.getSubWidgetByObjectName(e, 'nothing') == null);\n"
        "b.deleteLater();\n"
        "printout(list.join(','));"));
    QVERIFY2(!editor.hasError(), qPrintable(result));
    QCOMPARE(result, QStringLiteral("editor,QMMistlark::Editor,true,true,true,true,50,true,7,hi,true,true"));
}

void tst_ObjectWrapping::scriptRoutesLoadNothingHostile_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("resource");
    // %1 is the rich text or the style sheet that names the file.
    const QList<QPair<QString, QString>> routes = {
        {QStringLiteral("printout"), QStringLiteral("printout(%1);")},
        {QStringLiteral("output.append"), QStringLiteral("output.append(%1);")},
        {QStringLiteral("a label's text"), QStringLiteral("newObject('QLabel').text = %1;")},
        {QStringLiteral("information"), QStringLiteral("information(%1);")},
        {QStringLiteral("a widget's style sheet"), QStringLiteral("output.styleSheet = %1;")},
        {QStringLiteral("setStyleSheet"), QStringLiteral("parent(output).setStyleSheet(%1);")},
    };
    for (const auto &route : routes) {
        for (const auto &resource : hostileResources())
            QTest::newRow(qPrintable(route.first + QStringLiteral(", ") + resource.first)) << route.second
                                                                                       << resource.second;
    }
}

// Rich text and style sheets that a script supplies name files only through the bounded reader: a named pipe, an
// endless file and pictures over the bounds are refused with a script error, in well under a second, and the
// script goes on after it.
void tst_ObjectWrapping::scriptRoutesLoadNothingHostile()
{
    QFETCH(QString, route);
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    const QString named = route.contains(QLatin1String("tyle")) ? styleSheetDrawing(hostile.path)
                                                                 : richTextShowing(hostile.path);
    Editor editor;
    editor.show();
    QObject context;
    bool drawn = false;
    drawAndCloseNextModal(&context, &drawn);
    const QString quoted = QStringLiteral("'%1'").arg(QString(named).replace(QLatin1Char('\''), QStringLiteral("\\'")));
    const RouteCost cost;
    const QString printed = runScript(editor, QStringLiteral("try {\n%1\n} catch (e) { printout(e.name); }\n"
                                                             "printout('goes on');")
                                                  .arg(route.arg(quoted)));
    editor.grab();
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
    QVERIFY2(!drawn, "the dialog was shown");
    QCOMPARE(printed.trimmed(), QStringLiteral("RangeError\ngoes on"));
}

void tst_ObjectWrapping::noRouteReachesAnUnguardedObject_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("resource");
    QTest::newRow("directly") << s_directly << "pipe";
    QTest::newRow("through each prototype") << s_throughPrototypes << "pipe";
    QTest::newRow("its own method called on it") << s_ownMethodCalled << "pipe";
    QTest::newRow("methods of objects the script made") << s_borrowed << "pipe";
    QTest::newRow("signature forms") << s_signature << "pipe";
}

// Whatever a script reaches and however it goes about it, an object of the program is not deleted, its window
// keeps its size, and nothing blocks on a file or restyles for seconds: each attempt is refused or harmless. A crash
// or a hang fails the row in its child.
void tst_ObjectWrapping::noRouteReachesAnUnguardedObject()
{
    QFETCH(QString, route);
    RUN_ROW_IN_CHILD(300000);
    const HostileResource pipe = makeHostileResource(TestApp::homePath());
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize size = window.size();
    const int widgets = window.findChildren<QWidget *>().size();
    Editor *editor = window.findChild<Editor *>();
    const QString pipeText = QStringLiteral("'%1'").arg(richTextShowing(pipe.path).replace(QLatin1Char('\''), QStringLiteral("\\'")));
    window.setText(QStringLiteral("var pipeText = %1;\n%2\nfunction route(q, a) {\n%3\n}\n%4")
                       .arg(pipeText, QLatin1String(s_walk), route, QLatin1String(s_attempts)));
    editor->run();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString shown = printed(editor);
    QVERIFY2(shown.endsWith(QLatin1String("done")), qPrintable(shown.right(2000)));
    const QRegularExpressionMatch walked = QRegularExpression(QStringLiteral("walked (\\d+)")).match(shown);
    QVERIFY2(walked.hasMatch() && walked.captured(1).toInt() > 100, qPrintable(shown.left(2000)));
    QCOMPARE(window.findChildren<QWidget *>().size(), widgets);
    QCOMPARE(window.size(), size);
    QCOMPARE(namingTheFile(&window, pipe.path), QStringList());
    for (const QWidget *widget : window.findChildren<QWidget *>())
        QVERIFY2(widget->styleSheet().size() <= QMMistlark::StyleSheetTextBound, widget->metaObject()->className());
    window.grab();
}

void tst_ObjectWrapping::scriptTextShownIsCut_data()
{
    QTest::addColumn<QString>("show");
    const QString editor = QStringLiteral("getSubWidgetByClassName(me, 'QMMistlark::Editor')");
    const QString scriptWindow = QStringLiteral("getSubWidgetByClassName(me, 'JSMainWindow')");
    QTest::newRow("the Editor's displayError") << editor + ".displayError(s);";
    QTest::newRow("the Editor's displayWarning") << editor + ".displayWarning(s);";
    QTest::newRow("the script window's displayError") << scriptWindow + "['displayError(QString)'](s);";
    QTest::newRow("the Editor's title signal") << editor + ".changeWindowTitle(s);";
    QTest::newRow("the script window's title slot") << scriptWindow + ".slotChangeWindowTitle(s);";
    QTest::newRow("the window's title slot") << "me.slotChangeWindowTitle(s);";
    QTest::newRow("setWindowTitle") << "me.setWindowTitle(s);";
    QTest::newRow("windowTitle") << "me.windowTitle = s;";
    QTest::newRow("a status message") << "getSubWidgetByClassName(me, 'QStatusBar').showMessage(s, 0);";
}

// A megabyte of text that a script hands to the program's own slots that show it, in the output pane, a title or
// the status bar, is cut as printed text is: laid out whole, 50 MB held the window for minutes.
void tst_ObjectWrapping::scriptTextShownIsCut()
{
    QFETCH(QString, show);
    RUN_ROW_IN_CHILD(HangBoundMs);
    JavaScriptEvaluator window(nullptr);
    window.show();
    Editor *editor = window.findChild<Editor *>();
    window.setText(QStringLiteral("var me = parentByClassName(output, 'JavaScriptEvaluator');\n"
                                  "var s = 'x'; while (s.length < 1024 * 1024) s += s;\n%1")
                       .arg(show));
    editor->run();
    const int bound = QMMistlark::ShownTextBound + 100;
    const QString shown = printed(editor);
    QVERIFY2(shown.size() < bound, qPrintable(shown.right(300)));
    for (const QWidget *widget : window.findChildren<QWidget *>())
        QVERIFY2(widget->windowTitle().size() < bound, widget->metaObject()->className());
    QVERIFY(window.windowTitle().size() < bound);
    for (const QStatusBar *bar : window.findChildren<QStatusBar *>())
        QVERIFY(bar->currentMessage().size() < bound);
    // The program's own call is cut too.
    editor->displayError(QString(1024 * 1024, QLatin1Char('y')));
    QVERIFY(printed(editor).size() < shown.size() + bound);
}

// Whoever makes a window larger than can be painted, a script or the program, the window is brought back within
// the bound once a script engine exists.
void tst_ObjectWrapping::windowGrownPastTheBoundIsBroughtBack()
{
    Editor editor;
    QWidget window;
    window.resize(200, 100);
    window.show();
    const int bound = QMMistlark::widgetExtentBound();
    window.setMinimumWidth(bound * 10);
    QVERIFY2(window.width() <= bound && window.minimumWidth() <= bound, qPrintable(QString::number(window.width())));
    window.resize(100, bound * 10);
    QVERIFY2(window.height() <= bound, qPrintable(QString::number(window.height())));
    window.grab();
}

TARSEL_APP_TEST_MAIN(tst_ObjectWrapping)
#include "tst_ObjectWrapping.moc"
