#include "ChildRun.h"
#include "EditorRun.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "app/JSMainWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/automation/EditorFilter.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QAction>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFrame>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScriptEngine>
#include <QSpinBox>

using QMMistlark::Editor;

namespace {

// The published objects, then the global functions, in the order in which they are published.
const char *const s_publishedNames[] = {
    "output", "Qt", "QEvent", "Support", "Test",
    "getWidgetByObjectName", "getWidgetByWindowTitle", "getWidgetByClassName", "getSubWidgetByClassName",
    "getVisibleSubWidgetByClassName", "getSubWidgetByToolTip", "getWidgetByToolTip", "getVisibleWidgetByToolTip",
    "currentDateTimeString", "currentAppVersion", "currentAppBuild", "getVisibleWidgetByClassName", "getWidgetByID",
    "getSubWidgetByObjectName", "getParentWidgetByClassName", "grab", "grabAndSave", "dragAndDrop",
    "quitApplication", "getSubWidgetByInheritClassName", "sendEvent", "clickMenuItem", "mouseClick",
    "mouseDoubleClick", "mousePress", "mouseRelease", "keyPress", "shortCutPress", "enterPress", "spacePress",
    "information", "alert", "message", "generateIDs", "restoreOriginalToolTips", "saveOutputToProtocol",
    "createTimer", "newObject", "singleShotTimer", "parent", "parentByClassName", "className", "textDialog",
    "intDialog", "getVisibleDialog", "waitForDialogTermination", "abort", "getVisiblePopup", "printToScriptLog",
    "printChildren", "dumpHierarchy", "getFileNames", "waitForPopupTermination", "include", "printout",
    "generateIDsForWidget", "delay",
};

const char s_listGlobalNames[] =
    "(function (g) { var n = []; for (var k in g) n.push(k); return n.join(','); })(this)";

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<cannot read ") + path + QStringLiteral(": ") + file.errorString() + QLatin1Char('>');
    return QString::fromLocal8Bit(file.readAll());
}

// Every text the format gives for a second from first to last, so that a run that crosses a second still matches.
QStringList timeTexts(const QDateTime &first, const QDateTime &last, const QString &format)
{
    QStringList texts;
    for (QDateTime time = first; time <= last.addSecs(1); time = time.addSecs(1))
        texts << time.toString(format);
    return texts;
}

enum class Answer { Accept, Cancel, None };

enum class ShownIn { Output, Log, Dialog, Report };

// Builds a text of 8 MiB characters by doubling: a large argument made at once, as a careless script makes one.
const char s_bigText[] = "var big = 'x';\nwhile (big.length < 8 * 1024 * 1024) big += big;\n";
const int s_bigTextLength = 8 * 1024 * 1024;
// A large argument could hold the child for minutes with the old code: its row fails instead.
const int s_childTimeout = 30000;

// Stands in for the user who presses Stop once the window has typed so many characters; records what was typed.
class StopAfterKeys : public QObject
{
public:
    StopAfterKeys(Editor *editor, int keys)
        : m_editor(editor)
        , m_keysLeft(keys)
    {
    }

    QString typed;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            typed += static_cast<QKeyEvent *>(event)->text();
            if (--m_keysLeft == 0)
                m_editor->stopEvaluation();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Editor *m_editor;
    int m_keysLeft;
};

} // namespace

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(ShownIn)

class tst_GlobalFunctions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // First: the original tool tips are recorded when the first Editor of the process is built.
    void generatedIdsFindWidgetsAndToolTipsComeBack();

    void freshEditorPublishesObjectsAndFunctions();
    void results_data();
    void results();
    void newObject_data();
    void newObject();
    void getFileNames_data();
    void getFileNames();
    void protocolFilesBesideSavedScript();
    void protocolFilesOfUnsavedDocument();
    void dialogs_data();
    void dialogs();
    void abortEndsTheRun();
    void timersFromScripts();
    void printChildrenListsDescendants();
    void generateIDsForWidgetLabelsSubtree();
    void throwingTextIsNotUsed_data();
    void throwingTextIsNotUsed();
    void badArgumentsDoNoHarm_data();
    void badArgumentsDoNoHarm();
    void longTextsAreShownCutWithANote_data();
    void longTextsAreShownCutWithANote();
    void largeArgumentsAreRefused_data();
    void largeArgumentsAreRefused();
    void typingALongTextEndsAtStop_data();
    void typingALongTextEndsAtStop();
};

