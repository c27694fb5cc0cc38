#include "HangBound.h"
#include "ButtonLookup.h"
#include "ModalAnswer.h"
#include "ChildRun.h"
#include "HostileResource.h"
#include "ScaledRun.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/InputDialog.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

using QMWidgets::App;
using QMWidgets::InputDialog;

namespace {

// What the answerer saw of the dialog it ended.
struct Seen
{
    QString title;
    int echo = -1;
    int value = 0;
    QString text;
    bool inputFocused = false;
};

// Ends a dialog the way a user does: "Ok" or "Cancel" by their buttons, anything else by Escape.
void finish(QWidget *dialog, const QString &how)
{
    if (how == "Ok" || how == "Cancel") {
        if (QPushButton *button = buttonWithText(dialog, how))
            QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QTest::keyClick(dialog, Qt::Key_Escape);
    }
    // A missing button must not leave the test waiting: the close shows as a wrong result.
    if (dialog->isVisible())
        dialog->close();
}

// Answers the next input dialog: notes what it opened with, edits it as a user would, then ends it.
void answerInput(QObject *context, Seen *seen, const QString &how, std::function<void(InputDialog *)> edit)
{
    answerNextModal(context, [seen, how, edit](QWidget *modal) {
        auto dialog = qobject_cast<InputDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        QWidget *input = dialog->mode() == InputDialog::IntegerInput ? static_cast<QWidget *>(dialog->spinBox())
                                                                     : dialog->lineEdit();
        seen->title = dialog->windowTitle();
        seen->echo = dialog->lineEdit()->echoMode();
        seen->text = dialog->lineEdit()->text();
        seen->value = dialog->spinBox()->value();
        seen->inputFocused = QTest::qWaitForWindowActive(dialog) && input->hasFocus();
        edit(dialog);
        finish(dialog, how);
    });
}

} // namespace

class tst_InputDialog : public QObject
{
    Q_OBJECT

private slots:
    void hostileResourcesShowNoPicture_data();
    void hostileResourcesShowNoPicture();
    void getTextReturnsEditedText_data();
    void getTextReturnsEditedText();
    void getIntOpensClampedAndStepsByOne_data();
    void getIntOpensClampedAndStepsByOne();
    void parentDeletedWhileOpen();
    void setModeSwitchesPage();
    void buttonsStackOnSmallScreen();
};

void tst_InputDialog::getTextReturnsEditedText_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("expectedOk");
    QTest::newRow("Ok accepts") << "Ok" << true;
    // The edited text comes back after a cancel too; only the flag tells the caller.
    QTest::newRow("Cancel keeps the edit") << "Cancel" << false;
    QTest::newRow("Escape keeps the edit") << "Escape" << false;
}

void tst_InputDialog::getTextReturnsEditedText()
{
    QFETCH(QString, how);
    QFETCH(bool, expectedOk);
    Seen seen;
    QObject context;
    answerInput(&context, &seen, how, [](InputDialog *dialog) {
        QTest::keyClick(dialog->lineEdit(), Qt::Key_End);
        QTest::keyClicks(dialog->lineEdit(), "-2");
    });
    bool ok = !expectedOk;

    const QString result = InputDialog::getText(nullptr, "Rename", "New name:", QLineEdit::Password, "draft", &ok);

    QCOMPARE(result, QString("draft-2"));
    QCOMPARE(ok, expectedOk);
    QCOMPARE(seen.title, QString("Rename"));
    QCOMPARE(seen.echo, int(QLineEdit::Password));
    QCOMPARE(seen.text, QString("draft"));
    QVERIFY(seen.inputFocused);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), HangBoundMs);

    // Without a flag to write to, the getter still runs and returns the text.
    answerNextModal(&context, [&](QWidget *modal) { finish(modal, how); });
    QCOMPARE(InputDialog::getText(nullptr, "Rename", "New name:", QLineEdit::Normal, "kept"), QString("kept"));
}

void tst_InputDialog::getIntOpensClampedAndStepsByOne_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("opensAt");
    QTest::addColumn<bool>("expectedOk");
    QTest::newRow("inside the range") << 500 << "Ok" << 500 << true;
    QTest::newRow("above the range opens at max") << 2000 << "Ok" << 1000 << true;
    QTest::newRow("below the range opens at min") << -5 << "Ok" << 0 << true;
    QTest::newRow("Cancel keeps the edit") << 500 << "Cancel" << 500 << false;
    QTest::newRow("Escape keeps the edit") << 500 << "Escape" << 500 << false;
}

