#include "EditorRun.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/automation/EditorFilter.h"
#include "scripting/editor/LineTextWidget.h"
#include "scripting/editor/OutputArea.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScriptEngine>
#include <QSignalSpy>

using QMMistlark::Editor;

namespace {

int filtersOn(const QObject *object)
{
    return object->findChildren<QMMistlark::EditorFilter *>(QString(), Qt::FindDirectChildrenOnly).size();
}

qreal smallerPointSize(const Editor &editor)
{
    return qMin(editor.document()->font().pointSizeF(),
                editor.findChild<QMMistlark::OutputArea *>()->font().pointSizeF());
}

qreal largerPointSize(const Editor &editor)
{
    return qMax(editor.document()->font().pointSizeF(),
                editor.findChild<QMMistlark::OutputArea *>()->font().pointSizeF());
}

// Lists the enumerable names of the global object; the standard engine lists its own few as well.
const char listGlobalNames[] =
    "(function (global) { var names = []; for (var name in global) names.push(name);"
    " printout(names.sort().join(',')); })(this);";

} // namespace

class tst_Editor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void freshEngineHoldsOutputAndTheFunctions();
    void globalsPersistWithinOneEditorOnly();
    void replacedPrintoutBreaksOnlyThatEditor();
    void publishingUnderATakenNameKeepsTheLast();
    void scriptCannotDeleteTheOwnObjects_data();
    void scriptCannotDeleteTheOwnObjects();
    void scriptCannotDeletePartsFoundByLookups_data();
    void scriptCannotDeletePartsFoundByLookups();

    void storedZoomIsApplied();
    void zoomIsClamped_data();
    void zoomIsClamped();

    void gutterWidensForZoomedNumbers();
    void messages_data();
    void messages();
    void cursorPositionCountsFromOne();
    void titleOfTheDocumentIsPassedOn();

    void filtersSkipMenusAndOwnWidgets();
    void targetMainWidgetIsNullUntilSetAndWhenGone();
};

void tst_Editor::init()
{
    QMWidgets::App::instance()->setValue(QStringLiteral("zoom"), 0);
}

void tst_Editor::freshEngineHoldsOutputAndTheFunctions()
{
    QScriptEngine bare;
    const QStringList builtIns =
        bare.evaluate(QStringLiteral("(function (g) { var n = []; for (var k in g) n.push(k); return n.join(','); })(this)"))
            .toString()
            .split(QLatin1Char(','), Qt::SkipEmptyParts);

    Editor editor;
    const QStringList lines =
        runScript(editor, QString::fromLatin1(listGlobalNames)
                              + QStringLiteral("\nprintout(printout.length + ' ' + delay.length + ' ' + include.length);"
                                               "\nprintout(typeof output.append);"))
            .split(QLatin1Char('\n'));
    QVERIFY2(!editor.hasError(), qPrintable(outputText(editor)));
    QCOMPARE(lines.size(), 3);
    QStringList published = lines.at(0).split(QLatin1Char(','));
    for (const QString &name : qAsConst(builtIns))
        QVERIFY2(published.removeOne(name), qPrintable(name));
    // The full list of published names is checked with the global functions.
    for (const char *name : {"delay", "include", "output", "printout"})
        QVERIFY2(published.contains(QLatin1String(name)), name);
    QCOMPARE(lines.at(1), QStringLiteral("0 0 0"));
    QCOMPARE(lines.at(2), QStringLiteral("function"));
}

void tst_Editor::globalsPersistWithinOneEditorOnly()
{
    Editor first;
    runScript(first, QStringLiteral("var counter = 1;\nfunction f() { return 'old'; }"));
    runScript(first, QStringLiteral("f = function () { return 'new'; };"));
    QCOMPARE(runScript(first, QStringLiteral("printout(counter + ' ' + f());")), QStringLiteral("1 new"));

    Editor second;
    QCOMPARE(runScript(second, QStringLiteral("printout(typeof counter + ' ' + typeof f);")),
             QStringLiteral("undefined undefined"));
}