void tst_GlobalFunctions::initTestCase()
{
    // main() sets it in the program.
    QCoreApplication::setApplicationVersion(QStringLiteral("1.8.2"));
}

void tst_GlobalFunctions::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a test left a window behind for the next lookups");
}

void tst_GlobalFunctions::generatedIdsFindWidgetsAndToolTipsComeBack()
{
    QWidget window;
    window.setObjectName(QStringLiteral("main"));
    auto *name = new QLineEdit(&window);
    name->setObjectName(QStringLiteral("name"));
    name->setToolTip(QStringLiteral("Your name"));
    auto *ok = new QPushButton(QStringLiteral("OK"), &window);

    JSMainWindow scriptWindow;
    scriptWindow.setText(QStringLiteral("generateIDs();\n"
                                        "printout(getWidgetByID('T#Your name').objectName);\n"
                                        "printout(className(getWidgetByID('L#OK')));"));
    scriptWindow.run();
    QCOMPARE(outputText(scriptWindow), QStringLiteral("name\nQPushButton"));
    QCOMPARE(name->toolTip(), QStringLiteral("T#Your name"));
    QCOMPARE(ok->toolTip(), QStringLiteral("L#OK"));

    // The window's slots, as a host reaches them by name.
    QVERIFY(QMetaObject::invokeMethod(&scriptWindow, "restoreOriginalToolTips"));
    QCOMPARE(name->toolTip(), QStringLiteral("Your name"));
    QCOMPARE(ok->toolTip(), QString());
    QVERIFY(QMetaObject::invokeMethod(&scriptWindow, "generateIDs"));
    QCOMPARE(name->toolTip(), QStringLiteral("T#Your name"));

    scriptWindow.setText(QStringLiteral("restoreOriginalToolTips();\n"
                                        "printout(getWidgetByID('T#Your name'));"));
    scriptWindow.run();
    QCOMPARE(outputText(scriptWindow), QStringLiteral("null"));
    QCOMPARE(name->toolTip(), QStringLiteral("Your name"));
}

void tst_GlobalFunctions::freshEditorPublishesObjectsAndFunctions()
{
    QScriptEngine bare;
    const QStringList builtIns =
        bare.evaluate(QLatin1String(s_listGlobalNames)).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
    QStringList expected;
    for (const char *name : s_publishedNames)
        expected << QLatin1String(name);

    Editor editor;
    QStringList published =
        runScript(editor, QStringLiteral("printout(") + QLatin1String(s_listGlobalNames) + QStringLiteral(");"))
            .split(QLatin1Char(','));
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));
    for (const QString &name : qAsConst(builtIns))
        QVERIFY2(published.removeOne(name), qPrintable(name));
    QCOMPARE(published, expected);

    // Every function has the length 0; the objects are the Editor's own.
    const QString check = QStringLiteral(
        "var names = ['%1'];\n"
        "var wrong = [];\n"
        "for (var i = 0; i < names.length; ++i)\n"
        "    if (typeof this[names[i]] != 'function' || this[names[i]].length !== 0) wrong.push(names[i]);\n"
        "printout(wrong.length + ' ' + wrong.join(','));\n"
        "printout([className(output), className(Qt), className(QEvent), className(Support), className(Test)]);")
        .arg(expected.mid(5).join(QStringLiteral("', '")));
    QCOMPARE(runScript(editor, check),
             QStringLiteral("0 \nQMMistlark::OutputArea,QMMistlark::QtDefs,QMMistlark::QEventDefs,"
                            "QMMistlark::Support,QMMistlark::TestObj"));
}

void tst_GlobalFunctions::results_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");

    QTest::newRow("version equals its text") << "currentAppVersion() == '1.8.2'" << "true";
    QTest::newRow("version is a variant, not the text itself") << "currentAppVersion() === '1.8.2'" << "false";
    QTest::newRow("version is an object") << "typeof currentAppVersion()" << "object";
    QTest::newRow("build date text") << "String(currentAppBuild())" << QMWidgets::App::instance()->buildDateText();
    QTest::newRow("date and time in the given format")
        << "currentDateTimeString('yyyy') == '" + QDate::currentDate().toString(QStringLiteral("yyyy")) + "'" << "true";
    QTest::newRow("a lookup that finds nothing is null") << "getWidgetByObjectName('no such widget') === null"
                                                         << "true";
    QTest::newRow("the published objects") << "[Qt.LeftButton, QEvent.Close, typeof Test.verify, typeof Support.delay]"
                                           << "1,19,function,function";
    QTest::newRow("include does nothing") << "include('no such file.js')" << "null";
}