void tst_InputDialog::getIntOpensClampedAndStepsByOne()
{
    QFETCH(int, value);
    QFETCH(QString, how);
    QFETCH(int, opensAt);
    QFETCH(bool, expectedOk);
    Seen seen;
    QObject context;
    answerInput(&context, &seen, how, [](InputDialog *dialog) { QTest::keyClick(dialog->spinBox(), Qt::Key_Down); });
    bool ok = !expectedOk;

    // A step of 10 is not applied: one key press moves the value by one.
    const int result = InputDialog::getInt(nullptr, "Count", "How many?", value, 0, 1000, 10, &ok);

    QCOMPARE(seen.title, QString("Count"));
    QCOMPARE(seen.value, opensAt);
    QVERIFY(seen.inputFocused);
    QCOMPARE(result, qMax(0, opensAt - 1));
    QCOMPARE(ok, expectedOk);
}

// The parent takes the dialog with it; the getter must not read or delete it afterwards.
void tst_InputDialog::parentDeletedWhileOpen()
{
    auto parent = new QWidget;
    QObject context;
    answerNextModal(&context, [parent](QWidget *modal) {
        QTest::keyClicks(qobject_cast<InputDialog *>(modal)->lineEdit(), "x");
        delete parent;
    });
    bool ok = true;

    QCOMPARE(InputDialog::getText(parent, "Title", "Label", QLineEdit::Normal, "start", &ok), QString("start"));
    QVERIFY(!ok);

    auto intParent = new QWidget;
    answerNextModal(&context, [intParent](QWidget *) { delete intParent; });
    ok = true;
    QCOMPARE(InputDialog::getInt(intParent, "Title", "Label", 2000, 0, 1000, 1, &ok), 1000);
    QVERIFY(!ok);
}

void tst_InputDialog::setModeSwitchesPage()
{
    InputDialog dialog("Label");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.objectName(), QString("InputDialog"));
    QCOMPARE(dialog.mode(), int(InputDialog::TextInput));
    QVERIFY(dialog.lineEdit()->isVisible());
    QCOMPARE(dialog.lineEdit()->height(), 32);

    dialog.setMode(InputDialog::IntegerInput);
    QVERIFY(dialog.spinBox()->isVisible());
    QVERIFY(!dialog.lineEdit()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), dialog.spinBox(), HangBoundMs);

    // An unknown mode is only stored: the page stays.
    dialog.setMode(7);
    QCOMPARE(dialog.mode(), 7);
    QVERIFY(dialog.spinBox()->isVisible());
}

// Both layouts: this run's screen is large, and the function runs again in a child on a small screen.
void tst_InputDialog::buttonsStackOnSmallScreen()
{
    const bool small = App::isSmallScreen();
    if (!small) {
        QVERIFY2(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"), "the scaled screen is not small");
        const ScaledRun run = runScaled({ "buttonsStackOnSmallScreen" }, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
    }
    InputDialog dialog("Label");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPushButton *ok = buttonWithText(&dialog, "Ok");
    QPushButton *cancel = buttonWithText(&dialog, "Cancel");
    QVERIFY(ok && cancel);
    QCOMPARE(ok->objectName(), QString("PushButton"));
    QVERIFY(ok->isFlat());
    if (small) {
        QCOMPARE(cancel->x(), ok->x());
        QVERIFY(cancel->y() > ok->y());
    } else {
        QCOMPARE(cancel->y(), ok->y());
        QVERIFY(cancel->x() > ok->x());
    }
}

void tst_InputDialog::hostileResourcesShowNoPicture_data()
{
    addHostileResourceRows();
}

// A caption from outside that names a hostile file as a picture is shown without it, at once.
void tst_InputDialog::hostileResourcesShowNoPicture()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    const RouteCost cost;
    bool shown = false;
    drawAndCloseNextModal(this, &shown);
    InputDialog::getText(nullptr, "Text", richTextShowing(hostile.path));
    QVERIFY(shown);
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

TARSEL_APP_TEST_MAIN(tst_InputDialog)
#include "tst_InputDialog.moc"