void tst_Editor::replacedPrintoutBreaksOnlyThatEditor()
{
    Editor broken;
    Editor other;
    runScript(broken, QStringLiteral("printout = null;"));
    QVERIFY(!broken.hasError());

    const QString report = runScript(broken, QStringLiteral("printout('x');"));
    QVERIFY(broken.hasError());
    QVERIFY2(report.contains(QLatin1String("TypeError")), qPrintable(report));

    QCOMPARE(runScript(other, QStringLiteral("printout('x');")), QStringLiteral("x"));
    QVERIFY(!other.hasError());
}

void tst_Editor::publishingUnderATakenNameKeepsTheLast()
{
    Editor editor;
    QObject first;
    first.setObjectName(QStringLiteral("first"));
    auto *second = new QObject;
    second->setObjectName(QStringLiteral("second"));
    QPointer<QObject> secondAlive(second);
    editor.addScriptObject(&first, QStringLiteral("host"));
    editor.addScriptObject(second, QStringLiteral("host"));
    QCOMPARE(runScript(editor, QStringLiteral("printout(host.objectName);")), QStringLiteral("second"));

    // Published objects stay the host's: dropping the last reference and collecting garbage (every run does)
    // must not delete them.
    runScript(editor, QStringLiteral("host = null;"));
    runScript(editor, QStringLiteral("1;"));
    QVERIFY(secondAlive);
    delete second;
}

void tst_Editor::scriptCannotDeleteTheOwnObjects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("report");
    // Four are members of the Editor, never allocated on their own; the pane is used by every run.
    const QString objectKept = QStringLiteral("A script may not delete an object of the program: it stays.");
    QTest::newRow("output") << "output" << "A script may not delete a part of the script window: it stays.";
    for (const char *name : {"Qt", "QEvent", "Test", "Support"})
        QTest::newRow(name) << QString::fromLatin1(name) << objectKept;
}

void tst_Editor::scriptCannotDeleteTheOwnObjects()
{
    QFETCH(QString, name);
    QFETCH(QString, report);
    Editor editor;
    QCOMPARE(runScript(editor, name + QStringLiteral(".deleteLater(); printout('goes on');")).trimmed(),
             report + QStringLiteral("\ngoes on"));
    QVERIFY(!editor.hasError());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(runScript(editor, QStringLiteral("printout(typeof %1 + ' ' + Qt.LeftButton);").arg(name)),
             QStringLiteral("object 1"));
    QVERIFY(!editor.hasError());
}

void tst_Editor::scriptCannotDeletePartsFoundByLookups_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("className");
    // The splitter holds the document, its gutter and the pane.
    QTest::newRow("the Editor itself") << "parent(parent(output))" << "QMMistlark::Editor";
    QTest::newRow("the pane's parent") << "parent(output)" << "QSplitter";
    QTest::newRow("the pane, through its viewport") << "parent(getSubWidgetByClassName(output, 'QWidget'))"
                                                    << "QMMistlark::OutputArea";
    QTest::newRow("the document") << "getSubWidgetByClassName(parent(output), 'QMMistlark::DocWindow')"
                                  << "QMMistlark::DocWindow";
    QTest::newRow("the gutter") << "getSubWidgetByClassName(parent(output), 'QMMistlark::LineTextWidget')"
                                << "QMMistlark::LineTextWidget";
    QTest::newRow("a scroll bar of the document")
        << "getSubWidgetByClassName(getSubWidgetByClassName(parent(output), 'QMMistlark::DocWindow'), 'QScrollBar')"
        << "QScrollBar";
}

// A script reaches the Editor's widgets through lookups, and the Editor uses them after the run: a
// deleteLater() on one is refused with a red report, and the next run finds the Editor whole.
void tst_Editor::scriptCannotDeletePartsFoundByLookups()
{
    QFETCH(QString, lookup);
    QFETCH(QString, className);
    Editor editor;
    editor.show();
    const QString printed = runScript(editor, QStringLiteral("var part = %1;\nprintout(className(part));\n"
                                                             "part.deleteLater();").arg(lookup));
    QVERIFY2(!editor.hasError(), qPrintable(printed));
    QCOMPARE(printed, className + QStringLiteral("\nA script may not delete a part of the script window: it stays."));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(runScript(editor, QStringLiteral("printout('again');")), QStringLiteral("again"));
    QVERIFY(!editor.hasError());
    editor.zoomIn();
    QMWidgets::App::instance()->setValue(QStringLiteral("zoom"), 0);
}