void tst_GlobalFunctions::results()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);

    Editor editor;
    const QString output = runScript(editor, QStringLiteral("printout(") + expression + QStringLiteral(");"));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, expected);
}

void tst_GlobalFunctions::newObject_data()
{
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("label") << "QLabel" << "QLabel true false";
    QTest::newRow("widget") << "QWidget" << "QWidget true false";
    QTest::newRow("the name is case-sensitive") << "qlabel" << "null";
    QTest::newRow("other classes are not made") << "QPushButton" << "null";
}

void tst_GlobalFunctions::newObject()
{
    QFETCH(QString, typeName);
    QFETCH(QString, expected);

    Editor editor;
    const QString output =
        runScript(editor, QStringLiteral("var o = newObject('%1');\n"
                                         "printout(o === null ? 'null' : className(o) + ' ' + (parent(o) === null)"
                                         " + ' ' + o.visible);\n"
                                         "if (o) o.deleteLater();")
                              .arg(typeName));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, expected);
}

void tst_GlobalFunctions::getFileNames_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("filters");
    QTest::addColumn<QString>("expected");

    // "%1" stands for a folder with A.txt, b.js, c.png, .hidden.js and a folder d.js.
    QTest::newRow("two blanks pass an empty filter between the patterns") << "%1" << "*.js  *.txt" << "2 A.txt,b.js";
    QTest::newRow("one pattern") << "%1" << "*.js" << "1 b.js";
    QTest::newRow("an empty filter alone matches nothing") << "%1" << "" << "0 ";
    QTest::newRow("empty folder text is the working directory") << "" << "*.txt *.png" << "2 A.txt,c.png";
    QTest::newRow("missing folder gives an empty array") << "%1/missing" << "*" << "0 ";
}

void tst_GlobalFunctions::getFileNames()
{
    QFETCH(QString, directory);
    QFETCH(QString, filters);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    for (const char *name : {"A.txt", "b.js", "c.png", ".hidden.js"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.js")));
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    Editor editor;
    const QString output =
        runScript(editor, QStringLiteral("var names = getFileNames('%1', '%2');\n"
                                         "printout(names.length + ' ' + names.join(','));\n"
                                         "printout(names instanceof Array);")
                              .arg(QString(directory).replace(QStringLiteral("%1"), dir.path()), filters));
    QDir::setCurrent(previousDirectory);
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, expected + QStringLiteral("\ntrue"));
}

void tst_GlobalFunctions::protocolFilesBesideSavedScript()
{
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    const QString scriptPath = dir.filePath(QStringLiteral("login.test.js"));
    QFile script(scriptPath);
    QVERIFY2(script.open(QIODevice::WriteOnly), qPrintable(script.errorString()));
    script.write("printout('line one');\nprintToScriptLog('start');\nsaveOutputToProtocol();\n");
    script.close();

    Editor editor;
    editor.open(scriptPath);
    const QDateTime before = QDateTime::currentDateTime();
    editor.run();
    editor.run(); // the log grows across runs
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));

    // The base name ends at the first dot.
    const QString protocolDirectory = dir.filePath(QStringLiteral("protocol"));
    const QStringList logLines = readFile(protocolDirectory + QStringLiteral("/login.log")).split(QLatin1Char('\n'));
    QCOMPARE(logLines.size(), 3);
    QCOMPARE(logLines.at(2), QString());
    const QStringList lineTimes = timeTexts(before, after, QStringLiteral("MMM-dd_hh-mm-ss"));
    for (int i = 0; i < 2; ++i) {
        const QString line = logLines.at(i);
        QVERIFY2(line.endsWith(QStringLiteral(": start")) && lineTimes.contains(line.chopped(7)), qPrintable(line));
    }
    // The pane shows the last run's line.
    QCOMPARE(outputText(editor), QStringLiteral("line one\n") + logLines.at(1));

    const QStringList protocols = QDir(protocolDirectory).entryList({QStringLiteral("*.txt")}, QDir::Files);
    QVERIFY2(protocols.size() == 1 || protocols.size() == 2, qPrintable(protocols.join(QLatin1Char(','))));
    const QStringList fileTimes = timeTexts(before, after, QStringLiteral("yyyy-MMM-dd_hh-mm-ss"));
    for (const QString &protocol : protocols) {
        QVERIFY2(protocol.startsWith(QStringLiteral("login")) && protocol.endsWith(QStringLiteral(".txt"))
                     && fileTimes.contains(protocol.mid(5).chopped(4)),
                 qPrintable(protocol));
    }
    const QString protocolText = readFile(protocolDirectory + QLatin1Char('/') + protocols.last());
    QVERIFY2(protocolText.startsWith(QStringLiteral("line one\n")) && protocolText.endsWith(QStringLiteral(": start")),
             qPrintable(protocolText));
}

