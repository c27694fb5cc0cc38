#include "MTools/FileReading.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/css/CssDoc.h"
#include "QMWidgets/css/CssEditor.h"
#include "ChildRun.h"
#include "HostileFile.h"
#include "HostileResource.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

using QMWidgets::App;
using QMWidgets::CssDoc;
using QMWidgets::CssEditor;

namespace {

const QString kDocSheet = QStringLiteral("QTextEdit{background: #000060; color: yellow;}");

QAction *actionNamed(CssEditor &editor, const QString &text)
{
    const QList<QAction *> actions = editor.findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// What the file and message roads met.
struct Seen
{
    QString dialogCaption;
    QString messageTitle;
    QString messageText;
};

// Answers the next file dialog with the path (empty: cancel); runs `after` once it is accepted, and
// notes a message box that follows.
void answerFileDialog(QObject *context, Seen *seen, const QString &path, std::function<void()> after = {})
{
    answerNextModal(context, [=](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            seen->dialogCaption = QStringLiteral("<not a file dialog>");
            modal->close();
            return;
        }
        seen->dialogCaption = dialog->windowTitle();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        answerNextModal(context, [seen](QWidget *next) {
            if (auto *box = qobject_cast<QMessageBox *>(next)) {
                seen->messageTitle = box->windowTitle();
                seen->messageText = box->text();
            }
            next->close();
        });
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
        if (after)
            after();
    });
}

// Runs the command with the file dialog answered; what it arms for a message box ends with the command.
void withFileAnswer(Seen *seen, const QString &path, const std::function<void()> &command,
                    std::function<void()> after = {})
{
    QObject step;
    answerFileDialog(&step, seen, path, std::move(after));
    command();
}

} // namespace

class tst_CssEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void applyAndResetKeepTheEditorsLook();
    void ctrlAInTheTextSelectsAll();
    void setInfoLabelsNamedWidgets();
    void loadAndSaveRealFiles();
    void newDocumentSaveCancelled();
    void failedLoadWarnsAndKeepsTheText();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void applyRefusesHostileResources_data();
    void applyRefusesHostileResources();
    void applyTakesSheetsThatNameGoodFiles();
    void pastedRichTextLoadsNothing();
    void failedSaveWarnsAndKeepsTheTitle();
    void failedSaveAsKeepsSavingToTheShownFile();
    void aboutBox();
    void windowDeletedWhileAWarningIsUp();
    void eachCallOpensAnotherWindow();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_CssEditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_CssEditor::cleanup()
{
    qApp->setStyleSheet(QString());
    m_dir.reset();
}

void tst_CssEditor::applyAndResetKeepTheEditorsLook()
{
    CssEditor editor;
    const QFont font = editor.doc()->document()->defaultFont();
    QCOMPARE(font.family(), QString("Lucida Console"));
    QCOMPARE(font.pointSize(), 12);
    QCOMPARE(font.styleHint(), QFont::Monospace);

    editor.doc()->setPlainText("QPushButton{color: red;}");
    actionNamed(editor, "&Apply")->trigger();
    QCOMPARE(qApp->styleSheet(), QString("QPushButton{color: red;}"));
    QCOMPARE(editor.doc()->styleSheet(), kDocSheet);

    actionNamed(editor, "&Reset")->trigger();
    QCOMPARE(qApp->styleSheet(), QString());

    editor.doc()->setPlainText("QTextEdit{background: white;}");
    actionNamed(editor, "&Apply")->trigger();
    editor.doc()->clear();
    actionNamed(editor, "&Apply")->trigger();
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(editor.doc()->styleSheet(), kDocSheet);
    QCOMPARE(editor.doc()->document()->defaultFont().family(), QString("Lucida Console"));
}

