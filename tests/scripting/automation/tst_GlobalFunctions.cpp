#include "EditorRun.h"
#include "GlobalFunctionsFixtures.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "app/JSMainWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/automation/EditorFilter.h"

#include <QAction>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScriptEngine>
#include <QSpinBox>

using QMMistlark::Editor;
using namespace GlobalFunctionsTest;

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

// Every text the format gives for a second from first to last, so that a run that crosses a second still matches.
QStringList timeTexts(const QDateTime &first, const QDateTime &last, const QString &format)
{
    QStringList texts;
    for (QDateTime time = first; time <= last.addSecs(1); time = time.addSecs(1))
        texts << time.toString(format);
    return texts;
}

enum class Answer { Accept, Cancel, None };

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_GlobalFunctions : public ScriptFunctionsTest
{
    Q_OBJECT

private slots:
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
};

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

TARSEL_APP_TEST_MAIN(tst_GlobalFunctions)
#include "tst_GlobalFunctions.moc"