// A document never saved keeps its files below the working directory, never in the root of the file system.
void tst_GlobalFunctions::protocolFilesOfUnsavedDocument()
{
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    Editor editor;
    const QString output = runScript(editor, QStringLiteral("printToScriptLog('unsaved');\nsaveOutputToProtocol();"));
    QDir::setCurrent(previousDirectory);
    QVERIFY2(!editor.hasError(), qPrintable(output));

    const QDir protocolDirectory(dir.filePath(QStringLiteral("protocol")));
    QVERIFY2(protocolDirectory.exists(), qPrintable(protocolDirectory.path()));
    QCOMPARE(readFile(protocolDirectory.filePath(QStringLiteral("Untitled.log"))), output + QLatin1Char('\n'));
    const QStringList protocols = protocolDirectory.entryList({QStringLiteral("Untitled*.txt")}, QDir::Files);
    QCOMPARE(protocols.size(), 1);
    QCOMPARE(readFile(protocolDirectory.filePath(protocols.first())), output);
}

void tst_GlobalFunctions::dialogs_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("information") << "information('Step 3 done');\nprintout('after');" << Answer::Accept << ""
                                 << "Information" << "Step 3 done" << "after";
    QTest::newRow("alert is information") << "alert('Step 3 done');\nprintout('after');" << Answer::Accept << ""
                                          << "Information" << "Step 3 done" << "after";
    QTest::newRow("message closes itself") << "message(50, 'Working');\nprintout('after');" << Answer::None << ""
                                           << "Message" << "Working" << "after";
    QTest::newRow("textDialog gives the entered text as a variant")
        << "var r = textDialog('Your name', 'abc');\nprintout(typeof r + ' ' + r);" << Answer::Accept << "xyz"
        << "Script Text Dialog" << "Your name" << "object xyz";
    QTest::newRow("intDialog gives the entered number") << "printout(intDialog('Count', 5) + 1);" << Answer::Accept
                                                        << "42" << "Script Text Dialog" << "Count" << "43";
    QTest::newRow("intDialog cancelled gives the preset") << "printout(intDialog('Count', 5) + 1);" << Answer::Cancel
                                                          << "42" << "Script Text Dialog" << "Count" << "6";
}

void tst_GlobalFunctions::dialogs()
{
    QFETCH(QString, script);
    QFETCH(Answer, answer);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QString shownTitle;
    QString shownText;
    bool closedByTest = false;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        shownTitle = dialog->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            shownText = box->text();
        if (auto *input = qobject_cast<QInputDialog *>(dialog))
            shownText = input->labelText();
        if (QSpinBox *spin = dialog->findChild<QSpinBox *>()) {
            spin->selectAll();
            QTest::keyClicks(spin, typed);
        } else if (QLineEdit *edit = dialog->findChild<QLineEdit *>()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        auto *asDialog = qobject_cast<QDialog *>(dialog);
        switch (answer) {
        case Answer::Accept:
            if (QDialogButtonBox *buttons = dialog->findChild<QDialogButtonBox *>())
                buttons->button(QDialogButtonBox::Ok)->click();
            break;
        case Answer::Cancel:
            asDialog->reject();
            break;
        case Answer::None:
            // Only when the dialog fails to close itself.
            QTimer::singleShot(5000, dialog, [&closedByTest, asDialog] {
                closedByTest = true;
                asDialog->reject();
            });
            break;
        }
    });

    Editor editor;
    const QString output = runScript(editor, script);
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, expected);
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownText, text);
    QVERIFY(!closedByTest);
}

