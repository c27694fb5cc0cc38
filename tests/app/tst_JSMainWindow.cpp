#include "HangBound.h"
#include "app/JSMainWindow.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"
#include "scripting/editor/OptionsDialog.h"

#include "ButtonLookup.h"
#include "ChildRun.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextCursor>

namespace {

QMMistlark::Editor *editorOf(JSMainWindow &window)
{
    return qobject_cast<QMMistlark::Editor *>(window.centralWidget());
}

void showActive(JSMainWindow &window)
{
    window.resize(463, 515);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class tst_JSMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void ctrlSOnUnnamedDocumentAsksForFile_data();
    void ctrlSOnUnnamedDocumentAsksForFile();
    void statusBarFollowsCursor();
    void titleIsRelayed();
    void commandsReachEditor_data();
    void commandsReachEditor();
    void undoAndRedoReachDocument();
    void aboutShowsHeading();
    void findShowsTheSameBarAgain();
    void optionsRunsModally_data();
    void optionsRunsModally();
};

void tst_JSMainWindow::ctrlSOnUnnamedDocumentAsksForFile_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("file chosen: text written, title becomes its name") << true;
    QTest::newRow("dialog cancelled: nothing written, still changed")  << false;
}

void tst_JSMainWindow::ctrlSOnUnnamedDocumentAsksForFile()
{
    QFETCH(bool, accept);

    QTemporaryDir folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    const QString path = folder.filePath(QStringLiteral("demo.js"));

    JSMainWindow window(nullptr);
    showActive(window);
    QMMistlark::Editor *editor = editorOf(window);
    QVERIFY(editor);
    window.setText(QStringLiteral("printout(1);"));
    QVERIFY(editor->fileName().isEmpty());
    QVERIFY(window.isModified());
    QSignalSpy titles(&window, &JSMainWindow::changeWindowTitle);

    QObject context;
    bool askedToSave = false;
    answerNextModal(&context, [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        askedToSave = dialog && dialog->acceptMode() == QFileDialog::AcceptSave;
        if (!dialog) {
            modal->close();
            return;
        }
        if (accept) {
            dialog->selectFile(path);
            // QFileDialog::accept is protected; through QDialog it still checks the chosen name.
            static_cast<QDialog *>(dialog)->accept();
        } else {
            dialog->reject();
        }
    });
    editor->document()->setFocus();
    QTest::keyClick(editor->document(), Qt::Key_S, Qt::ControlModifier);

    QVERIFY(askedToSave);
    QCOMPARE(QFile::exists(path), accept);
    QCOMPARE(window.isModified(), !accept);
    if (accept) {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        QCOMPARE(file.readAll(), QByteArray("printout(1);"));
        QVERIFY(!titles.isEmpty());
        QCOMPARE(titles.last().at(0).toString(), path);
        QCOMPARE(window.titleText(), path);
    } else {
        QVERIFY(titles.isEmpty());
    }
}

