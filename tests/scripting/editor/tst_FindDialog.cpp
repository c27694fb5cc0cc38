#include "HangBound.h"
#include "ButtonLookup.h"
#include "TestApp.h"

#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/editor/FindDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>

using QMMistlark::Editor;
using QMMistlark::FindDialog;

class tst_FindDialog : public QObject
{
    Q_OBJECT

private slots:
    void findNextThenType_data();
    void findNextThenType();
    void closeAndEscapeOnlyHide();
};

void tst_FindDialog::findNextThenType_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionEnd");

    // The cursor starts at position 1 with no selection.
    QTest::newRow("first press selects first hit")          << "abc test def test" << "test" << 1 << 4 << 8;
    QTest::newRow("second press selects second hit")        << "abc test def test" << "test" << 2 << 13 << 17;
    QTest::newRow("third press misses: selection stays")    << "abc test def test" << "test" << 3 << 13 << 17;
    QTest::newRow("letters compared without case")          << "a TEST b"          << "test" << 1 << 2 << 6;
    QTest::newRow("hit inside a word")                      << "contest"           << "test" << 1 << 3 << 7;
    QTest::newRow("miss: cursor stays, editor takes keys")  << "abc"               << "zz"   << 1 << 1 << 1;
    QTest::newRow("empty text: cursor stays")               << "abc"               << ""     << 2 << 1 << 1;
    QTest::newRow("hit before the cursor is not found")     << "tx"                << "t"    << 1 << 1 << 1;
}

// After every search the editor must still take typing at the cursor: a null cursor would swallow it.
void tst_FindDialog::findNextThenType()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(int, presses);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionEnd);

    Editor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setText(text);
    QTextCursor start(editor.document()->document());
    start.setPosition(1);
    editor.document()->setTextCursor(start);

    FindDialog dialog(&editor, &editor);
    dialog.show();
    QLineEdit *edit = dialog.findChild<QLineEdit *>();
    QVERIFY(edit);
    QTest::keyClicks(edit, search);
    QPushButton *findNext = buttonWithText(&dialog, QStringLiteral("Find Next"));
    QVERIFY(findNext);
    for (int i = 0; i < presses; ++i)
        QTest::mouseClick(findNext, Qt::LeftButton);

    const QTextCursor cursor = editor.document()->textCursor();
    QVERIFY(!cursor.isNull());
    QCOMPARE(cursor.selectionStart(), selectionStart);
    QCOMPARE(cursor.selectionEnd(), selectionEnd);

    QTest::keyClicks(editor.document(), QStringLiteral("X"));
    QCOMPARE(editor.document()->toPlainText(), text.left(selectionStart) + "X" + text.mid(selectionEnd));
}

void tst_FindDialog::closeAndEscapeOnlyHide()
{
    Editor editor;
    FindDialog dialog(&editor, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit *edit = dialog.findChild<QLineEdit *>();
    QTest::keyClicks(edit, QStringLiteral("needle"));

    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), HangBoundMs);
    dialog.show();
    QCOMPARE(edit->text(), QStringLiteral("needle"));

    QTest::mouseClick(buttonWithText(&dialog, QStringLiteral("Close")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(edit->text(), QStringLiteral("needle"));
}

TARSEL_APP_TEST_MAIN(tst_FindDialog)
#include "tst_FindDialog.moc"