void tst_GlobalFunctions::abortEndsTheRun()
{
    Editor editor;
    const QString output = runScript(editor, QStringLiteral("printout('before');\nabort();\nprintout('after');"));
    QVERIFY(editor.hasError());
    QVERIFY2(output.startsWith(QStringLiteral("before")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("the script execution is aborted")), qPrintable(output));
    QVERIFY2(!output.contains(QStringLiteral("after")), qPrintable(output));

    // The engine is not left aborting: the next run goes through.
    QCOMPARE(runScript(editor, QStringLiteral("printout('again');")), QStringLiteral("again"));
    QVERIFY(!editor.hasError());
}

// The timers fire in the order they fall due, the delay's own last.
void tst_GlobalFunctions::timersFromScripts()
{
    Editor editor;
    const QString output = runScript(editor, QStringLiteral(
        "var log = [];\n"
        "var once = singleShotTimer(10);\n"
        "once.timeout.connect(function () { log.push('single'); });\n"
        "var made = createTimer();\n"
        "printout(made.active + ' ' + made.singleShot);\n"
        "made.interval = 20;\n"
        "made.timeout.connect(function () { log.push('created'); });\n"
        "made.start();\n"
        "delay(200);\n"
        "printout(log.join(','));\n"
        "printout(className(once) + ' ' + (parent(made) === null));\n"
        "once.deleteLater();\n"
        "made.deleteLater();"));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("false true\nsingle,created\nQMMistlark::Timer true"));
}

void tst_GlobalFunctions::printChildrenListsDescendants()
{
    QWidget root;
    root.setObjectName(QStringLiteral("root"));
    auto *frame = new QFrame(&root);
    new QPushButton(frame);
    new QLabel(&root);
    new QAction(&root); // not a widget

    Editor editor;
    const QString output = runScript(editor, QStringLiteral("printChildren(getWidgetByObjectName('root'));"));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("QFrame\nQPushButton\nQLabel"));
}

void tst_GlobalFunctions::generateIDsForWidgetLabelsSubtree()
{
    // Built first, so that the window is not among the widgets whose tool tips an Editor records.
    Editor editor;
    QWidget window;
    window.setObjectName(QStringLiteral("panel"));
    window.setToolTip(QStringLiteral("Panel tip"));
    auto *left = new QFrame(&window);
    left->setObjectName(QStringLiteral("left"));
    auto *right = new QFrame(&window);
    right->setObjectName(QStringLiteral("right"));
    auto *leftOk = new QPushButton(QStringLiteral("OK"), left);
    auto *rightOk = new QPushButton(QStringLiteral("OK"), right);
    auto *label = new QLabel(QStringLiteral("Name"), &window);

    const QString output = runScript(editor, QStringLiteral(
        "generateIDsForWidget(getWidgetByObjectName('panel'));\n"
        "restoreOriginalToolTips();\n"
        "printout(getWidgetByToolTip('Vis/O#right/L#OK') !== null);"));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("true"));

    // The root keeps its own tool tip; the labels are not recorded, so restoring leaves them.
    QCOMPARE(window.toolTip(), QStringLiteral("Panel tip"));
    QCOMPARE(left->toolTip(), QStringLiteral("Vis/O#left"));
    QCOMPARE(leftOk->toolTip(), QStringLiteral("Vis/O#left/L#OK"));
    QCOMPARE(rightOk->toolTip(), QStringLiteral("Vis/O#right/L#OK"));
    QCOMPARE(label->toolTip(), QStringLiteral("Vis/L#Name"));
    // Each labelled widget carries a pass-through filter that goes with it.
    for (QWidget *widget : {static_cast<QWidget *>(left), static_cast<QWidget *>(right), static_cast<QWidget *>(leftOk),
                            static_cast<QWidget *>(rightOk), static_cast<QWidget *>(label)}) {
        QCOMPARE(widget->findChildren<QMMistlark::EditorFilter *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    }
    QCOMPARE(window.findChildren<QMMistlark::EditorFilter *>(QString(), Qt::FindDirectChildrenOnly).size(), 0);
}

