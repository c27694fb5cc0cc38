#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include "ChildRun.h"
#include "HangBound.h"
#include "TestApp.h"
#include "XvfbRun.h"

#include <QDialog>
#include <QKeySequence>
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

// The Stop key as the user presses it: through the window system, to the window that has the keyboard.
void userPressesStopKey(JavaScriptEvaluator *window)
{
    QWindow *target = QGuiApplication::focusWindow();
    if (QWidget *popup = QApplication::activePopupWidget())
        target = popup->windowHandle();
    else if (QWidget *modal = QApplication::activeModalWidget())
        target = modal->windowHandle();
    if (!target)
        target = window->windowHandle();
    QTest::keyClick(target, Qt::Key_Escape, Qt::ShiftModifier);
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

enum class Stopping { Key, Click, ByItself };

// Plays the user while a run goes: once the script has printed that it loops, and the dialog or pop-up it keeps
// opening has come the given number of times, stops it. A Stop that does not arrive leaves the run to a last
// resort, so that the row fails instead of hanging.
class User : public QObject
{
public:
    User(JavaScriptEvaluator *window, int dialogsBeforeStop, Stopping stopping)
        : m_window(window)
        , m_dialogsBeforeStop(dialogsBeforeStop)
        , m_stopping(stopping)
    {
        connect(&m_tick, &QTimer::timeout, this, [this] { look(); });
        m_tick.start(20);
        QTimer::singleShot(HangBoundMs, this, [this] {
            m_gaveUp = true;
            m_tick.stop();
            while (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
            while (QDialog *dialog = shownDialog())
                dialog->reject();
            m_window->findChild<QScriptEngine *>()->abortEvaluation();
        });
    }

    bool gaveUp() const { return m_gaveUp; }

private:
    void look()
    {
        if (m_stopping == Stopping::ByItself || !printed(m_window).contains(QLatin1String("looping")))
            return;
        QWidget *dialog = QApplication::activePopupWidget();
        if (!dialog)
            dialog = shownDialog();
        // Each one seen is closed at once: one still up is the next that the script opened.
        if (m_dialogsBeforeStop > 0) {
            if (!dialog)
                return;
            if (++m_dialogs < m_dialogsBeforeStop) {
                dialog->close();
                return;
            }
        }
        m_tick.stop();
        if (m_stopping == Stopping::Key)
            userPressesStopKey(m_window);
        else
            userClicks(m_window, QStringLiteral("Stop"));
    }

    JavaScriptEvaluator *m_window;
    int m_dialogsBeforeStop;
    Stopping m_stopping;
    int m_dialogs = 0;
    QTimer m_tick;
    bool m_gaveUp = false;
};

const char s_itemsOf[] = "function items(w) {\n"
                         "    var a = w.findChildren(), r = [];\n"
                         "    for (var i = 0; i < a.length; i++) if (className(a[i]) == 'MUITabBarItem') r.push(a[i]);\n"
                         "    return r;\n"
                         "}\n"
                         "var me = parentByClassName(output, 'JavaScriptEvaluator');\n"
                         "var bar = getSubWidgetByClassName(me, 'MUITabBar');\n"
                         "var menus = [], all = me.findChildren();\n"
                         "for (var i = 0; i < all.length; i++) if (/Menu$/.test(className(all[i]))) menus.push(all[i]);\n";

// Runs the script in the window and lets the user stop it; false when Stop did not reach the run.
bool runAndStop(JavaScriptEvaluator *window, const QString &script, int dialogsBeforeStop, Stopping stopping)
{
    window->setText(QLatin1String(s_itemsOf) + script);
    User user(window, dialogsBeforeStop, stopping);
    QTest::mouseClick(toolBarItem(window, QStringLiteral("Run")), Qt::LeftButton);
    return !user.gaveUp();
}

} // namespace

Q_DECLARE_METATYPE(Stopping)

class tst_RunDialogs : public QObject
{
    Q_OBJECT

private slots:
    void stopReachesTheRun_data();
    void stopReachesTheRun();
    void stopKeyOnX11();
    void stopCancelsTheQuestionOfAScriptsClose();
};

void tst_RunDialogs::stopReachesTheRun_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("dialogsBeforeStop");
    QTest::addColumn<Stopping>("stopping");
    // The tool bar's items in order, the hidden menu item first: 4 is Save As, 11 Stop, 13 Compress.
    const QString loop = QStringLiteral("printout('looping');\nwhile (true) { delay(50); }");
    // A dialog of the program, modal as it was made, reopened at once: only the key reaches past it.
    QTest::newRow("Compress dialog reopened over Stop")
        << QStringLiteral("printout('looping');\nwhile (true) { mouseClick(items(me)[13]); delay(10); }") << 3
        << Stopping::Key;
    QTest::newRow("Save As dialog reopened over Stop")
        << QStringLiteral("printout('looping');\nwhile (true) { mouseClick(items(me)[4]); delay(10); }") << 3
        << Stopping::Key;
    // A pop-up takes every click and key of the application.
    QTest::newRow("pop-up menu reopened") << QStringLiteral("printout('looping');\nwhile (true) { menus[0].show(); delay(10); }")
                                          << 3 << Stopping::Key;
    QTest::newRow("Stop greyed: clicked") << "items(me)[11].enabled = false;\n" + loop << 0 << Stopping::Click;
    QTest::newRow("Stop greyed: key") << "items(me)[11].enabled = false;\n" + loop << 0 << Stopping::Key;
    QTest::newRow("Stop hidden") << "items(me)[11].hide();\n" + loop << 0 << Stopping::Click;
    QTest::newRow("tool bar hidden") << "bar.hide();\n" + loop << 0 << Stopping::Click;
    QTest::newRow("tool bar disabled") << "bar.setEnabled(false);\n" + loop << 0 << Stopping::Click;
    QTest::newRow("window disabled: clicked") << "me.enabled = false;\n" + loop << 0 << Stopping::Click;
    QTest::newRow("window disabled: key") << "me.enabled = false;\n" + loop << 0 << Stopping::Key;
    // The only window gone would leave nothing to stop the run from: hiding it stops the run.
    QTest::newRow("only window hidden") << "me.hide();\n" + loop << 0 << Stopping::ByItself;
}

