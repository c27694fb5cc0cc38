#include "ChildRun.h"
#include "EditorRun.h"
#include "GlobalFunctionsFixtures.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include "scripting/editor/Editor.h"
#include "scripting/engine/ScriptBounds.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QAction>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

using QMMistlark::Editor;
using namespace GlobalFunctionsTest;

namespace {

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

Q_DECLARE_METATYPE(ShownIn)

class tst_GlobalFunctionsBadInput : public ScriptFunctionsTest
{
    Q_OBJECT

private slots:
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

void tst_GlobalFunctionsBadInput::throwingTextIsNotUsed_data()
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
void tst_GlobalFunctionsBadInput::throwingTextIsNotUsed()
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

void tst_GlobalFunctionsBadInput::badArgumentsDoNoHarm_data()
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
void tst_GlobalFunctionsBadInput::badArgumentsDoNoHarm()
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

void tst_GlobalFunctionsBadInput::longTextsAreShownCutWithANote_data()
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
void tst_GlobalFunctionsBadInput::longTextsAreShownCutWithANote()
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

void tst_GlobalFunctionsBadInput::largeArgumentsAreRefused_data()
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
void tst_GlobalFunctionsBadInput::largeArgumentsAreRefused()
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

void tst_GlobalFunctionsBadInput::typingALongTextEndsAtStop_data()
{
    QTest::addColumn<QString>("call");

    QTest::newRow("keyPress") << "keyPress(receiver, big)";
    QTest::newRow("Support.keyPress") << "Support.keyPress(receiver, big)";
}

// Posting millions of key presses at once held the window out of Stop's reach: the text is typed in steps, and
// Stop pressed while it is typed ends the run there.
void tst_GlobalFunctionsBadInput::typingALongTextEndsAtStop()
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

TARSEL_APP_TEST_MAIN(tst_GlobalFunctionsBadInput)
#include "tst_GlobalFunctionsBadInput.moc"