void tst_GlobalFunctions::throwingTextIsNotUsed_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("printout") << "printout(bad)";
    QTest::newRow("printToScriptLog") << "printToScriptLog(bad)";
    // A widget is named as the exception's text: a lookup that searched for it would find it.
    QTest::newRow("getWidgetByObjectName") << "result = getWidgetByObjectName(bad)";
    QTest::newRow("getSubWidgetByObjectName") << "result = getSubWidgetByObjectName(holder, bad)";
    QTest::newRow("currentDateTimeString") << "result = currentDateTimeString(bad)";
    QTest::newRow("newObject") << "result = newObject(bad)";
    QTest::newRow("textDialog") << "result = textDialog('label', bad)";
}

// An argument whose toString throws: the function takes no text from it, and the script gets the exception.
void tst_GlobalFunctions::throwingTextIsNotUsed()
{
    QFETCH(QString, call);
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QWidget holder;
    holder.setObjectName(QStringLiteral("holder"));
    auto *named = new QWidget(&holder);
    named->setObjectName(QStringLiteral("QWidget"));
    holder.show();

    // An unsaved script logs below the working directory: nothing may be written there.
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    Editor editor;
    const QString output = runScript(editor, QStringLiteral("var bad = { toString: function () { throw 'QWidget'; } };\n"
                                                            "var holder = getWidgetByObjectName('holder');\n"
                                                            "var result = 'unset';\n"
                                                            "try { %1; } catch (e) { printout('caught ' + e); }\n"
                                                            "printout(result);")
                                                 .arg(call));
    QVERIFY(QDir::setCurrent(previousDirectory));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, QStringLiteral("caught QWidget\nunset"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_GlobalFunctions::badArgumentsDoNoHarm_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");

    // a is an action that a lookup returned; %1 is an empty folder that nothing may write into.
    const QStringList nullResults = {
        "getSubWidgetByClassName(a, 'QPushButton')", "getVisibleSubWidgetByClassName(null, 'QPushButton')",
        "getSubWidgetByToolTip()", "getSubWidgetByObjectName(a, 'button')",
        "getSubWidgetByInheritClassName(undefined, 'QObject')", "getParentWidgetByClassName(a, 'QWidget')",
        "parentByClassName(a, 'QWidget')", "parent(a)", "parent()", "parent(undefined)", "parent(5)", "className()",
        "className(undefined)", "className('QAction')", "grab(a)", "grab()", "grabAndSave(a, '%1/a.png')",
        "grabAndSave(null, '%1/null.png')", "mouseClick(a)", "mouseClick()", "mousePress(null, 2, 3, 4)",
        "mouseDoubleClick(a)", "mouseRelease(undefined)", "mouseClick(a, NaN, Infinity, -Infinity)", "keyPress(a, 'x')",
        "keyPress()", "enterPress(undefined)", "enterPress(a)", "spacePress()", "sendEvent(a, QEvent.Close)",
        "sendEvent()", "clickMenuItem(a, 'a')", "clickMenuItem(null, 'a')", "dragAndDrop(a, 1, 1, a, 1, 1)",
        "dragAndDrop()", "printChildren(a)", "printChildren()", "dumpHierarchy(a)", "dumpHierarchy()",
        "generateIDsForWidget(a)", "generateIDsForWidget()", "delay(-5)", "message(-1, 'gone at once')",
        "newObject()", "shortCutPress()", "getVisibleDialog()",
    };
    for (const QString &expression : nullResults)
        QTest::newRow(qPrintable(expression)) << expression << "null";
    QTest::newRow("getFileNames()") << "getFileNames().length" << "0";
}

// None of these crashes, throws or touches the window's button and action.
void tst_GlobalFunctions::badArgumentsDoNoHarm()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QWidget window;
    auto *button = new QPushButton(QStringLiteral("a"), &window);
    button->setObjectName(QStringLiteral("button"));
    auto *action = new QAction(QStringLiteral("a"), &window);
    action->setObjectName(QStringLiteral("anAction"));
    window.addAction(action);
    window.show();
    QSignalSpy triggered(action, &QAction::triggered);
    QSignalSpy clicked(button, &QPushButton::clicked);

    Editor editor;
    const QString output = runScript(editor, QStringLiteral("var a = getWidgetByObjectName('anAction');\n"
                                                            "var button = getWidgetByObjectName('button');\n"
                                                            "printout(String(")
                                                 + QString(expression).replace(QStringLiteral("%1"), dir.path())
                                                 + QStringLiteral("));"));
    QVERIFY2(!editor.hasError(), qPrintable(output));
    QCOMPARE(output, expected);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(triggered.count(), 0);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_GlobalFunctions::longTextsAreShownCutWithANote_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<ShownIn>("shownIn");

    QTest::newRow("printout") << "printout(big)" << ShownIn::Output;
    QTest::newRow("printToScriptLog") << "printToScriptLog(big)" << ShownIn::Log;
    QTest::newRow("information") << "information(big)" << ShownIn::Dialog;
    QTest::newRow("message") << "message(60000, big)" << ShownIn::Dialog;
    QTest::newRow("textDialog label") << "textDialog(big, 'abc')" << ShownIn::Dialog;
    QTest::newRow("intDialog label") << "intDialog(big, 5)" << ShownIn::Dialog;
    QTest::newRow("Support.informationDialog") << "Support.informationDialog(big)" << ShownIn::Dialog;
    // The backtrace of the error report lists the arguments of the call that threw.
    QTest::newRow("error report of a call with it") << "(function (s) { throw new Error('bad'); })(big)"
                                                    << ShownIn::Report;
}

