#include "PngFile.h"
#include "tst_Support.h"

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

void tst_Support::informationDialog()
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
void tst_Support::informationDialogDeletedWhileItRuns()
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

void tst_Support::messageDialogClosesItself_data()
{
    QTest::addColumn<int>("milliseconds");

    QTest::newRow("after its time") << 50;
    QTest::newRow("zero closes at the first pass") << 0;
    QTest::newRow("negative time closes at once instead of waiting for the user") << -1;
}

void tst_Support::messageDialogClosesItself()
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

void tst_Support::textDialog_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("entered text") << "abc" << true << "xyz" << "xyz";
    QTest::newRow("preset kept") << "abc" << true << "" << "abc";
    QTest::newRow("cancelled gives a null string") << "abc" << false << "" << QString();
}

void tst_Support::textDialog()
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

void tst_Support::intDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");

    QTest::newRow("entered number") << true << "42" << 42;
    QTest::newRow("negative number") << true << "-7" << -7;
    QTest::newRow("cancelled gives the preset") << false << "42" << 5;
}

void tst_Support::intDialog()
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

void tst_Support::waitsLetPostedEventsRun_data()
{
    QTest::addColumn<SupportCall>("wait");

    QTest::newRow("waitForDialogTermination") << SupportCall([](Support &s, QWidget *) { s.waitForDialogTermination(); });
    QTest::newRow("delay") << SupportCall([](Support &s, QWidget *) { s.delay(20); });
}

void tst_Support::waitsLetPostedEventsRun()
{
    QFETCH(SupportCall, wait);

    QPushButton button(QStringLiteral("Press"));
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    m_support.mouseClick(&button);
    wait(m_support, &button);
    QCOMPARE(clicked.count(), 1);
}

void tst_Support::grabAndSaveWritesPng()
{
    QTemporaryDir dir;
    QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
    QWidget widget;
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::red);
    widget.setPalette(palette);
    widget.resize(40, 30);

    // The extension does not choose the format.
    const QString path = dir.filePath(QStringLiteral("shot.jpg"));
    m_support.grabAndSave(&widget, path);

    QString why;
    const QImage image = readPngFile(path, &why);
    QVERIFY2(!image.isNull(), qPrintable(why));
    QCOMPARE(image.size(), QSize(40, 30));
    QCOMPARE(image.pixelColor(20, 15), QColor(Qt::red));
}

void tst_Support::dumpHierarchyWritesAncestors()
{
    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto *frame = new QFrame(&window);
    frame->setObjectName(QStringLiteral("frame"));
    auto *button = new QPushButton(frame);
    button->setObjectName(QStringLiteral("button"));

    const QStringList lines = messagesOf([&] { m_support.dumpHierarchy(button); });
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("QPushButton(")) && lines.at(0).contains(QStringLiteral("button")),
             qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("  QFrame(")) && lines.at(1).contains(QStringLiteral("frame")),
             qPrintable(lines.at(1)));
    QVERIFY2(lines.at(2).startsWith(QStringLiteral("    QWidget(")) && lines.at(2).contains(QStringLiteral("window")),
             qPrintable(lines.at(2)));

    QCOMPARE(messagesOf([&] { m_support.dumpHierarchy(&window); }).size(), 1);
}

namespace {

// A window with unsaved text: asked to close, it keeps its text when the user says so.
class ChangedWindow : public QWidget
{
public:
    explicit ChangedWindow(bool keep)
        : m_keep(keep)
    {
    }

    int asked = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++asked;
        if (m_keep)
            event->ignore();
    }

private:
    bool m_keep;
};

} // namespace

void tst_Support::quitAsksEveryWindowFirst_data()
{
    QTest::addColumn<bool>("keep");
    QTest::newRow("every window closes") << false;
    QTest::newRow("a window keeps its text") << true;
}

// quitApplication() quits as the application menu does: every window is asked to close first, and the program
// goes on when one keeps its text. The script that asked to quit then ends, as Stop would end it.
void tst_Support::quitAsksEveryWindowFirst()
{
    QFETCH(bool, keep);
    const bool quitsOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    ChangedWindow changed(keep);
    changed.show();
    QMMistlark::Editor editor;
    editor.show();
    const QString output = runScript(editor, QStringLiteral("quitApplication();\nprintout('after quit');"));
    QApplication::setQuitOnLastWindowClosed(quitsOnLastWindow);
    QCOMPARE(changed.asked, 1);
    QCOMPARE(changed.isVisible(), keep);
    QCOMPARE(editor.hasError(), keep);
    QCOMPARE(output.contains(QLatin1String("after quit")), !keep);
    QCOMPARE(output.contains(QLatin1String("stopped by user")), keep);
}
