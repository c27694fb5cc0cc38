#include "QMWidgets/app/App.h"
#include "ChildRun.h"
#include "HangBound.h"
#include "ModalAnswer.h"
#include "TestApp.h"
#include "scripting/windows/BatchArea.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"
#include "scripting/windows/MainWindow.h"
#include "scripting/editor/OptionsDialog.h"
#include "scripting/automation/TargetMainWidget.h"

#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using QMMistlark::Editor;
using QMMistlark::MainWindow;

namespace {

QMWidgets::App *app()
{
    return QMWidgets::App::instance();
}

QString plain(const QString &text)
{
    return QString(text).remove(QLatin1Char('&'));
}

QMenu *menu(MainWindow &window, const QString &title)
{
    for (QAction *action : window.menuBar()->actions())
        if (plain(action->text()) == title)
            return action->menu();
    return nullptr;
}

QAction *action(MainWindow &window, const QString &text)
{
    for (QAction *top : window.menuBar()->actions())
        if (top->menu())
            for (QAction *entry : top->menu()->actions())
                if (plain(entry->text()) == text)
                    return entry;
    return nullptr;
}

QMenu *recentMenu(MainWindow &window)
{
    return action(window, QStringLiteral("Recent Opened"))->menu();
}

QStringList recentShown(MainWindow &window)
{
    QStringList names;
    for (QAction *entry : recentMenu(window)->actions())
        names << entry->text();
    return names;
}

Editor *editorOf(MainWindow &window)
{
    return qobject_cast<Editor *>(window.centralWidget());
}

void answerBox(QObject *context, QMessageBox::StandardButton button, QString *text = nullptr)
{
    answerNextModal(context, [button, text](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void scriptCannotDeleteTheWindow();
    void menusAndShortcuts();
    void toolBars();
    void batchDockToggles();
    void quitHides();
    void statusBarAndTitle();
    void hostInterface();
    void stopEndsWaitingScript();
    void closingStopsTheScript_data();
    void closingStopsTheScript();
    void onTop();
    void optionsDeletedWhileItRuns();
    void recentLoad_data();
    void recentLoad();
    void recentWithinSession();
    void recentAcrossRestart();
    void recentOverChangedDocument();
    void recentMissingFile();

private:
    QString writeScript(const QString &name, const QByteArray &text = "printout('x');");
    void openThroughDialog(MainWindow &window, const QString &path);
    QTemporaryDir m_dir;
};

void tst_MainWindow::init()
{
    app()->setValue(QStringLiteral("recent"), QString());
    app()->setValue(QStringLiteral("batchfiles"), QString());
    QMMistlark::setTargetMainWidget(nullptr);
}

QString tst_MainWindow::writeScript(const QString &name, const QByteArray &text)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

void tst_MainWindow::openThroughDialog(MainWindow &window, const QString &path)
{
    answerNextModal(this, [path](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    action(window, QStringLiteral("Open..."))->trigger();
    QCOMPARE(editorOf(window)->fileName(), path);
}

void tst_MainWindow::menusAndShortcuts()
{
    MainWindow window;
    QStringList titles;
    for (QAction *top : window.menuBar()->actions())
        if (top->menu())
            titles << plain(top->text());
    QCOMPARE(titles, QStringList({"File", "View", "Edit", "Run", "Help"}));

    QStringList file;
    for (QAction *entry : menu(window, QStringLiteral("File"))->actions())
        file << (entry->isSeparator() ? QStringLiteral("-") : plain(entry->text()));
    QCOMPARE(file, QStringList({"New...", "Open...", "Save", "Save As...", "Options...", "Recent Opened", "-", "Quit"}));

    // Every action fires from the keyboard: no shortcut is shared, and the open ones are decided.
    QList<QKeySequence> shortcuts;
    int actions = 0;
    for (QAction *top : window.menuBar()->actions())
        if (top->menu())
            for (QAction *entry : top->menu()->actions())
                if (!entry->isSeparator() && !entry->menu()) {
                    ++actions;
                    if (!entry->shortcut().isEmpty()) {
                        QVERIFY2(!shortcuts.contains(entry->shortcut()), qPrintable(entry->text()));
                        shortcuts << entry->shortcut();
                    }
                }
    QCOMPARE(actions, 22);
    QCOMPARE(action(window, QStringLiteral("Open..."))->shortcut(), QKeySequence(QStringLiteral("CTRL+O")));
    QCOMPARE(action(window, QStringLiteral("Zoom Out"))->shortcut(), QKeySequence(QStringLiteral("CTRL+-")));
    QVERIFY(action(window, QStringLiteral("Options..."))->shortcut().isEmpty());
    QVERIFY(action(window, QStringLiteral("OnTop"))->isCheckable());

    // The About box names the editor.
    QString text;
    answerBox(this, QMessageBox::Ok, &text);
    action(window, QStringLiteral("About"))->trigger();
    QVERIFY(text.contains(QStringLiteral("Mistlark Internal Script Editor")));

    // Find makes its dialog once and keeps it; Options runs a modal dialog of its own.
    action(window, QStringLiteral("Find"))->trigger();
    action(window, QStringLiteral("Find"))->trigger();
    QCOMPARE(window.findChildren<QMMistlark::FindDialog *>().size(), 1);
    QVERIFY(window.findChild<QMMistlark::FindDialog *>()->isVisible());
    bool optionsShown = false;
    answerNextModal(this, [&optionsShown](QWidget *w) {
        optionsShown = qobject_cast<QMMistlark::OptionsDialog *>(w) != nullptr;
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->reject();
    });
    action(window, QStringLiteral("Options..."))->trigger();
    QVERIFY(optionsShown);
}

// A script may find the options dialog among the windows and delete it: it lay on the stack, and freeing it
// aborted (in a process of its own: that aborts the sanitizer build).
void tst_MainWindow::optionsDeletedWhileItRuns()
{
    if (ranRowInChild())
        return;
    MainWindow window;
    QObject context;
    QPointer<QWidget> options;
    answerNextModal(&context, [&options](QWidget *w) {
        options = qobject_cast<QMMistlark::OptionsDialog *>(w);
        w->deleteLater();
    });
    action(window, QStringLiteral("Options..."))->trigger();
    QVERIFY(options.isNull());
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_MainWindow::toolBars()
{
    MainWindow window;
    window.show();
    QStringList bars;
    for (QToolBar *bar : window.findChildren<QToolBar *>()) {
        QCOMPARE(window.toolBarArea(bar), Qt::TopToolBarArea);
        QStringList texts;
        for (QAction *entry : bar->actions()) {
            texts << plain(entry->text());
            // Each tool button shows its drawn image, so none falls back to its text.
            QVERIFY2(!entry->icon().isNull(), qPrintable(entry->text()));
        }
        bars << bar->windowTitle() + QLatin1Char(':') + texts.join(QLatin1Char(','));
    }
    QCOMPARE(bars, QStringList({"File Operations:New...,Open...,Save",
                                "View Operations:OnTop,Zoom In,Zoom Out,Find",
                                "Edit Operations:Copy,Paste,Undo,Redo",
                                "Script Operations:Run,Stop,Debug,Show Aliaces,Batch"}));
}

void tst_MainWindow::batchDockToggles()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *dock = window.findChild<QDockWidget *>();
    QCOMPARE(dock->windowTitle(), QStringLiteral("Batch Area"));
    QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
    QVERIFY(dock->isVisible());
    QTest::keyClick(&window, Qt::Key_F9);
    QVERIFY(!dock->isVisible());
    action(window, QStringLiteral("Batch"))->trigger();
    QVERIFY(dock->isVisible());
    dock->close();
    QVERIFY(!dock->isVisible());
    action(window, QStringLiteral("Batch"))->trigger();
    QVERIFY(dock->isVisible());
    // Toggling while the window is hidden still switches the dock.
    window.hide();
    action(window, QStringLiteral("Batch"))->trigger();
    window.show();
    QVERIFY(!dock->isVisible());
}

void tst_MainWindow::quitHides()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    editorOf(window)->setText(QStringLiteral("kept"));
    QPointer<MainWindow> guard(&window);
    action(window, QStringLiteral("Quit"))->trigger();
    QVERIFY(guard);
    QVERIFY(window.isHidden());
    window.show();
    QCOMPARE(editorOf(window)->document()->toPlainText(), QStringLiteral("kept"));
    QVERIFY(editorOf(window)->isModified());
}

void tst_MainWindow::statusBarAndTitle()
{
    MainWindow window;
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Ready"));
    QTRY_VERIFY_WITH_TIMEOUT(window.statusBar()->currentMessage().isEmpty(), HangBoundMs);

    const QString path = writeScript(QStringLiteral("title.js"), "line one\nline two");
    QVERIFY(editorOf(window)->load(path));
    QVERIFY(window.windowTitle().contains(QStringLiteral("title.js")));

    QMMistlark::DocWindow *document = editorOf(window)->document();
    QTextCursor cursor = document->textCursor();
    cursor.movePosition(QTextCursor::End);
    document->setTextCursor(cursor);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:2; Column:9"));
    cursor.movePosition(QTextCursor::Start);
    document->setTextCursor(cursor);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:1; Column:1"));
}

void tst_MainWindow::hostInterface()
{
    MainWindow window;
    QObject host;
    host.setObjectName(QStringLiteral("the host"));
    QObject common;
    common.setObjectName(QStringLiteral("the common object"));
    window.addScriptObject(&host, QStringLiteral("Host"));
    window.addCommonObject(&common);
    QWidget target;
    window.setTargetMainWidget(&target);
    QCOMPARE(QMMistlark::targetMainWidget(), &target);

    editorOf(window)->setText(QStringLiteral("printout(Host.objectName + ' and ' + Common.objectName);"));
    action(window, QStringLiteral("Run"))->trigger();
    QVERIFY(!editorOf(window)->hasError());
    QVERIFY(editorOf(window)->outputHtml().contains(QStringLiteral("the host and the common object")));
}

void tst_MainWindow::stopEndsWaitingScript()
{
    MainWindow window;
    Editor *editor = editorOf(window);
    editor->setText(QStringLiteral("printout('before'); delay(20000); printout('after');"));
    QTimer::singleShot(100, &window, [&] { action(window, QStringLiteral("Stop"))->trigger(); });
    // A wait that Stop missed ends after its 20 s and prints.
    action(window, QStringLiteral("Run"))->trigger();
    QVERIFY(editor->hasError());
    QVERIFY(editor->outputHtml().contains(QStringLiteral("before")));
    QVERIFY(!editor->outputHtml().contains(QStringLiteral("after")));
}

void tst_MainWindow::closingStopsTheScript_data()
{
    QTest::addColumn<bool>("quit");
    QTest::addColumn<bool>("batch");
    QTest::newRow("closing during a run") << false << false;
    QTest::newRow("Quit during a run") << true << false;
    // The rows after the stopped one would run on, their waits cut short once the program quits.
    QTest::newRow("closing during a batch") << false << true;
}

// Closing only hides the window: a script left running there could never be stopped.
void tst_MainWindow::closingStopsTheScript()
{
    QFETCH(bool, quit);
    QFETCH(bool, batch);
    const QString busy = writeScript(QStringLiteral("busy.js"), "printout('before'); while (true) {}");
    const QString waits = writeScript(QStringLiteral("waits.js"), "printout('before'); delay(20000);");
    const QString next = writeScript(QStringLiteral("next.js"), "printout('next');");
    app()->setValue(QStringLiteral("batchfiles"), QStringList({waits, next}).join(';'));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Editor *editor = editorOf(window);
    QVERIFY(editor->load(busy));

    QStringList enabledWhileRunning;
    QTimer::singleShot(300, &window, [&] {
        for (const QString &text : {"New...", "Open...", "Run", "Debug", "Recent Opened", "Stop"})
            if (action(window, text)->isEnabled())
                enabledWhileRunning << text;
        if (quit)
            action(window, QStringLiteral("Quit"))->trigger();
        else
            window.close();
    });
    // Ends a script that the close missed, so that the test ends either way.
    bool missed = false;
    QTimer::singleShot(HangBoundMs, &window, [&] {
        missed = editor->isRunning();
        editor->stopEvaluation();
    });
    auto *list = window.findChild<QTreeWidget *>();
    if (batch)
        QTest::mouseClick(window.findChild<QMMistlark::BatchArea *>()->findChildren<QPushButton *>().first(),
                          Qt::LeftButton);
    else
        action(window, QStringLiteral("Run"))->trigger();

    QVERIFY(!missed);
    QCOMPARE(enabledWhileRunning, QStringList({"Stop"}));
    QVERIFY(window.isHidden());
    QVERIFY(editor->hasError());
    QVERIFY(editor->outputHtml().contains(QStringLiteral("Script evaluation is stopped by user")));
    if (batch)
        QCOMPARE(QStringList({list->topLevelItem(0)->text(0), list->topLevelItem(1)->text(0)}),
                 QStringList({"Error", ""}));
    for (const QString &text : {"New...", "Open...", "Run", "Debug", "Recent Opened"})
        QVERIFY2(action(window, text)->isEnabled(), qPrintable(text));
}

void tst_MainWindow::onTop()
{
    MainWindow window;
    window.show();
    QAction *onTop = action(window, QStringLiteral("OnTop"));
    QWidget other;
    other.setWindowFlags(Qt::Tool);

    // With no target, only this window changes.
    onTop->trigger();
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window.isVisible());
    QVERIFY(!other.isVisible());
    onTop->trigger();
    QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());

    window.setTargetMainWidget(&other);
    onTop->trigger();
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(other.windowFlags() & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(other.isVisible());
}

void tst_MainWindow::recentLoad_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("nothing stored") << QString() << QStringList();
    QTest::newRow("empty item skipped") << "/a.js;;/b.js" << QStringList({"/a.js", "/b.js"});
    QTest::newRow("more than four shown whole")
        << "/1.js;/2.js;/3.js;/4.js;/5.js;/6.js" << QStringList({"/1.js", "/2.js", "/3.js", "/4.js", "/5.js", "/6.js"});
}

void tst_MainWindow::recentLoad()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, shown);
    app()->setValue(QStringLiteral("recent"), stored);
    MainWindow window;
    QCOMPARE(recentShown(window), shown);
}