void tst_Editor::storedZoomIsApplied()
{
    Editor plain;
    const qreal documentSize = plain.document()->font().pointSizeF();
    const qreal outputSize = plain.findChild<QMMistlark::OutputArea *>()->font().pointSizeF();

    QMWidgets::App::instance()->setValue(QStringLiteral("zoom"), -2);
    Editor zoomed;
    QCOMPARE(zoomed.document()->font().pointSizeF(), documentSize - 2);
    QCOMPARE(zoomed.findChild<QMMistlark::OutputArea *>()->font().pointSizeF(), outputSize - 2);

    zoomed.zoomIn();
    QCOMPARE(QMWidgets::App::instance()->value(QStringLiteral("zoom"), 0).toInt(), -1);
    QCOMPARE(zoomed.document()->font().pointSizeF(), documentSize - 1);
    QCOMPARE(zoomed.findChild<QMMistlark::OutputArea *>()->font().pointSizeF(), outputSize - 1);

    zoomed.zoomOut();
    zoomed.zoomOut();
    QCOMPARE(QMWidgets::App::instance()->value(QStringLiteral("zoom"), 0).toInt(), -3);
    QCOMPARE(zoomed.document()->font().pointSizeF(), documentSize - 3);
}

void tst_Editor::zoomIsClamped_data()
{
    QTest::addColumn<int>("storedLevel");
    QTest::addColumn<bool>("inward");
    QTest::newRow("far out stops at a point size of 1") << -1000 << false;
    QTest::newRow("far in stops at a point size of 96") << 1000 << true;
}

// A level past what the font can show would make zooming back take many dead steps.
void tst_Editor::zoomIsClamped()
{
    QFETCH(int, storedLevel);
    QFETCH(bool, inward);
    Editor plain;
    const qreal unzoomedSize = plain.document()->font().pointSizeF();

    QMWidgets::App::instance()->setValue(QStringLiteral("zoom"), storedLevel);
    Editor zoomed;
    if (inward)
        QCOMPARE(largerPointSize(zoomed), 96.0);
    else
        QCOMPARE(smallerPointSize(zoomed), 1.0);
    const qreal clampedSize = zoomed.document()->font().pointSizeF();

    // One step further changes nothing and stores the level actually shown.
    if (inward)
        zoomed.zoomIn();
    else
        zoomed.zoomOut();
    QCOMPARE(zoomed.document()->font().pointSizeF(), clampedSize);
    const int shownLevel = qRound(clampedSize - unzoomedSize);
    QCOMPARE(QMWidgets::App::instance()->value(QStringLiteral("zoom"), 0).toInt(), shownLevel);

    // And one step back is seen at once.
    if (inward)
        zoomed.zoomOut();
    else
        zoomed.zoomIn();
    QCOMPARE(zoomed.document()->font().pointSizeF(), clampedSize + (inward ? -1 : 1));
}

// The numbers stand right-aligned 7 pixels from the right edge, one width of "0" per digit; the cursor's line
// is bold. Zoomed in, "100" would reach past the left edge of a 40-pixel gutter.
void tst_Editor::gutterWidensForZoomedNumbers()
{
    Editor editor;
    editor.show();
    auto *gutter = editor.findChild<QMMistlark::LineTextWidget *>();
    QVERIFY(gutter);
    QCOMPARE(gutter->width(), 40);

    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QStringLiteral("printout(%1);").arg(i);
    editor.setText(lines.join(QLatin1Char('\n')));
    const auto numberFits = [&] {
        QFont bold = editor.document()->font();
        bold.setWeight(QFont::Bold);
        return gutter->width() - 7 - 3 * QFontMetrics(bold).horizontalAdvance(QLatin1Char('0')) >= 0;
    };
    QVERIFY(numberFits());
    const int unzoomedWidth = gutter->width();
    QVERIFY(unzoomedWidth >= 40);

    for (int step = 0; step < 20; ++step)
        editor.zoomIn();
    QVERIFY(gutter->width() > unzoomedWidth);
    QVERIFY2(numberFits(), qPrintable(QString::number(gutter->width())));

    for (int step = 0; step < 20; ++step)
        editor.zoomOut();
    QCOMPARE(gutter->width(), unzoomedWidth);
}

