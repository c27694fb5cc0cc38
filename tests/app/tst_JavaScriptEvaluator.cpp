#include "app/JavaScriptEvaluator.h"
#include "MUI/MUITabBarItem.h"
#include "QMWidgets/App.h"
#include "scripting/DocWindow.h"
#include "scripting/Editor.h"

#include "ModalAnswer.h"
#include "TestApp.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTextDocument>

#include <memory>

namespace {

const QString defaultText = QStringLiteral("printout(\"Hello World 1\");\nalert(\"Hello World 2\");");

QMMistlark::Editor *editorOf(JavaScriptEvaluator *window)
{
    return window->findChild<QMMistlark::Editor *>();
}

QString outputOf(JavaScriptEvaluator *window)
{
    QTextDocument output;
    output.setHtml(editorOf(window)->outputHtml());
    return output.toPlainText();
}

void clickItem(JavaScriptEvaluator *window, const QString &caption)
{
    const QList<MUITabBarItem *> items = window->findChildren<MUITabBarItem *>();
    for (MUITabBarItem *item : items) {
        if (item->text() == caption) {
            QTest::mouseClick(item, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no tool-bar item \"%1\"").arg(caption)));
}

MUITabBarItem *toolBarItem(JavaScriptEvaluator *window, const QString &caption)
{
    const QList<MUITabBarItem *> items = window->findChildren<MUITabBarItem *>();
    for (MUITabBarItem *item : items) {
        if (item->text() == caption)
            return item;
    }
    return nullptr;
}

// The windows that New and the examples open have no parent; the test owns them.
std::unique_ptr<JavaScriptEvaluator> takeOtherWindow(const JavaScriptEvaluator *known)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        auto *window = qobject_cast<JavaScriptEvaluator *>(widget);
        if (window && window != known && window->isVisible())
            return std::unique_ptr<JavaScriptEvaluator>(window);
    }
    return nullptr;
}

} // namespace

class tst_JavaScriptEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void runItemRunsScript();
    void newOpensWindowBesideThisOne();
    void examplesPrintTheirResults_data();
    void examplesPrintTheirResults();
    void closingAsksWhenChanged_data();
    void closingAsksWhenChanged();
    void savedDocumentClosesWithoutAsking();
    void closingABusyWindowStopsItsScriptFirst_data();
    void closingABusyWindowStopsItsScriptFirst();
    void nextWindowOpensAtLastSize();
};

void tst_JavaScriptEvaluator::runItemRunsScript()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("printout('six sevens: ' + 6 * 7);"));

    clickItem(&window, QStringLiteral("Run"));
    QTRY_VERIFY(!editorOf(&window)->isEvaluating());
    QCOMPARE(outputOf(&window), QStringLiteral("six sevens: 42"));
}

void tst_JavaScriptEvaluator::newOpensWindowBesideThisOne()
{
    JavaScriptEvaluator window(nullptr);
    window.move(100, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("var mine = 1;"));
    const QString titleBefore = window.windowTitle();

    clickItem(&window, QStringLiteral("New"));
    std::unique_ptr<JavaScriptEvaluator> second = takeOtherWindow(&window);
    QVERIFY(second);
    QCOMPARE(second->pos(), window.pos() + QPoint(25, 25));
    QCOMPARE(editorOf(second.get())->document()->toPlainText(), defaultText);
    QCOMPARE(editorOf(&window)->document()->toPlainText(), QStringLiteral("var mine = 1;"));
    QCOMPARE(window.windowTitle(), titleBefore);
}

void tst_JavaScriptEvaluator::examplesPrintTheirResults_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QString>("expectedOutput");

    QTest::newRow("fibonaci: the first nine numbers") << QByteArray("slotFibonaci")
                                                     << QStringLiteral("1\n1\n2\n3\n5\n8\n13\n21\n34");
    QTest::newRow("json: a name, a lover, then the age") << QByteArray("slotJson")
                                                        << QStringLiteral("Nelda loves Bertil\n47");
    QTest::newRow("regex: every match whatever its case") << QByteArray("slotRegex")
                                                         << QStringLiteral("Test,TEST,test");
    // Checked as a number below: only its closeness to pi is promised.
    QTest::newRow("pi: the Leibniz series") << QByteArray("slotPi") << QString();
}

void tst_JavaScriptEvaluator::examplesPrintTheirResults()
{
    QFETCH(QByteArray, slot);
    QFETCH(QString, expectedOutput);

    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QMetaObject::invokeMethod(&window, slot.constData()));
    std::unique_ptr<JavaScriptEvaluator> example = takeOtherWindow(&window);
    QVERIFY(example);
    QCOMPARE(example->windowTitle(), QStringLiteral(" [modified]"));

    clickItem(example.get(), QStringLiteral("Run"));
    QTRY_VERIFY(!editorOf(example.get())->isEvaluating());
    QVERIFY2(!editorOf(example.get())->hasError(), qPrintable(outputOf(example.get())));
    const QString output = outputOf(example.get());
    if (expectedOutput.isNull()) {
        bool isNumber = false;
        const double value = output.toDouble(&isNumber);
        QVERIFY2(isNumber, qPrintable(output));
        QVERIFY2(qAbs(value - M_PI) < 1e-6, qPrintable(output));
    } else {
        QCOMPARE(output, expectedOutput);
    }
}

