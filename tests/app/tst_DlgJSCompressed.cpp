#include "app/DlgJSCompressed.h"
#include "app/JSMainWindow.h"
#include "app/JavaScriptEvaluator.h"
#include "scripting/editor/Editor.h"
#include "MUI/MUITabBarItem.h"
#include "QMWidgets/app/App.h"
#include "ChildRun.h"
#include "ModalAnswer.h"
#include "ScaledRun.h"
#include "ScreenFitCheck.h"
#include "TestApp.h"
#include "WidgetFinder.h"
#include "resources/Resources.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScriptEngine>
#include <QTemporaryDir>
#include <QTextEdit>

using QMWidgets::App;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the save road met: the name the file dialog offered and the message that followed, if any.
struct SaveRoad
{
    QString offered;
    QString messageTitle;
    QString messageText;
    QString unexpected;
};

// Answers the file dialog with the path (an empty path cancels it) and then the message box, if one comes.
void answerSaveRoad(QObject *context, SaveRoad *road, const QString &path)
{
    answerNextModal(context, [=](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            road->unexpected = modal->metaObject()->className();
            modal->close();
            return;
        }
        road->offered = dialog->selectedFiles().value(0);
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        answerNextModal(context, [=](QWidget *next) {
            if (auto *box = qobject_cast<QMessageBox *>(next)) {
                road->messageTitle = box->windowTitle();
                road->messageText = box->text();
            } else {
                road->unexpected = next->metaObject()->className();
            }
            next->close();
        });
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

QString evaluated(const QString &script)
{
    QScriptEngine engine;
    return engine.evaluate(script).toString();
}

} // namespace

class tst_DlgJSCompressed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void textIsShownAsWritten();
    void shortScreenKeepsTheButtonsInView();
    void saveWritesUtf8_data();
    void saveWritesUtf8();
    void cancelledSaveClosesWithoutWriting();
    void failedWriteWarns();
    void windowDeletedWhileItAsks_data();
    void windowDeletedWhileItAsks();
    void compressFromTheToolBar_data();
    void compressFromTheToolBar();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_DlgJSCompressed::initTestCase()
{
    Resources::init();
}

void tst_DlgJSCompressed::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    App::instance()->setSaveDirectory(m_dir->filePath("any"));
}

void tst_DlgJSCompressed::cleanup()
{
    m_dir.reset();
}

void tst_DlgJSCompressed::textIsShownAsWritten()
{
    DlgJSCompressed dialog;
    QCOMPARE(dialog.windowTitle(), QString("Compressor Dialog"));
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    dialog.setCompressedText("var s=\"<b>x</b>\";");
    QCOMPARE(dialog.findChild<QTextEdit *>()->toPlainText(), QString("var s=\"<b>x</b>\";"));
}