// Whatever the script did to the windows, the user stops it as the README says, the window is back with its
// text and its controls, and the next run can be stopped as well.
void tst_RunDialogs::stopReachesTheRun()
{
    QFETCH(QString, script);
    QFETCH(int, dialogsBeforeStop);
    QFETCH(Stopping, stopping);
    RUN_ROW_IN_CHILD(3 * HangBoundMs);
    const QString expectedPlatform = qEnvironmentVariable("TARSEL_EXPECT_PLATFORM");
    if (!expectedPlatform.isEmpty())
        QCOMPARE(QGuiApplication::platformName(), expectedPlatform);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(runAndStop(&window, script, dialogsBeforeStop, stopping), "Stop did not reach the run");
    const QString text = window.findChild<QMMistlark::DocWindow *>()->toPlainText();

    QVERIFY(!window.findChild<Editor *>()->isRunning());
    QVERIFY2(printed(&window).contains(QLatin1String("stopped by user")), qPrintable(printed(&window)));
    QTRY_VERIFY_WITH_TIMEOUT(!shownDialog() && !QApplication::activePopupWidget(), HangBoundMs);
    QTRY_VERIFY_WITH_TIMEOUT(window.isVisible() && window.isEnabled(), HangBoundMs);
    MUITabBarItem *stop = toolBarItem(&window, QStringLiteral("Stop"));
    QTRY_VERIFY_WITH_TIMEOUT(stop->isVisible() && stop->isEnabled(), HangBoundMs);
    // The key that the README names is shown where the user looks for Stop.
    QVERIFY2(stop->toolTip().contains(QKeySequence(Qt::SHIFT | Qt::Key_Escape).toString(QKeySequence::NativeText)),
             qPrintable(stop->toolTip()));
    QVERIFY(toolBarItem(&window, QStringLiteral("Run"))->isEnabled());
    QCOMPARE(window.findChild<QMMistlark::DocWindow *>()->toPlainText(), text);

    QVERIFY2(runAndStop(&window, QStringLiteral("printout('looping');\nwhile (true) { delay(50); }"), 0,
                        Stopping::Click),
             "Stop did not reach the next run");
    QVERIFY(!window.findChild<Editor *>()->isRunning());
}

// The rows where only the key reaches the run, again on an X server: there the dialog and the pop-up hold the
// keyboard as the X platform gives it to them.
void tst_RunDialogs::stopKeyOnX11()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("Runs only as the parent of the X run");
    const QStringList rows = {QStringLiteral("stopReachesTheRun:Compress dialog reopened over Stop"),
                              QStringLiteral("stopReachesTheRun:pop-up menu reopened"),
                              QStringLiteral("stopReachesTheRun:window disabled: key")};
    const XvfbRun run = runUnderXvfb(rows);
    if (!run.started)
        QSKIP("xvfb-run is not installed (package xvfb)");
    QVERIFY2(run.passed, qPrintable(run.output));
    QVERIFY2(run.output.count(QLatin1String("PASS   : tst_RunDialogs::stopReachesTheRun(")) == rows.size(),
             qPrintable(run.output));
}

// close() from a script asks about the unsaved text; the Stop key answers the question as Cancel, and the window
// stays with its text.
void tst_RunDialogs::stopCancelsTheQuestionOfAScriptsClose()
{
    RUN_ROW_IN_CHILD(2 * HangBoundMs);
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(runAndStop(&window, QStringLiteral("printout('looping');\nme.close();\nprintout('after close');"), 1,
                        Stopping::Key),
             "Stop did not reach the run");
    QVERIFY(!shownDialog());
    QVERIFY(window.isVisible());
    QVERIFY(!printed(&window).contains(QLatin1String("after close")));
}

TARSEL_APP_TEST_MAIN(tst_RunDialogs)
#include "tst_RunDialogs.moc"
