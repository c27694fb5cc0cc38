#include "HangBound.h"
#include "ChildRun.h"
#include "HostileResource.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/annotation/NoteEditWidget.h"

#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>

#include <sys/stat.h>

using QMWidgets::App;
using QMWidgets::NoteEditWidget;

class tst_NoteEditWidget : public QObject
{
    Q_OBJECT

private slots:
    void pastedRichTextLoadsNothing();
    void constructionMakesTheWorkFolderTheSaveFolder();
    void buttonsSignal_data();
    void buttonsSignal();
    void resizeButtonsSetAllTextFromTheLastCharacter_data();
    void resizeButtonsSetAllTextFromTheLastCharacter();
    void showAllFocusesTheTextAndHideAllHides();
};

void tst_NoteEditWidget::constructionMakesTheWorkFolderTheSaveFolder()
{
    App::instance()->setSaveDirectory(TestApp::homePath() + "/elsewhere/picture.png");
    const QString work = App::instance()->workDirectory(false);
    QDir(work).removeRecursively();
    NoteEditWidget editor;
    QVERIFY(QFileInfo(work).isDir());
    QCOMPARE(QDir(App::instance()->saveDirectory()), QDir(work));
}

void tst_NoteEditWidget::buttonsSignal_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("accepts");
    QTest::newRow("accept") << "NoteEditWidgetAccept" << "Accept" << true;
    QTest::newRow("cancel") << "NoteEditWidgetReject" << "Cancel" << false;
}

void tst_NoteEditWidget::buttonsSignal()
{
    QFETCH(QString, button);
    QFETCH(QString, toolTip);
    QFETCH(bool, accepts);
    NoteEditWidget editor;
    QSignalSpy ok(&editor, &NoteEditWidget::okClicked);
    QSignalSpy cancel(&editor, &NoteEditWidget::cancelClicked);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto *pushButton = editor.findChild<QPushButton *>(button);
    QVERIFY(pushButton);
    QCOMPARE(pushButton->toolTip(), toolTip);
    QVERIFY(pushButton->text().isEmpty());
    QTest::mouseClick(pushButton, Qt::LeftButton);
    QCOMPARE(ok.count(), accepts ? 1 : 0);
    QCOMPARE(cancel.count(), accepts ? 0 : 1);
}

void tst_NoteEditWidget::resizeButtonsSetAllTextFromTheLastCharacter_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<qreal>("firstSize");
    QTest::addColumn<qreal>("lastSize");
    QTest::addColumn<qreal>("expected");
    QTest::newRow("increase from the last character") << "NoteEditWidgetInc" << 30.0 << 12.0 << 17.0;
    QTest::newRow("decrease from the last character") << "NoteEditWidgetDec" << 6.0 << 20.0 << 15.0;
    // A size of zero or less would be handed to the text field otherwise.
    QTest::newRow("decrease stops at one point") << "NoteEditWidgetDec" << 20.0 << 3.0 << 1.0;
}

void tst_NoteEditWidget::resizeButtonsSetAllTextFromTheLastCharacter()
{
    QFETCH(QString, button);
    QFETCH(qreal, firstSize);
    QFETCH(qreal, lastSize);
    QFETCH(qreal, expected);
    NoteEditWidget editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTextEdit *text = editor.textEdit();
    text->setFontPointSize(firstSize);
    text->insertPlainText("big ");
    text->setFontPointSize(lastSize);
    text->insertPlainText("small");

    QTest::mouseClick(editor.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(editor.fontPointSize(), expected);
    for (int position : {1, 4, 9}) {
        QTextCursor cursor(text->document());
        cursor.setPosition(position);
        QCOMPARE(cursor.charFormat().fontPointSize(), expected);
    }
    QCOMPARE(text->toPlainText(), QString("big small"));
}

void tst_NoteEditWidget::showAllFocusesTheTextAndHideAllHides()
{
    QWidget window;
    window.resize(300, 200);
    auto *editor = new NoteEditWidget(&window);
    editor->hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->showAll();
    QVERIFY(editor->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(editor->textEdit()->hasFocus(), HangBoundMs);
    for (const char *name : {"NoteEditWidgetAccept", "NoteEditWidgetReject"})
        QVERIFY(editor->findChild<QPushButton *>(name)->isVisible());
    editor->hideAll();
    QVERIFY(!editor->isVisible());
    QVERIFY(editor->textEdit()->isHidden());
    QVERIFY(editor->findChild<QPushButton *>("NoteEditWidgetAccept")->isHidden());
}

// A note is plain text: rich text pasted into it names nothing that is loaded.
void tst_NoteEditWidget::pastedRichTextLoadsNothing()
{
    if (ranRowInChild(HostileRowTimeoutMs))
        return;
    const QString pipe = TestApp::homePath() + "/pipe";
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    auto *copied = new QMimeData;
    copied->setHtml(QString("<p>a note</p><img src=\"%1\">").arg(pipe));
    copied->setText("a note");
    QApplication::clipboard()->setMimeData(copied);
    NoteEditWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.textEdit()->paste();
    widget.grab();
    QCOMPARE(widget.textEdit()->toPlainText(), QString("a note"));
}

TARSEL_APP_TEST_MAIN(tst_NoteEditWidget)
#include "tst_NoteEditWidget.moc"