void tst_JavaScriptEvaluator::closingAsksWhenChanged_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes closes without saving") << true;
    QTest::newRow("No keeps the window and its text") << false;
}

void tst_JavaScriptEvaluator::closingAsksWhenChanged()
{
    QFETCH(bool, answerYes);
    const QMessageBox::StandardButton answer = answerYes ? QMessageBox::Yes : QMessageBox::No;

    // A fresh window counts as changed, though no title has reached it yet.
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QObject context;
    QString title;
    QString question;
    bool noIsDefault = false;
    answerNextModal(&context, [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        title = box->windowTitle();
        question = box->text();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        box->button(answer)->click();
    });
    const bool closed = window.close();

    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(question, QStringLiteral("The text of the \"\" file has been changed. "
                                      "Do you want to quit without saving the changes?"));
    QVERIFY(noIsDefault);
    QCOMPARE(closed, answerYes);
    QCOMPARE(window.isVisible(), !answerYes);
    QCOMPARE(editorOf(&window)->document()->toPlainText(), defaultText);
}

void tst_JavaScriptEvaluator::closingABusyWindowStopsItsScriptFirst_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes closes the stopped window") << true;
    QTest::newRow("No keeps the stopped window and its text") << false;
}

void tst_JavaScriptEvaluator::closingABusyWindowStopsItsScriptFirst()
{
    QFETCH(bool, answerYes);
    const QString script = QStringLiteral("while (true) {}");
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(script);
    MUITabBarItem *run = toolBarItem(&window, QStringLiteral("Run"));
    MUITabBarItem *open = toolBarItem(&window, QStringLiteral("Open"));
    MUITabBarItem *stop = toolBarItem(&window, QStringLiteral("Stop"));
    QVERIFY(run && open && stop);

    QObject context;
    QString question;
    answerNextModal(&context, [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        question = box->text();
        box->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    bool startingItemsEnabled = true;
    bool stopEnabled = false;
    bool closed = !answerYes;
    QTimer::singleShot(300, &window, [&] {
        startingItemsEnabled = run->isEnabled() || open->isEnabled();
        stopEnabled = stop->isEnabled();
        closed = window.close();
    });
    // Returns when the run has ended.
    clickItem(&window, QStringLiteral("Run"));

    QVERIFY(!startingItemsEnabled);
    QVERIFY(stopEnabled);
    QVERIFY(run->isEnabled() && open->isEnabled());
    QCOMPARE(question, QStringLiteral("The text of the \" [modified]\" file has been changed. "
                                      "Do you want to quit without saving the changes?"));
    QCOMPARE(closed, answerYes);
    QCOMPARE(window.isVisible(), !answerYes);
    QVERIFY(!editorOf(&window)->isRunning());
    QVERIFY(editorOf(&window)->hasError());
    QVERIFY2(outputOf(&window).contains(QLatin1String("Script evaluation is stopped by user")),
             qPrintable(outputOf(&window)));
    QCOMPARE(editorOf(&window)->document()->toPlainText(), script);
}

void tst_JavaScriptEvaluator::savedDocumentClosesWithoutAsking()
{
    QTemporaryDir folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    const QString path = folder.filePath(QStringLiteral("demo.js"));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("printout(1);");
    file.close();

    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setText(QStringLiteral("var a;"));
    QCOMPARE(window.windowTitle(), QStringLiteral(" [modified]"));
    editorOf(&window)->open(path);
    QCOMPARE(window.windowTitle(), path);

    QObject context;
    bool asked = false;
    answerNextModal(&context, [&](QWidget *modal) {
        asked = true;
        modal->close();
    });
    QVERIFY(window.close());
    QVERIFY(!asked);
    QVERIFY(!window.isVisible());
}

void tst_JavaScriptEvaluator::nextWindowOpensAtLastSize()
{
    JavaScriptEvaluator window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Wider than the full tool bar, which the window cannot be made narrower than.
    window.resize(820, 410);
    QMWidgets::App *app = QMWidgets::App::instance();
    QTRY_COMPARE(app->value(QStringLiteral("Width")).toInt(), 820);
    QTRY_COMPARE(app->value(QStringLiteral("Height")).toInt(), 410);

    std::unique_ptr<JavaScriptEvaluator> next(window.slotCreateNewWindow());
    QCOMPARE(next->size(), QSize(820, 410));
}

TARSEL_APP_TEST_MAIN(tst_JavaScriptEvaluator)
#include "tst_JavaScriptEvaluator.moc"