// Laying out a text of megabytes held the window for minutes, out of Stop's reach: it is cut where it is shown.
void tst_GlobalFunctions::longTextsAreShownCutWithANote()
{
    RUN_ROW_IN_CHILD(s_childTimeout);
    QFETCH(QString, call);
    QFETCH(ShownIn, shownIn);

    const QString expected = QString(QMMistlark::ShownTextBound, QLatin1Char('x'))
        + QStringLiteral(" [cut: %1 more characters not shown, at most %2 are]")
              .arg(s_bigTextLength - QMMistlark::ShownTextBound)
              .arg(QMMistlark::ShownTextBound);
    QString shownText;
    QObject guard;
    answerNextModal(&guard, [&shownText](QWidget *dialog) {
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            shownText = box->text();
        if (auto *input = qobject_cast<QInputDialog *>(dialog))
            shownText = input->labelText();
        qobject_cast<QDialog *>(dialog)->reject();
    });
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    Editor editor;
    const QString output = runScript(editor, QLatin1String(s_bigText) + call + QStringLiteral(";\nprintout('after');"));
    QVERIFY(QDir::setCurrent(previousDirectory));
    QCOMPARE(editor.hasError(), shownIn == ShownIn::Report);
    switch (shownIn) {
    case ShownIn::Output:
        QCOMPARE(output, expected + QStringLiteral("\nafter"));
        break;
    case ShownIn::Log: {
        QVERIFY2(output.endsWith(QStringLiteral(": ") + expected + QStringLiteral("\nafter")),
                 qPrintable(output.right(200)));
        const QString logged = readFile(dir.filePath(QStringLiteral("protocol/Untitled.log")));
        QCOMPARE(logged, output.chopped(6) + QLatin1Char('\n'));
        break;
    }
    case ShownIn::Dialog:
        QCOMPARE(shownText, expected);
        QCOMPARE(output, QStringLiteral("after"));
        break;
    case ShownIn::Report:
        QVERIFY2(output.startsWith(QStringLiteral("\nEvaluation Error: Line:3\n\nError: bad\nBacktrace: ")),
                 qPrintable(output.left(200)));
        QVERIFY2(output.contains(
                     QStringLiteral(" more characters not shown, at most %1 are]").arg(QMMistlark::ShownTextBound)),
                 qPrintable(output.right(200)));
        QVERIFY2(output.size() < 2 * QMMistlark::ShownTextBound, qPrintable(QString::number(output.size())));
        break;
    }
}