void tst_MainWindow::recentWithinSession()
{
    QStringList files;
    for (const char *name : {"a.js", "b.js", "c.js", "d.js", "e.js"})
        files << writeScript(QLatin1String(name));
    MainWindow window;
    for (int i = 0; i < 4; ++i)
        openThroughDialog(window, files.at(i));
    // The newest first, then the others from the one used longest ago on.
    QCOMPARE(recentShown(window), QStringList({files[3], files[0], files[1], files[2]}));

    // Using a listed file again drops nothing and makes it the newest.
    openThroughDialog(window, files[0]);
    QCOMPARE(recentShown(window), QStringList({files[0], files[1], files[2], files[3]}));
    // So the fifth name drops b, used longest ago, and not a.
    openThroughDialog(window, files[4]);
    QCOMPARE(recentShown(window), QStringList({files[4], files[2], files[3], files[0]}));
    QCOMPARE(app()->value(QStringLiteral("recent")).toString(), recentShown(window).join(QLatin1Char(';')));

    // Choosing an entry opens it and moves it to the top.
    recentMenu(window)->actions().at(2)->trigger();
    QCOMPARE(editorOf(window)->fileName(), files[3]);
    QCOMPARE(recentShown(window), QStringList({files[3], files[2], files[0], files[4]}));
}