// At ratio 2 the offscreen screen counts as 400 x 300, smaller than the 600 x 450 the dialog opens at: it fits
// the screen and its buttons stay in view and work.
void tst_DlgJSCompressed::shortScreenKeepsTheButtonsInView()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const ScaledRun run = runScaled({"shortScreenKeepsTheButtonsInView"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    DlgJSCompressed dialog;
    dialog.setCompressedText("var a=1;");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString fault = screenFitFault(&dialog, {"&Save", "&Cancel"});
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void tst_DlgJSCompressed::saveWritesUtf8_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("extension added") << "out" << "out.js";
    QTest::newRow("extension kept") << "out.js" << "out.js";
    QTest::newRow("capital extension gets another") << "out.JS" << "out.JS.js";
}

void tst_DlgJSCompressed::saveWritesUtf8()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    DlgJSCompressed dialog;
    dialog.setCompressedText("var s=\"caf\u00e9 \u2713\";");
    dialog.setBaseName("demo");
    // Edits made in the dialog are saved too.
    dialog.findChild<QTextEdit *>()->append("s");

    SaveRoad road;
    answerSaveRoad(this, &road, m_dir->filePath(chosen));
    dialog.slotSave();
    QCOMPARE(road.unexpected, QString());
    QCOMPARE(road.offered, m_dir->filePath("demoCompressed.js"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const QString path = m_dir->filePath(written);
    QCOMPARE(readBytes(path), QString("var s=\"caf\u00e9 \u2713\";\ns").toUtf8());
    QCOMPARE(road.messageTitle, QString("Information"));
    QCOMPARE(road.messageText, "The " + path + " was successfully saved");
    QCOMPARE(App::instance()->saveDirectory(), m_dir->path());
}

void tst_DlgJSCompressed::cancelledSaveClosesWithoutWriting()
{
    DlgJSCompressed dialog;
    dialog.setCompressedText("x");
    SaveRoad road;
    answerSaveRoad(this, &road, QString());
    dialog.slotSave();
    QCOMPARE(road.offered, m_dir->filePath("Compressed.js"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void tst_DlgJSCompressed::failedWriteWarns()
{
    // Nothing can be created in /proc, not even by root.
    DlgJSCompressed dialog;
    dialog.setCompressedText("x");
    SaveRoad road;
    answerSaveRoad(this, &road, "/proc/compressed.js");
    dialog.slotSave();
    QCOMPARE(road.unexpected, QString());
    QCOMPARE(road.messageTitle, QString("Warning"));
    QVERIFY2(road.messageText.startsWith("Cannot save the file \"/proc/compressed.js\""), qPrintable(road.messageText));
    QVERIFY(!QFile::exists("/proc/compressed.js"));
}

void tst_DlgJSCompressed::compressFromTheToolBar_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("offered");
    QTest::newRow("unnamed and changed document") << "" << "Compressed.js";
    QTest::newRow("name up to the first dot") << "demo.v2.js" << "demoCompressed.js";
}

void tst_DlgJSCompressed::compressFromTheToolBar()
{
    QFETCH(QString, fileName);
    QFETCH(QString, offered);
    const QString script = "// sums\nvar total = 0;\nfor (var i = 1; i <= 4; i++)\n    total += i * 2;\ntotal;\n";
    JavaScriptEvaluator window(nullptr);
    window.show();
    if (fileName.isEmpty()) {
        window.findChild<JSMainWindow *>()->setText(script);
    } else {
        QFile file(m_dir->filePath(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        window.findChild<QMMistlark::Editor *>()->open(file.fileName());
    }

    QString shown;
    SaveRoad road;
    answerNextModal(this, [&](QWidget *modal) {
        auto *dialog = qobject_cast<DlgJSCompressed *>(modal);
        if (!dialog) {
            road.unexpected = modal->metaObject()->className();
            modal->close();
            return;
        }
        shown = dialog->findChild<QTextEdit *>()->toPlainText();
        answerSaveRoad(this, &road, m_dir->filePath("saved"));
        QTest::mouseClick(findButton(dialog, "&Save"), Qt::LeftButton);
    });
    const QList<MUITabBarItem *> items = window.findChildren<MUITabBarItem *>();
    auto compress = std::find_if(items.begin(), items.end(), [](MUITabBarItem *item) { return item->text() == "Compress"; });
    QVERIFY(compress != items.end());
    QTest::mouseClick(*compress, Qt::LeftButton);

    QCOMPARE(road.unexpected, QString());
    QCOMPARE(shown, QString("\nvar total=0;for(var i=1;i<=4;i++)\n total+=i*2;total;\n"));
    QCOMPARE(road.offered, m_dir->filePath(offered));
    const QString saved = QString::fromUtf8(readBytes(m_dir->filePath("saved.js")));
    QCOMPARE(saved, shown);
    QCOMPARE(evaluated(saved), evaluated(script));
}

void tst_DlgJSCompressed::windowDeletedWhileItAsks_data()
{
    QTest::addColumn<bool>("answerTheFileDialog");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("the file dialog") << false << "QFileDialog";
    QTest::newRow("the message after the save") << true << "QMessageBox";
}

// The dialog closed itself after a prompt during which its window may go, and Qt's static message box lay on the
// stack with it as parent (in a process of its own: that aborts the sanitizer build).
void tst_DlgJSCompressed::windowDeletedWhileItAsks()
{
    QFETCH(bool, answerTheFileDialog);
    QFETCH(QString, dialogClass);
    if (ranRowInChild())
        return;
    QPointer<QWidget> window = new QWidget;
    auto *dialog = new DlgJSCompressed(window);
    dialog->setCompressedText("var a=1;");
    window->show();
    QObject context;
    QString deletedAt;
    const QString path = m_dir->filePath("saved.js");
    if (answerTheFileDialog) {
        answerNextModal(&context, [&](QWidget *modal) {
            auto *files = qobject_cast<QFileDialog *>(modal);
            QVERIFY(files);
            deleteOnNextModal(&context, window, &deletedAt);
            files->selectFile(path);
            static_cast<QDialog *>(files)->accept();
        });
    } else {
        deleteOnNextModal(&context, window, &deletedAt);
    }
    dialog->slotSave();
    QVERIFY(window.isNull());
    QCOMPARE(deletedAt, dialogClass);
    QCOMPARE(QFile::exists(path), answerTheFileDialog);
}

TARSEL_APP_TEST_MAIN(tst_DlgJSCompressed)
#include "tst_DlgJSCompressed.moc"
