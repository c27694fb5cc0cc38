#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include "ChildRun.h"
#include "HangBound.h"
#include "TestApp.h"

#include <QDialog>
#include <QScriptEngine>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

using QMMistlark::Editor;

namespace {

MUITabBarItem *toolBarItem(JavaScriptEvaluator *window, const QString &caption)
{
    for (MUITabBarItem *item : window->findChildren<MUITabBarItem *>()) {
        if (item->text() == caption)
            return item;
    }
    return nullptr;
}

// A click as the user makes it: through the window system, which drops it while a modal dialog blocks the window.
void userClicks(JavaScriptEvaluator *window, const QString &caption)
{
    MUITabBarItem *item = toolBarItem(window, caption);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      item->mapTo(window, item->rect().center()));
}

QDialog *shownDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QDialog *>(window))
            return static_cast<QDialog *>(window);
    }
    return nullptr;
}

QString printed(JavaScriptEvaluator *window)
{
    QTextDocument output;
    output.setHtml(window->findChild<Editor *>()->outputHtml());
    return output.toPlainText();
}

// Plays the user while a run goes: once the dialog has come the given number of times, presses Stop. A Stop that
// does not arrive leaves the run to a last resort, so that the row fails instead of hanging.
class User : public QObject
{
public:
    User(JavaScriptEvaluator *window, int dialogsBeforeStop)
        : m_window(window)
        , m_dialogsBeforeStop(dialogsBeforeStop)
    {
        connect(&m_tick, &QTimer::timeout, this, [this] { look(); });
        m_tick.start(20);
        QTimer::singleShot(HangBoundMs, this, [this] {
            m_gaveUp = true;
            m_tick.stop();
            while (QDialog *dialog = shownDialog())
                dialog->reject();
            m_window->findChild<QScriptEngine *>()->abortEvaluation();
        });
    }

    bool gaveUp() const { return m_gaveUp; }

private:
    void look()
    {
        QDialog *dialog = shownDialog();
        if (!dialog || dialog == m_lastDialog)
            return;
        m_lastDialog = dialog;
        if (++m_dialogs < m_dialogsBeforeStop) {
            dialog->reject();
            return;
        }
        m_tick.stop();
        userClicks(m_window, QStringLiteral("Stop"));
    }

    JavaScriptEvaluator *m_window;
    int m_dialogsBeforeStop;
    int m_dialogs = 0;
    QPointer<QDialog> m_lastDialog;
    QTimer m_tick;
    bool m_gaveUp = false;
};

const char s_itemsOf[] = "function items(w) {\n"
                         "    var a = w.findChildren(), r = [];\n"
                         "    for (var i = 0; i < a.length; i++) if (className(a[i]) == 'MUITabBarItem') r.push(a[i]);\n"
                         "    return r;\n"
                         "}\n"
                         "var me = parentByClassName(output, 'JavaScriptEvaluator');\n";

} // namespace

class tst_RunDialogs : public QObject
{
    Q_OBJECT

private slots:
    void stopEndsALoopOfTheProgramsDialogs_data();
    void stopEndsALoopOfTheProgramsDialogs();
    void stopCancelsTheQuestionOfAScriptsClose();
};

void tst_RunDialogs::stopEndsALoopOfTheProgramsDialogs_data()
{
    // The tool bar's items in order, the hidden menu item first.
    QTest::addColumn<int>("item");
    QTest::newRow("Compress") << 13;
    QTest::newRow("Save As") << 4;
}

// A script that opens a dialog of the program again as soon as it is cancelled: while the dialog is up, the
// window's Stop takes the user's click, ends the run and closes the dialog.
void tst_RunDialogs::stopEndsALoopOfTheProgramsDialogs()
{
    QFETCH(int, item);
    RUN_ROW_IN_CHILD(2 * HangBoundMs);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QLatin1String(s_itemsOf)
                   + QStringLiteral("while (true) { mouseClick(items(me)[%1]); delay(10); }").arg(item));
    User user(&window, 3);
    QTest::mouseClick(toolBarItem(&window, QStringLiteral("Run")), Qt::LeftButton);
    QVERIFY2(!user.gaveUp(), "Stop did not reach the window");
    QVERIFY(!window.findChild<Editor *>()->isRunning());
    QVERIFY(!shownDialog());
    QVERIFY2(printed(&window).contains(QLatin1String("stopped by user")), qPrintable(printed(&window)));
}

// close() from a script asks about the unsaved text; Stop answers the question as Cancel, and the window stays
// with its text.
void tst_RunDialogs::stopCancelsTheQuestionOfAScriptsClose()
{
    RUN_ROW_IN_CHILD(2 * HangBoundMs);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString script = QLatin1String(s_itemsOf) + QStringLiteral("me.close();\nprintout('after close');");
    window.setText(script);
    User user(&window, 1);
    QTest::mouseClick(toolBarItem(&window, QStringLiteral("Run")), Qt::LeftButton);
    QVERIFY2(!user.gaveUp(), "Stop did not reach the window");
    QVERIFY(!shownDialog());
    QVERIFY(window.isVisible());
    QCOMPARE(window.findChild<QMMistlark::DocWindow *>()->toPlainText(), script);
}

TARSEL_APP_TEST_MAIN(tst_RunDialogs)
#include "tst_RunDialogs.moc"