void tst_MainWindow::recentAcrossRestart()
{
    QStringList files;
    for (const char *name : {"r1.js", "r2.js", "r3.js", "r4.js", "r5.js", "r6.js"})
        files << writeScript(QLatin1String(name));
    {
        MainWindow window;
        for (const QString &file : files.mid(0, 4))
            openThroughDialog(window, file);
        // r1 used last: the others are now older than it.
        openThroughDialog(window, files[0]);
    }
    MainWindow window;
    QCOMPARE(recentShown(window), QStringList({files[0], files[1], files[2], files[3]}));
    // The fifth name drops r2, used longest ago, not r1, used last before the restart.
    openThroughDialog(window, files[4]);
    QCOMPARE(recentShown(window), QStringList({files[4], files[2], files[3], files[0]}));
    openThroughDialog(window, files[5]);
    QCOMPARE(recentShown(window), QStringList({files[5], files[3], files[0], files[4]}));

    // A longer stored list keeps its length: each new name drops the oldest.
    app()->setValue(QStringLiteral("recent"), QStringList({"/n.js", "/o1.js", "/o2.js", "/o3.js", "/o4.js", "/o5.js"}).join(';'));
    MainWindow longer;
    openThroughDialog(longer, files[1]);
    QCOMPARE(recentShown(longer), QStringList({files[1], "/o2.js", "/o3.js", "/o4.js", "/o5.js", "/n.js"}));
}

