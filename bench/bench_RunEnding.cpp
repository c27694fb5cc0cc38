// Times how long a run takes to end in the ways a user ends it besides Stop on a plain loop: the Stop key while
// a dialog of the program that the script keeps reopening is up, closing the script window, and closing the
// debugger. Each is measured from the user's act until the run has left the stack.
// Prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "TestApp.h"

#include "MUI/MUITabBarItem.h"
#include "app/JavaScriptEvaluator.h"
#include "scripting/editor/Editor.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

static const int samples = 5;

static QDialog *shownDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QDialog *>(window))
            return static_cast<QDialog *>(window);
    }
    return nullptr;
}

static QMainWindow *shownDebugger()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow *>(window))
            return static_cast<QMainWindow *>(window);
    }
    return nullptr;
}

// Starts the run, waits until reached() says the run holds where it should, ends it with end() and returns the
// milliseconds from the ending until the editor no longer runs; -1 when it did not end.
static double ending(QMMistlark::Editor *editor, const std::function<void()> &start,
                     const std::function<bool()> &reached, const std::function<void()> &end)
{
    QElapsedTimer sinceEnd;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (sinceEnd.isValid() || !reached())
            return;
        sinceEnd.start();
        end();
    });
    user.start(5);
    // Ends a run that the ending missed, so that the benchmark ends either way.
    bool missed = false;
    QTimer::singleShot(20000, editor, [&] {
        missed = true;
        editor->stopEvaluation();
    });
    start();
    while (editor->isRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = double(sinceEnd.nsecsElapsed()) / 1e6;
    user.stop();
    return missed || !sinceEnd.isValid() ? -1 : ms;
}

static bool report(const char *label, QVector<double> times)
{
    std::sort(times.begin(), times.end());
    if (times.first() < 0) {
        std::fprintf(stderr, "bench_RunEnding: %s did not end the run\n", label);
        return false;
    }
    printRow(QStringLiteral("Run ended by %1").arg(QLatin1String(label)), times.at(samples / 2), "ms",
             QStringLiteral("< 200"), 1);
    return true;
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    QTemporaryDir dir;
    const QString saved = QDir(dir.path()).filePath(QStringLiteral("loop.js"));
    QFile file(saved);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write("printout('x'); while (true) {}") < 0)
        return 1;
    file.close();

    QVector<double> dialogStops, closes, debuggerCloses;
    for (int sample = 0; sample < samples; ++sample) {
        {
            // The hidden Compress item is the tool bar's fourteenth.
            JavaScriptEvaluator window(nullptr);
            window.show();
            auto *editor = window.findChild<QMMistlark::Editor *>();
            window.setText(QStringLiteral(
                "var a = parentByClassName(output, 'JavaScriptEvaluator').findChildren(), items = [];\n"
                "for (var i = 0; i < a.length; i++) if (className(a[i]) == 'MUITabBarItem') items.push(a[i]);\n"
                "while (true) { mouseClick(items[13]); delay(10); }"));
            // The key through the window system, to the dialog that has the keyboard: the dialog blocks the
            // window behind it, Stop item and all.
            dialogStops << ending(
                editor, [&] { editor->run(); }, [] { return shownDialog() != nullptr; },
                [] { QTest::keyClick(shownDialog()->windowHandle(), Qt::Key_Escape, Qt::ShiftModifier); });
            while (QDialog *dialog = shownDialog())
                dialog->reject();
        }
        {
            // Saved, the window closes without its question.
            auto *window = new JavaScriptEvaluator(nullptr);
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            window->show();
            auto *editor = window->findChild<QMMistlark::Editor *>();
            if (!editor->load(saved))
                return 1;
            closes << ending(
                editor, [&] { editor->run(); }, [&] { return editor->isEvaluating(); }, [&] { window->close(); });
            delete window;
        }
        {
            QMMistlark::Editor editor;
            editor.setText(QStringLiteral("printout('looping');\nwhile (true) {}"));
            bool continued = false;
            debuggerCloses << ending(
                &editor, [&] { editor.debug(); },
                [&] {
                    // Continued from its first stop, then closed while the script loops.
                    if (!continued) {
                        QMainWindow *debugger = shownDebugger();
                        if (!debugger)
                            return false;
                        // The debugger's actions are shown by its widgets, not owned by them.
                        for (QWidget *widget : debugger->findChildren<QWidget *>()) {
                            for (QAction *action : widget->actions()) {
                                if (!continued && action->text() == QLatin1String("Continue") && action->isEnabled()) {
                                    continued = true;
                                    action->trigger();
                                }
                            }
                        }
                        return false;
                    }
                    return shownDebugger() && editor.outputHtml().contains(QLatin1String("looping"));
                },
                [] { shownDebugger()->close(); });
        }
    }
    const bool all = report("the Stop key while the program's dialog is reopened", dialogStops)
                     & report("closing its saved window", closes)
                     & report("closing the debugger", debuggerCloses);
    return all ? 0 : 1;
}
