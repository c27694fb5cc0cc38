#include "PngFile.h"
#include "AutomationFixtures.h"
#include "TestApp.h"

#include "ChildRun.h"
#include "EditorRun.h"
#include "ModalAnswer.h"
#include "scripting/editor/Editor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using QMMistlark::Support;
using namespace SupportTest;

class tst_ScriptDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void informationDialog();
    void informationDialogDeletedWhileItRuns();
    void messageDialogClosesItself_data();
    void messageDialogClosesItself();
    void textDialog_data();
    void textDialog();
    void intDialog_data();
    void intDialog();

private:
    QMMistlark::Support m_support;
};

void tst_ScriptDialogs::informationDialog()
{
    QString title;
    QString text;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        auto *box = qobject_cast<QMessageBox *>(dialog);
        if (box) {
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        } else {
            dialog->close();
        }
    });

    m_support.informationDialog(QStringLiteral("Step 3 done"));
    QCOMPARE(title, QStringLiteral("Information"));
    QCOMPARE(text, QStringLiteral("Step 3 done"));
}

// A script may find the box among the windows and delete it: Qt's static box lay on the stack, and freeing it
// aborted (in a process of its own: that aborts the sanitizer build).
void tst_ScriptDialogs::informationDialogDeletedWhileItRuns()
{
    if (ranRowInChild())
        return;
    QObject guard;
    QPointer<QWidget> box;
    answerNextModal(&guard, [&box](QWidget *dialog) {
        box = qobject_cast<QMessageBox *>(dialog);
        dialog->deleteLater();
    });
    m_support.informationDialog(QStringLiteral("Step 3 done"));
    QVERIFY(box.isNull());
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_ScriptDialogs::messageDialogClosesItself_data()
{
    QTest::addColumn<int>("milliseconds");

    QTest::newRow("after its time") << 50;
    QTest::newRow("zero closes at the first pass") << 0;
    QTest::newRow("negative time closes at once instead of waiting for the user") << -1;
}

void tst_ScriptDialogs::messageDialogClosesItself()
{
    QFETCH(int, milliseconds);

    QString title;
    QString text;
    bool closedByTest = false;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            text = box->text();
        // Only when the box fails to close itself.
        QTimer::singleShot(5000, dialog, [&closedByTest, dialog] {
            closedByTest = true;
            dialog->close();
        });
    });

    m_support.messageDialog(milliseconds, QStringLiteral("Working"));
    QCOMPARE(title, QStringLiteral("Message"));
    QCOMPARE(text, QStringLiteral("Working"));
    QVERIFY(!closedByTest);
}

void tst_ScriptDialogs::textDialog_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("entered text") << "abc" << true << "xyz" << "xyz";
    QTest::newRow("preset kept") << "abc" << true << "" << "abc";
    QTest::newRow("cancelled gives a null string") << "abc" << false << "" << QString();
}

void tst_ScriptDialogs::textDialog()
{
    QFETCH(QString, preset);
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QString title;
    QString label;
    QString shownPreset;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        if (auto *input = qobject_cast<QInputDialog *>(dialog))
            label = input->labelText();
        QLineEdit *edit = dialog->findChild<QLineEdit *>();
        QPushButton *ok = dialogButton(dialog, QDialogButtonBox::Ok);
        if (!edit || !ok) {
            dialog->close();
            return;
        }
        shownPreset = edit->text();
        if (!accept) {
            QTest::keyClick(edit, Qt::Key_Escape);
            return;
        }
        if (!typed.isEmpty()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        ok->click();
    });

    const QString result = m_support.textDialog(QStringLiteral("Your name"), preset);
    QCOMPARE(title, QStringLiteral("Script Text Dialog"));
    QCOMPARE(label, QStringLiteral("Your name"));
    QCOMPARE(shownPreset, preset);
    QCOMPARE(result, expected);
    QCOMPARE(result.isNull(), expected.isNull());
}

void tst_ScriptDialogs::intDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");

    QTest::newRow("entered number") << true << "42" << 42;
    QTest::newRow("negative number") << true << "-7" << -7;
    QTest::newRow("cancelled gives the preset") << false << "42" << 5;
}

void tst_ScriptDialogs::intDialog()
{
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(int, expected);

    QString title;
    int shownPreset = 0;
    int minimum = 0;
    int maximum = 0;
    QObject guard;
    answerNextModal(&guard, [&](QWidget *dialog) {
        title = dialog->windowTitle();
        QSpinBox *spin = dialog->findChild<QSpinBox *>();
        QPushButton *ok = dialogButton(dialog, QDialogButtonBox::Ok);
        if (!spin || !ok) {
            dialog->close();
            return;
        }
        shownPreset = spin->value();
        minimum = spin->minimum();
        maximum = spin->maximum();
        spin->selectAll();
        QTest::keyClicks(spin, typed);
        if (accept)
            ok->click();
        else
            QTest::keyClick(spin, Qt::Key_Escape);
    });

    QCOMPARE(m_support.intDialog(QStringLiteral("Count"), 5), expected);
    QCOMPARE(title, QStringLiteral("Script Text Dialog"));
    QCOMPARE(shownPreset, 5);
    QCOMPARE(minimum, -2147483647);
    QCOMPARE(maximum, 2147483647);
}

TARSEL_APP_TEST_MAIN(tst_ScriptDialogs)
#include "tst_ScriptDialogs.moc"