void tst_GlobalFunctions::largeArgumentsAreRefused_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("error");

    // Grabbing 900 million pixels took minutes and gigabytes: more than the image viewer's bound is refused.
    const QString tooLargeToGrab =
        QStringLiteral("RangeError: A widget of 30000 x 30000 pixels is too large to grab: at most 200 million pixels");
    QTest::newRow("grab") << "grab(huge)" << tooLargeToGrab;
    QTest::newRow("grabAndSave") << "grabAndSave(huge, '%1/huge.png')" << tooLargeToGrab;
    QTest::newRow("Support.grab") << "Support.grab(huge)" << tooLargeToGrab;
    QTest::newRow("Support.grabAndSave") << "Support.grabAndSave(huge, '%1/huge.png')" << tooLargeToGrab;
    // Patterns of megabytes are taken apart for minutes.
    const QString tooLong = QStringLiteral("RangeError: %1 of 8388608 characters is too long: at most 1000");
    QTest::newRow("currentDateTimeString") << "currentDateTimeString(big)" << tooLong.arg("A date format");
    QTest::newRow("getFileNames") << "getFileNames('%1', big)" << tooLong.arg("A list of name filters");
    QTest::newRow("shortCutPress") << "shortCutPress(big)" << tooLong.arg("A shortcut text");
    QTest::newRow("Support.shortCutPress") << "Support.shortCutPress(big)" << tooLong.arg("A shortcut text");
    // Qt lays out whatever lengths a text asks for: a margin of 5,000,000 px spun the output pane's layout for
    // minutes, and a GIF of 35 bytes took a gigabyte for its logical screen.
    QTest::newRow("printout with a margin of 5,000,000 px")
        << "printout('<p style=\"margin-top:5000000px\">a</p>'); printout('x')"
        << "RangeError: The text asks for a length of 5000000 pixels";
    QTest::newRow("output.append of a picture drawn 2147483647 px wide")
        << "output.append('<img width=2147483647 height=2147483647 src=\"%1/none.png\">')"
        << "RangeError: The text asks for a length of 2147483647 pixels";
    QTest::newRow("printout of a GIF screen of 16000 x 16000")
        << "printout('<img src=\"data:image/gif;base64,R0lGODlhgD6APoAAAAAAAP///ywAAAAAAQABAAACAkQBADs=\">')"
        << "The picture is too large: 16000 x 16000 pixels";
}

// What cannot go in steps that Stop ends is refused with a script error that names the bound.
void tst_GlobalFunctions::largeArgumentsAreRefused()
{
    RUN_ROW_IN_CHILD(s_childTimeout);
    QFETCH(QString, call);
    QFETCH(QString, error);

    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QWidget huge;
    huge.setObjectName(QStringLiteral("huge"));
    huge.resize(30000, 30000);
    QCOMPARE(huge.size(), QSize(30000, 30000));
    // A shortcut goes nowhere without a target.
    QWidget target;
    QMMistlark::setTargetMainWidget(&target);

    Editor editor;
    const QString output = runScript(editor, QLatin1String(s_bigText)
                                                 + QStringLiteral("var huge = getWidgetByObjectName('huge');\n")
                                                 + QString(call).replace(QStringLiteral("%1"), dir.path())
                                                 + QStringLiteral(";\nprintout('after');"));
    QMMistlark::setTargetMainWidget(nullptr);
    QVERIFY(editor.hasError());
    QVERIFY2(output.contains(error), qPrintable(output));
    QVERIFY2(!output.contains(QStringLiteral("after")), qPrintable(output));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_GlobalFunctions::typingALongTextEndsAtStop_data()
{
    QTest::addColumn<QString>("call");

    QTest::newRow("keyPress") << "keyPress(receiver, big)";
    QTest::newRow("Support.keyPress") << "Support.keyPress(receiver, big)";
}

// Posting millions of key presses at once held the window out of Stop's reach: the text is typed in steps, and
// Stop pressed while it is typed ends the run there.
void tst_GlobalFunctions::typingALongTextEndsAtStop()
{
    RUN_ROW_IN_CHILD(s_childTimeout);
    QFETCH(QString, call);

    Editor editor;
    QWidget receiver;
    receiver.setObjectName(QStringLiteral("receiver"));
    // Past the texts that are posted at once.
    const int typedBeforeStop = QMMistlark::TypedAtOnceBound + 500;
    StopAfterKeys stopper(&editor, typedBeforeStop);
    receiver.installEventFilter(&stopper);

    const QString output = runScript(editor, QLatin1String(s_bigText)
                                                 + QStringLiteral("var receiver = getWidgetByObjectName('receiver');\n")
                                                 + call + QStringLiteral(";\nprintout('after');"));
    QVERIFY(editor.hasError());
    QVERIFY2(output.contains(QStringLiteral("Script evaluation is stopped by user")), qPrintable(output));
    QVERIFY2(!output.contains(QStringLiteral("after")), qPrintable(output));
    // The keys before the stop were typed in order, and none after it.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(stopper.typed, QString(typedBeforeStop, QLatin1Char('x')));
}

TARSEL_APP_TEST_MAIN(tst_GlobalFunctions)
#include "tst_GlobalFunctions.moc"