void tst_JSMainWindow::statusBarFollowsCursor()
{
    JSMainWindow window(nullptr);
    showActive(window);
    QMMistlark::DocWindow *document = editorOf(window)->document();
    window.setText(QStringLiteral("ab\ncde"));
    document->setFocus();

    QTest::keyClick(document, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:1; Column:1"));
    QTest::keyClick(document, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:2; Column:4"));
    QTest::keyClick(document, Qt::Key_Up);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:1; Column:3"));
    QTest::keyClicks(document, QStringLiteral("xy"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:1; Column:5"));
    QTest::keyClick(document, Qt::Key_Return);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Row:2; Column:1"));
}

void tst_JSMainWindow::titleIsRelayed()
{
    JSMainWindow window(nullptr);
    QMMistlark::Editor *editor = editorOf(window);
    QVERIFY(window.titleText().isEmpty());
    QSignalSpy fromEditor(editor, &QMMistlark::Editor::changeWindowTitle);
    QSignalSpy fromWindow(&window, &JSMainWindow::changeWindowTitle);

    window.setText(QStringLiteral("var a = 1;"));
    QVERIFY(!fromEditor.isEmpty());
    QCOMPARE(fromWindow.count(), fromEditor.count());
    for (int i = 0; i < fromEditor.count(); ++i)
        QCOMPARE(fromWindow.at(i).at(0).toString(), fromEditor.at(i).at(0).toString());
    const QString title = fromEditor.last().at(0).toString();
    QVERIFY2(title.endsWith(QStringLiteral("[modified]")), qPrintable(title));
    QCOMPARE(window.titleText(), title);

    // The window keeps the last title it passed on, whatever sent it.
    window.slotChangeWindowTitle(QStringLiteral("demo.js"));
    QCOMPARE(fromWindow.last().at(0).toString(), QStringLiteral("demo.js"));
    QCOMPARE(window.titleText(), QStringLiteral("demo.js"));
}

void tst_JSMainWindow::commandsReachEditor_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expectedOutput");
    QTest::addColumn<bool>("expectedError");

    QTest::newRow("run evaluates the document") << QStringLiteral("printout('six sevens: ' + 6 * 7);")
                                                << QByteArray("run") << QString() << QStringLiteral("six sevens: 42")
                                                << false;
    QTest::newRow("run reports a script error") << QStringLiteral("undefinedFunction();") << QByteArray("run")
                                                << QString() << QStringLiteral("undefinedFunction") << true;
    QTest::newRow("displayError marks the run failed") << QString() << QByteArray("displayError")
                                                       << QStringLiteral("disk full") << QStringLiteral("disk full")
                                                       << true;
    QTest::newRow("displayWarning leaves the flag") << QString() << QByteArray("displayWarning")
                                                    << QStringLiteral("slow disk") << QStringLiteral("slow disk")
                                                    << false;
}

void tst_JSMainWindow::commandsReachEditor()
{
    QFETCH(QString, script);
    QFETCH(QByteArray, slot);
    QFETCH(QString, argument);
    QFETCH(QString, expectedOutput);
    QFETCH(bool, expectedError);

    JSMainWindow window(nullptr);
    QMMistlark::Editor *editor = editorOf(window);
    window.setText(script);
    QVERIFY(!editor->outputHtml().contains(expectedOutput));

    // Callers reach the slots by name through the meta-object system.
    const bool invoked = argument.isNull() ? QMetaObject::invokeMethod(&window, slot.constData())
                                           : QMetaObject::invokeMethod(&window, slot.constData(), Q_ARG(QString, argument));
    QVERIFY(invoked);
    QTRY_VERIFY_WITH_TIMEOUT(!editor->isEvaluating(), HangBoundMs);
    QVERIFY2(editor->outputHtml().contains(expectedOutput), qPrintable(editor->outputHtml()));
    QCOMPARE(editor->hasError(), expectedError);
}

void tst_JSMainWindow::undoAndRedoReachDocument()
{
    JSMainWindow window(nullptr);
    showActive(window);
    QMMistlark::DocWindow *document = editorOf(window)->document();
    window.setText(QStringLiteral("a"));
    document->moveCursor(QTextCursor::End);
    document->setFocus();
    QTest::keyClicks(document, QStringLiteral("bc"));
    QCOMPARE(document->toPlainText(), QStringLiteral("abc"));

    window.undo();
    QCOMPARE(document->toPlainText(), QStringLiteral("a"));
    window.redo();
    QCOMPARE(document->toPlainText(), QStringLiteral("abc"));
}

void tst_JSMainWindow::aboutShowsHeading()
{
    JSMainWindow window(nullptr);
    QObject context;
    QString title;
    QString text;
    answerNextModal(&context, [&](QWidget *modal) {
        title = modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            text = box->text();
        modal->close();
    });
    window.about();

    QCOMPARE(title, QStringLiteral("About"));
    QCOMPARE(text, QStringLiteral("<H2>Mistlark Internal Script Editor</H2>"));
}

void tst_JSMainWindow::findShowsTheSameBarAgain()
{
    JSMainWindow window(nullptr);
    showActive(window);
    window.setText(QStringLiteral("one two"));

    QVERIFY(QMetaObject::invokeMethod(&window, "find"));
    QMMistlark::FindDialog *bar = window.findChild<QMMistlark::FindDialog *>();
    QVERIFY(bar);
    QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), HangBoundMs);
    QTest::keyClicks(bar->findChild<QLineEdit *>(), QStringLiteral("two"));
    QTest::keyClick(bar, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), HangBoundMs);

    window.find();
    QCOMPARE(window.findChildren<QMMistlark::FindDialog *>().size(), 1);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->findChild<QLineEdit *>()->text(), QStringLiteral("two"));
    QTest::mouseClick(buttonWithText(bar, QStringLiteral("Find Next")), Qt::LeftButton);
    QCOMPARE(editorOf(window)->document()->textCursor().selectedText(), QStringLiteral("two"));
}

void tst_JSMainWindow::optionsRunsModally_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Ok accepts")      << "Ok";
    QTest::newRow("Cancel closes")   << "Cancel";
    // A script may find the dialog among the windows and delete it: it lay on the stack, and freeing it aborted
    // (in a process of its own: that aborts the sanitizer build).
    QTest::newRow("deleted while it runs") << "";
}

// The dialog keeps nothing: the window's document is the same afterwards, and the call returns.
void tst_JSMainWindow::optionsRunsModally()
{
    QFETCH(QString, button);
    if (button.isEmpty() && ranRowInChild())
        return;

    JSMainWindow window(nullptr);
    window.setText(QStringLiteral("unchanged"));
    QObject context;
    bool sawOptions = false;
    answerNextModal(&context, [&](QWidget *modal) {
        sawOptions = qobject_cast<QMMistlark::OptionsDialog *>(modal) && !modal->parentWidget();
        QTest::keyClicks(modal->findChild<QLineEdit *>(), QStringLiteral("typed"));
        QPushButton *target = buttonWithText(modal, button);
        if (button.isEmpty())
            modal->deleteLater();
        else if (target)
            QTest::mouseClick(target, Qt::LeftButton);
        else
            modal->close();
    });
    QVERIFY(QMetaObject::invokeMethod(&window, "options"));

    QVERIFY(sawOptions);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(editorOf(window)->document()->toPlainText(), QStringLiteral("unchanged"));
}

TARSEL_APP_TEST_MAIN(tst_JSMainWindow)
#include "tst_JSMainWindow.moc"