void tst_CssEditor::ctrlAInTheTextSelectsAll()
{
    CssEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.doc()->setPlainText("QLabel{color: red;}");
    editor.doc()->setFocus();
    QTest::keyClick(editor.doc(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(editor.doc()->textCursor().selectedText(), QString("QLabel{color: red;}"));
    QCOMPARE(qApp->styleSheet(), QString());
}

void tst_CssEditor::setInfoLabelsNamedWidgets()
{
    CssEditor editor;
    editor.doc()->setToolTip("the text");
    editor.doc()->viewport()->setToolTip("its viewport");
    QWidget window;
    window.setObjectName("Window");
    auto *named = new QPushButton("Run", &window);
    named->setObjectName("PushButton");
    named->setToolTip("Run");
    auto *unnamed = new QPushButton("Stop", &window);
    unnamed->setToolTip("Stop");

    actionNamed(editor, "&SetInfo")->trigger();
    QCOMPARE(named->toolTip(), QString("QPushButton\nPushButton\nRun"));
    QCOMPARE(window.toolTip(), QString("QWidget\nWindow\n"));
    QCOMPARE(unnamed->toolTip(), QString("Stop"));
    QCOMPARE(editor.doc()->toolTip(), QString("the text"));
    QCOMPARE(editor.doc()->viewport()->toolTip(), QString("its viewport"));

    // Each pass adds the two lines again.
    editor.slotApplyToolTipsInfo();
    QCOMPARE(named->toolTip(), QString("QPushButton\nPushButton\nQPushButton\nPushButton\nRun"));
}

void tst_CssEditor::loadAndSaveRealFiles()
{
    const QString path = m_dir->filePath("style.qss");
    writeBytes(path, "QLabel{color: red;}\n");
    CssEditor editor;
    Seen seen;
    withFileAnswer(&seen, path, [&] { actionNamed(editor, "&Open...")->trigger(); });
    QCOMPARE(editor.doc()->toPlainText(), QString("QLabel{color: red;}\n"));
    QCOMPARE(editor.windowTitle(), path);

    // Save writes to the loaded file without asking.
    editor.doc()->setPlainText("QLabel{color: blue;}");
    actionNamed(editor, "&Save")->trigger();
    QCOMPARE(readBytes(path), QByteArray("QLabel{color: blue;}"));

    const QString other = m_dir->filePath("other.qss");
    withFileAnswer(&seen, other, [&] { editor.doc()->slotSaveAs(); });
    QCOMPARE(seen.dialogCaption, path); // the current name is the dialog's caption
    QCOMPARE(readBytes(other), QByteArray("QLabel{color: blue;}"));
    QCOMPARE(editor.windowTitle(), other);
    QCOMPARE(seen.messageTitle, QString());
}

void tst_CssEditor::newDocumentSaveCancelled()
{
    CssEditor editor;
    editor.doc()->setPlainText("QLabel{}");
    Seen seen;
    withFileAnswer(&seen, QString(), [&] { actionNamed(editor, "&Save")->trigger(); });
    QCOMPARE(seen.dialogCaption, QString("Save As")); // Qt's own title for an empty caption
    QCOMPARE(editor.doc()->fileName(), QString());
    QCOMPARE(editor.windowTitle(), QString());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void tst_CssEditor::failedLoadWarnsAndKeepsTheText()
{
    const QString path = m_dir->filePath("gone.qss");
    writeBytes(path, "QLabel{}");
    CssEditor editor;
    editor.doc()->setPlainText("kept");
    editor.setWindowTitle("before");
    Seen seen;
    // The file goes between the choice and the reading.
    withFileAnswer(&seen, path, [&] { editor.doc()->slotLoad(); }, [path] { QFile::remove(path); });
    QCOMPARE(seen.messageTitle, QString("Warning"));
    QVERIFY2(seen.messageText.contains(path), qPrintable(seen.messageText));
    QCOMPARE(editor.doc()->toPlainText(), QString("kept"));
    QCOMPARE(editor.windowTitle(), QString("before"));
}

void tst_CssEditor::hostileFilesAreRefused_data()
{
    addHostileFileRows();
}

void tst_CssEditor::hostileFilesAreRefused()
{
    RUN_ROW_IN_CHILD();
    const HostileFile hostile = makeHostileFile(m_dir->path(), MTools::SmallFileBound);
    CssEditor editor;
    editor.doc()->setPlainText("kept");
    Seen seen;
    withFileAnswer(&seen, hostile.path, [&] { editor.doc()->slotLoad(); });
    QCOMPARE(seen.messageTitle, QString("Warning"));
    QVERIFY2(seen.messageText.contains(hostile.reason), qPrintable(seen.messageText));
    QCOMPARE(editor.doc()->toPlainText(), QString("kept"));
}

void tst_CssEditor::applyRefusesHostileResources_data()
{
    addHostileResourceRows();
}

// Applying the sheet would have Qt open the file with a blocking read: nothing is applied, and the warning
// says why, at once.
void tst_CssEditor::applyRefusesHostileResources()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(m_dir->path());
    CssEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.doc()->setPlainText(styleSheetDrawing(hostile.path));
    const RouteCost cost;
    Seen seen;
    answerNextModal(this, [&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.messageTitle = box->windowTitle();
            seen.messageText = box->text();
        }
        modal->close();
    });
    actionNamed(editor, "&Apply")->trigger();
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(seen.messageTitle, QString("Apply"));
    QVERIFY2(seen.messageText.contains(hostile.reason) && seen.messageText.contains(hostile.path),
             qPrintable(seen.messageText));
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

// A picture file within the bounds and the program's own pictures are drawn as before.
void tst_CssEditor::applyTakesSheetsThatNameGoodFiles()
{
    const QString picture = m_dir->filePath("ground.png");
    QImage ground(8, 8, QImage::Format_RGB32);
    ground.fill(Qt::green);
    QVERIFY(ground.save(picture));
    const QString sheet = QString("QLabel { background-image: url(%1); } QPushButton { image: url(:/qt-project.org/"
                                  "styles/commonstyle/images/file-16.png); }")
                              .arg(picture);
    CssEditor editor;
    editor.doc()->setPlainText(sheet);
    actionNamed(editor, "&Apply")->trigger();
    QCOMPARE(qApp->styleSheet(), sheet);
}

// A style sheet is plain text: rich text pasted into it names nothing that is loaded.
void tst_CssEditor::pastedRichTextLoadsNothing()
{
    if (ranRowInChild(HostileRowTimeoutMs))
        return;
    const QString pipe = m_dir->filePath("pipe");
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    auto *copied = new QMimeData;
    copied->setHtml(QString("<p>QLabel {}</p><img src=\"%1\">").arg(pipe));
    copied->setText("QLabel {}");
    QApplication::clipboard()->setMimeData(copied);
    CssEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.doc()->paste();
    editor.doc()->grab();
    QCOMPARE(editor.doc()->toPlainText(), QString("QLabel {}"));
}

void tst_CssEditor::failedSaveWarnsAndKeepsTheTitle()
{
    CssEditor editor;
    editor.setWindowTitle("before");
    editor.doc()->setPlainText("QLabel{}");
    Seen seen;
    // Nothing can be created in /proc, not even by root.
    withFileAnswer(&seen, "/proc/style.qss", [&] { editor.doc()->slotSaveAs(); });
    QCOMPARE(seen.messageTitle, QString("Warning"));
    QVERIFY2(seen.messageText.contains("/proc/style.qss"), qPrintable(seen.messageText));
    QCOMPARE(editor.windowTitle(), QString("before"));
    QVERIFY(!QFile::exists("/proc/style.qss"));
}

void tst_CssEditor::failedSaveAsKeepsSavingToTheShownFile()
{
    const QString path = m_dir->filePath("style.qss");
    writeBytes(path, "QLabel{}");
    CssEditor editor;
    Seen seen;
    withFileAnswer(&seen, path, [&] { editor.doc()->slotLoad(); });
    editor.doc()->setPlainText("QLabel{color: green;}");
    withFileAnswer(&seen, "/proc/style.qss", [&] { editor.doc()->slotSaveAs(); });
    QCOMPARE(seen.messageTitle, QString("Warning"));
    QCOMPARE(editor.doc()->fileName(), path);

    // Save goes, without a dialog or a warning, to the file the title still shows.
    Seen later;
    withFileAnswer(&later, QString(), [&] { actionNamed(editor, "&Save")->trigger(); });
    QCOMPARE(later.dialogCaption, QString());
    QCOMPARE(later.messageTitle, QString());
    QCOMPARE(readBytes(path), QByteArray("QLabel{color: green;}"));
    QCOMPARE(editor.windowTitle(), path);
}

void tst_CssEditor::aboutBox()
{
    CssEditor editor;
    QString title;
    QString text;
    answerNextModal(this, [&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            title = box->windowTitle();
            text = box->text();
        }
        modal->close();
    });
    actionNamed(editor, "&About")->trigger();
    QCOMPARE(title, QString("About"));
    QCOMPARE(text, QString("CSS Style Editor"));
}

// Qt's static warning lay on the stack with the document as parent: the window deleted while it was up deleted it
// a second time (in a process of its own: that aborts the sanitizer build).
void tst_CssEditor::windowDeletedWhileAWarningIsUp()
{
    if (ranRowInChild())
        return;
    const QString path = m_dir->filePath("gone.qss");
    writeBytes(path, "QLabel{}");
    QPointer<CssEditor> editor = new CssEditor;
    editor->show();
    QObject context;
    QString deletedAt;
    answerNextModal(&context, [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        deleteOnNextModal(&context, editor, &deletedAt);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
        QFile::remove(path);
    });
    editor->doc()->slotLoad();
    QVERIFY(editor.isNull());
    QCOMPARE(deletedAt, QString("QMessageBox"));
}

void tst_CssEditor::eachCallOpensAnotherWindow()
{
    auto editors = [] {
        QList<CssEditor *> found;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *widget : windows) {
            if (auto *editor = qobject_cast<CssEditor *>(widget))
                found.append(editor);
        }
        return found;
    };
    App::instance()->slotShowCssEditor();
    App::instance()->slotShowCssEditor();
    const QList<CssEditor *> opened = editors();
    QCOMPARE(opened.count(), 2);
    QVERIFY(opened[0]->isVisible() && opened[1]->isVisible());
    QVERIFY(opened[0]->doc() != opened[1]->doc());
    opened[0]->close();
    QCOMPARE(editors().count(), 2); // closing only hides
    qDeleteAll(opened);
}

TARSEL_APP_TEST_MAIN(tst_CssEditor)
#include "tst_CssEditor.moc"