void tst_Editor::messages_data()
{
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("error, no blank after the colon") << true << "x" << "Error:x";
    QTest::newRow("error text is rendered as HTML") << true << "<b>bold</b> word" << "Error:bold word";
    QTest::newRow("warning leaves the error flag") << false << "y" << "Warning:y";
}

void tst_Editor::messages()
{
    QFETCH(bool, error);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    Editor editor;
    runScript(editor, QStringLiteral("printout('before');"));
    QVERIFY(!editor.hasError());

    if (error)
        editor.displayError(text);
    else
        editor.displayWarning(text);
    QCOMPARE(outputText(editor), QStringLiteral("before\n") + shown);
    QCOMPARE(editor.hasError(), error);
}

void tst_Editor::cursorPositionCountsFromOne()
{
    Editor editor;
    editor.setText(QString());
    QSignalSpy positions(&editor, &Editor::cursorPositionChanged);

    QTest::keyClicks(editor.document(), QStringLiteral("ab"));
    QCOMPARE(positions.last(), QVariantList({1, 3}));
    QTest::keyClick(editor.document(), Qt::Key_Return);
    QTest::keyClicks(editor.document(), QStringLiteral("cde"));
    QCOMPARE(positions.last(), QVariantList({2, 4}));
    QTest::keyClick(editor.document(), Qt::Key_Home);
    QCOMPARE(positions.last(), QVariantList({2, 1}));
}

void tst_Editor::titleOfTheDocumentIsPassedOn()
{
    Editor editor;
    QSignalSpy documentTitles(editor.document(), &QMMistlark::DocWindow::changeWindowTitle);
    QSignalSpy editorTitles(&editor, &Editor::changeWindowTitle);
    QTest::keyClicks(editor.document(), QStringLiteral("x"));
    QVERIFY(!documentTitles.isEmpty());
    QCOMPARE(editorTitles, documentTitles);
}

void tst_Editor::filtersSkipMenusAndOwnWidgets()
{
    QWidget window;
    auto *panel = new QWidget(&window);
    auto *field = new QLineEdit(panel);
    QMenu menu;
    auto *menuChild = new QWidget(&menu);
    QMMistlark::OutputArea ownWidget;

    Editor editor;
    QCOMPARE(filtersOn(&window), 1);
    QCOMPARE(filtersOn(panel), 1);
    QCOMPARE(filtersOn(field), 1);
    QCOMPARE(filtersOn(&menu), 0);
    QCOMPARE(filtersOn(menuChild), 0);
    QCOMPARE(filtersOn(&ownWidget), 0);
    QCOMPARE(filtersOn(&editor), 0);
    QCOMPARE(filtersOn(editor.document()), 0);

    QWidget later;
    QCOMPARE(filtersOn(&later), 0);

    // The filters change no event.
    QTest::keyClicks(field, QStringLiteral("typed"));
    QCOMPARE(field->text(), QStringLiteral("typed"));
}

void tst_Editor::targetMainWidgetIsNullUntilSetAndWhenGone()
{
    QCOMPARE(QMMistlark::targetMainWidget(), nullptr);
    {
        QWidget main;
        QMMistlark::setTargetMainWidget(&main);
        QCOMPARE(QMMistlark::targetMainWidget(), &main);
    }
    QCOMPARE(QMMistlark::targetMainWidget(), nullptr);
}

TARSEL_APP_TEST_MAIN(tst_Editor)
#include "tst_Editor.moc"