void tst_MainWindow::recentOverChangedDocument()
{
    const QString first = writeScript(QStringLiteral("first.js"), "printout('first');");
    const QString second = writeScript(QStringLiteral("second.js"), "printout('second');");
    MainWindow window;
    openThroughDialog(window, second);
    openThroughDialog(window, first);
    Editor *editor = editorOf(window);
    editor->setText(QStringLiteral("changed"));
    QAction *entry = recentMenu(window)->actions().at(1);
    QCOMPARE(entry->text(), second);

    QString question;
    answerBox(this, QMessageBox::Cancel, &question);
    entry->trigger();
    QVERIFY(question.contains(QStringLiteral("Do you want to save the changes?")));
    QCOMPARE(editor->fileName(), first);
    QCOMPARE(editor->document()->toPlainText(), QStringLiteral("changed"));
    QCOMPARE(recentShown(window), QStringList({first, second}));

    answerBox(this, QMessageBox::No);
    entry->trigger();
    QCOMPARE(editor->fileName(), second);
    QVERIFY(!editor->isModified());
    QCOMPARE(recentShown(window), QStringList({second, first}));
}

void tst_MainWindow::recentMissingFile()
{
    const QString kept = writeScript(QStringLiteral("kept.js"), "printout('kept');");
    const QString gone = writeScript(QStringLiteral("gone.js"));
    MainWindow window;
    openThroughDialog(window, gone);
    openThroughDialog(window, kept);
    QVERIFY(QFile::remove(gone));
    QString warning;
    answerBox(this, QMessageBox::Ok, &warning);
    recentMenu(window)->actions().at(1)->trigger();
    QVERIFY(warning.contains(QStringLiteral("gone.js")));
    QCOMPARE(editorOf(window)->fileName(), kept);
    QCOMPARE(recentShown(window), QStringList({gone, kept}));
}

// The window's engine is in delay() when the deletion comes due: a deleted window would leave it evaluating in
// freed memory.
void tst_MainWindow::scriptCannotDeleteTheWindow()
{
    RUN_ROW_IN_CHILD(60000);
    MainWindow window;
    window.show();
    Editor *editor = editorOf(window);
    editor->setText(QStringLiteral("getWidgetByClassName('QMMistlark::MainWindow').deleteLater();\n"
                                   "delay(300); printout('still here');"));
    editor->run();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTextDocument output;
    output.setHtml(editor->outputHtml());
    QCOMPARE(output.toPlainText().trimmed(),
             QStringLiteral("A script may not delete a script window: it stays; close() closes it.\nstill here"));
}

TARSEL_APP_TEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
