#include "DesktopStandIn.h"
#include "EditorRun.h"
#include "FileSizeLimit.h"
#include "LinkCatcher.h"
#include "LocalHttpServer.h"
#include "ModalAnswer.h"
#include "PseudoRandomBytes.h"
#include "TestApp.h"

#include "MCrypt/Rijndael.h"
#include "MGraphX/ColorReducer.h"
#include "MGraphX/Xani.h"
#include "MGraphX/XaniFrame.h"
#include "MString/MString.h"
#include "MTools/CsvModel.h"
#include "QMRequest/Downloader.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/css/CssDoc.h"
#include "QMWidgets/css/CssEditor.h"
#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/desktop/ImageViewer.h"
#include "QMWidgets/annotation/NoteEditDragPreview.h"
#include "QMWidgets/desktop/ScreenCropper.h"
#include "QMWidgets/dialogs/SettingsDialog.h"
#include "QMWidgets/dialogs/SettingsWidget.h"
#include "app/DlgJSCompressed.h"
#include "scripting/windows/BatchArea.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"
#include "scripting/automation/Support.h"
#include "vCard/vCard.h"

#include <QDomDocument>
#include <QDrag>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <iterator>

namespace {

// Every writer's output is larger than this, so the limit stops each one half-way.
const rlim_t sizeLimit = 1024;

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

mode_t typeOf(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

// Names, kinds and contents of everything in the folder, to see that a failed write changed nothing.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    const QFileInfoList infos = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                           | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : infos) {
        const QString path = info.absoluteFilePath();
        entries << info.fileName() + QLatin1Char(' ') + QString::number(typeOf(path), 8) + QLatin1Char(' ')
                       + QString::fromLatin1(typeOf(path) == S_IFREG ? contentOf(path).toHex() : QByteArray());
    }
    return entries;
}

// Noise, which no image format can squeeze below the size limit.
QImage noiseImage(const QSize &size = QSize(64, 64))
{
    const QByteArray bytes = pseudoRandomBytes(size.width() * size.height() * 4, 11);
    QImage image(size, QImage::Format_ARGB32);
    std::memcpy(image.bits(), bytes.constData(), size_t(bytes.size()));
    return image.convertToFormat(QImage::Format_RGB32);
}

QString longText()
{
    return QString::fromLatin1(pseudoRandomBytes(3000, 5).toBase64());
}

// Runs the command, answering its file dialogs with the path and its overwrite question with Yes; the
// texts of the other boxes it shows (warnings, notices) are returned, each box closed once read.
QString withDialogs(const QString &path, const std::function<void()> &command)
{
    QObject context;
    QString boxes;
    std::function<void()> arm;
    arm = [&] {
        answerNextModal(&context, [&](QWidget *modal) {
            // Armed again first: accepting a file dialog runs its overwrite question before it returns.
            arm();
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept();
            } else if (box && box->button(QMessageBox::Yes)) {
                box->button(QMessageBox::Yes)->click();
            } else {
                for (const QLabel *label : modal->findChildren<QLabel *>())
                    boxes += label->text() + QLatin1Char('\n');
                modal->close();
            }
        });
    };
    arm();
    command();
    return boxes;
}

// A settings page whose value makes the settings file larger than the limit.
class BulkyPage : public QMWidgets::SettingsWidget
{
public:
    void load(QDomNode) override {}
    QDomElement save(QDomDocument &document) override
    {
        QDomElement element = document.createElement(name());
        element.setAttribute(QStringLiteral("value"), longText());
        return element;
    }
    QString name() const override { return QStringLiteral("Bulky"); }
    void slotApply() override {}
};

LocalHttpServer *s_server = nullptr;
QStringList s_messages;
QtMessageHandler s_previousHandler = nullptr;

void noteMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    s_messages << message;
    s_previousHandler(type, context, message);
}

// One writer of whole files, driven through its public face. write() returns true when the writer
// reported success in its own way: a true result, no warning, a drag or a preview that goes ahead.
struct Writer
{
    const char *name;
    // The folder it writes in, given the row's own folder.
    QString (*folder)(const QString &rowFolder);
    // The file name it is given or always uses; null when it makes a new name at each write.
    const char *fileName;
    bool (*write)(const QString &path);
    // False where the writer shows nothing either way.
    bool tellsFailure;
};

QString rowFolder(const QString &folder)
{
    return folder;
}

QString workFolder(const QString &)
{
    return QMWidgets::App::instance()->workDirectory(true);
}

QString desktopFolder(const QString &)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QDir().mkpath(desktop);
    return desktop;
}

QString protocolFolder(const QString &folder)
{
    return folder + QStringLiteral("/protocol");
}

const Writer writers[] = {
    {"CSV model", rowFolder, "target.csv",
     [](const QString &path) {
         MTools::CsvModel model;
         return model.load(QFileInfo(path).absolutePath() + QStringLiteral("/../source.csv")) && model.save(path);
     },
     true},
    {"Xani animation", rowFolder, "target.xani",
     [](const QString &path) {
         MGraphX::Xani animation;
         MGraphX::XaniFrame frame;
         frame.setImage(noiseImage());
         animation.appendFrame(frame);
         return animation.save(path, -1);
     },
     true},
    {"vCard", rowFolder, "target.vcf",
     [](const QString &path) {
         vCard card;
         card.addProperty(vCardProperty(QStringLiteral("NOTE"), longText()));
         return card.saveToFile(path);
     },
     true},
    // The result says whether the tables are right; a failed dump shows in the debug output.
    {"Rijndael tables", rowFolder, "Tables.dat",
     [](const QString &path) {
         const QString previous = QDir::currentPath();
         QDir::setCurrent(QFileInfo(path).absolutePath());
         s_messages.clear();
         s_previousHandler = qInstallMessageHandler(noteMessage);
         const bool correct = Rijndael::initTables(true, true);
         qInstallMessageHandler(s_previousHandler);
         QDir::setCurrent(previous);
         return correct && s_messages.filter(QStringLiteral("Tables.dat")).isEmpty();
     },
     true},
    {"reduced image", rowFolder, "target.png",
     [](const QString &path) { return MGraphX::saveReducedImage(noiseImage(), path, 256); }, true},
    {"byte string", rowFolder, "target.bin",
     [](const QString &path) {
         const QByteArray bytes = pseudoRandomBytes(3000, 9);
         try {
             MString(bytes.constData(), unsigned(bytes.size())).save(QFile::encodeName(path).constData());
         } catch (const char *) {
             return false;
         }
         return true;
     },
     true},
    {"downloader", rowFolder, "target.txt",
     [](const QString &path) {
         QMRequest::Downloader downloader;
         return downloader.downloadToFile(s_server->base() + QStringLiteral("/bulk"), path);
     },
     true},
    {"settings dialog", rowFolder, "target.qvsettings",
     [](const QString &path) {
         QMWidgets::SettingsDialog dialog;
         return withDialogs(path, [&] { dialog.slotSaveSettings(); }).isEmpty();
     },
     true},
    {"annotation editor", rowFolder, "target.png",
     [](const QString &path) {
         QMWidgets::ImageNoteWorkArea area;
         area.slotSetPixmap(QPixmap::fromImage(noiseImage()));
         return withDialogs(path, [&] { area.slotSave(); }).isEmpty() && !area.isModified();
     },
     true},
    {"style-sheet editor", rowFolder, "target.qss",
     [](const QString &path) {
         QMWidgets::CssEditor editor;
         editor.doc()->setPlainText(longText());
         return withDialogs(path, [&] { editor.doc()->slotSaveAs(); }).isEmpty();
     },
     true},
    {"script window", rowFolder, "target.js",
     [](const QString &path) {
         QMMistlark::DocWindow window;
         window.setPlainText(longText());
         bool saved = false;
         const QString boxes = withDialogs(path, [&] { saved = window.saveDocumentAs(); });
         return saved && boxes.isEmpty();
     },
     true},
    {"compressed-script dialog", rowFolder, "target.js",
     [](const QString &path) {
         DlgJSCompressed dialog;
         dialog.setCompressedText(longText());
         return withDialogs(path, [&] { dialog.slotSave(); }).contains(QStringLiteral("successfully saved"));
     },
     true},
    {"batch list", rowFolder, "target.jslst",
     [](const QString &path) {
         QMWidgets::App::instance()->setValue(QStringLiteral("batchfiles"), longText().replace(QLatin1Char('+'), QLatin1Char(';')));
         QMMistlark::Editor editor;
         QMMistlark::BatchArea area(&editor);
         withDialogs(path, [&] { area.saveListAs(); });
         return true;
     },
     false},
    {"widget grab", rowFolder, "target.png",
     [](const QString &path) {
         QLabel label;
         label.setPixmap(QPixmap::fromImage(noiseImage()));
         label.resize(64, 64);
         QMMistlark::Support().grabAndSave(&label, path);
         return true;
     },
     false},
    {"drag-out preview", workFolder, "QuilletDrag.png",
     [](const QString &path) {
         QMWidgets::NoteEditDragPreview preview;
         preview.resize(40, 30);
         preview.slotSetPixmap(QPixmap::fromImage(noiseImage()));
         preview.startDrag();
         const QList<QDrag *> drags = preview.findChildren<QDrag *>(QString(), Qt::FindDirectChildrenOnly);
         return drags.size() == 1 && drags.first()->mimeData()->urls() == QList<QUrl>{QUrl::fromLocalFile(path)};
     },
     true},
    {"image viewer preview", workFolder, "preview.png",
     [](const QString &) {
         QMWidgets::ImageViewer viewer;
         viewer.slotLoad(noiseImage());
         QSignalSpy opened(&viewer, &QMWidgets::ImageViewer::systemPreviewOpened);
         viewer.slotSysPreview();
         return opened.count() == 1;
     },
     true},
    // Installs only where nothing is yet, so only the size limit applies.
    {"support file install", rowFolder, nullptr,
     [](const QString &folder) {
         return QMWidgets::App::installFileIfMissing(folder + QStringLiteral("/../source.csv"), folder,
                                                     QStringLiteral("installed.csv"));
     },
     true},
    {"screen cropper", desktopFolder, nullptr,
     [](const QString &) {
         DesktopStandIn desktop;
         desktop.setPicture(noiseImage(QGuiApplication::primaryScreen()->geometry().size()));
         desktop.show();
         QMWidgets::ScreenCropper cropper;
         if (QTest::qWaitForWindowExposed(&desktop)) {
             cropper.grabScreen();
             if (QTest::qWaitForWindowActive(&cropper))
                 dragSelection(&cropper, QPoint(10, 10), QPoint(109, 109));
         }
         // Without a piece there is nothing to write, and a failure would say nothing about the writing.
         if (cropper.pixmap().size() != QSize(100, 100)) {
             QTest::qFail("no piece was cut from the desktop", __FILE__, __LINE__);
             return true;
         }
         QSignalSpy saved(&cropper, &QMWidgets::ScreenCropper::saved);
         const QString boxes = withDialogs(QString(), [&] { cropper.slotSave(); });
         cropper.slotClose();
         return saved.count() == 1 && boxes.isEmpty();
     },
     true},
    {"output protocol", protocolFolder, nullptr,
     [](const QString &folder) {
         QMMistlark::Editor editor;
         const QString previous = QDir::currentPath();
         QDir::setCurrent(QFileInfo(folder).absolutePath());
         runScript(editor, QStringLiteral("printout('%1');\nsaveOutputToProtocol();\n").arg(longText()));
         QDir::setCurrent(previous);
         return true;
     },
     false},
};

void addWriterRows(bool withGivenNameOnly)
{
    QTest::addColumn<int>("writer");
    for (int index = 0; index < int(std::size(writers)); ++index) {
        if (!withGivenNameOnly || writers[index].fileName)
            QTest::newRow(writers[index].name) << index;
    }
}

} // namespace

class tst_WholeFileWriters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void failureUnderAFileSizeLimitKeepsTheOldFile_data();
    void failureUnderAFileSizeLimitKeepsTheOldFile();
    void namedPipeIsRefusedAndStaysAPipe_data();
    void namedPipeIsRefusedAndStaysAPipe();
    void symbolicLinkStaysAndItsFileIsWritten_data();
    void symbolicLinkStaysAndItsFileIsWritten();
    void failedAppendKeepsWhatTheLogHeld_data();
    void failedAppendKeepsWhatTheLogHeld();

private:
    QString targetOf(const Writer &writer) const;

    LocalHttpServer m_server;
    LinkCatcher m_links{{QStringLiteral("file")}};
    BulkyPage *m_page = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_WholeFileWriters::initTestCase()
{
    QVERIFY(m_server.listen());
    m_server.answer(QStringLiteral("/bulk"), 200, pseudoRandomBytes(3000, 17));
    s_server = &m_server;
    m_page = new BulkyPage;
    QMWidgets::SettingsDialog::registerSettingsWidget(m_page->name(), m_page);
}

void tst_WholeFileWriters::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("row")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("row/protocol")));
    // The sources of the writers that copy, made before any limit.
    QList<QStringList> lines;
    for (int row = 0; row < 40; ++row)
        lines << QStringList{longText().mid(row * 50, 50), QString::number(row)};
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("source.csv")), MTools::CsvModel::format(lines).toUtf8()));
}

void tst_WholeFileWriters::cleanup()
{
    const QString work = QMWidgets::App::instance()->workDirectory(true);
    QFile::remove(work + QStringLiteral("QuilletDrag.png"));
    QFile::remove(work + QStringLiteral("preview.png"));
}

QString tst_WholeFileWriters::targetOf(const Writer &writer) const
{
    const QString folder = writer.folder(m_dir->filePath(QStringLiteral("row")));
    return writer.fileName ? QDir(folder).filePath(QString::fromLatin1(writer.fileName)) : folder;
}

void tst_WholeFileWriters::failureUnderAFileSizeLimitKeepsTheOldFile_data()
{
    addWriterRows(false);
}

void tst_WholeFileWriters::failureUnderAFileSizeLimitKeepsTheOldFile()
{
    QFETCH(int, writer);
    const Writer &under = writers[writer];
    const QString target = targetOf(under);
    const QString folder = under.fileName ? QFileInfo(target).absolutePath() : target;
    if (under.fileName)
        QVERIFY(putFile(target, "the old content\n"));
    const QStringList before = snapshot(folder);
    bool reportedSuccess = true;
    {
        FileSizeLimit limit(sizeLimit);
        QVERIFY(limit.isActive());
        reportedSuccess = under.write(target);
    }
    if (under.tellsFailure)
        QVERIFY2(!reportedSuccess, "a write stopped half-way was reported as done");
    QCOMPARE(snapshot(folder), before);
}

void tst_WholeFileWriters::namedPipeIsRefusedAndStaysAPipe_data()
{
    addWriterRows(true);
}

void tst_WholeFileWriters::namedPipeIsRefusedAndStaysAPipe()
{
    QFETCH(int, writer);
    const Writer &under = writers[writer];
    const QString target = targetOf(under);
    const QByteArray encoded = QFile::encodeName(target);
    QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);
    // A reader that never reads, so that a writer opening the pipe is not held up waiting for one.
    const int reader = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const bool reportedSuccess = under.write(target);
    ::close(reader);
    QCOMPARE(typeOf(target), mode_t(S_IFIFO));
    if (under.tellsFailure)
        QVERIFY2(!reportedSuccess, "writing into a pipe was reported as a saved file");
}

void tst_WholeFileWriters::symbolicLinkStaysAndItsFileIsWritten_data()
{
    addWriterRows(true);
}

void tst_WholeFileWriters::symbolicLinkStaysAndItsFileIsWritten()
{
    QFETCH(int, writer);
    const Writer &under = writers[writer];
    const QString target = targetOf(under);
    // What the writer puts in a plain file is what the linked file must hold afterwards.
    QVERIFY(under.write(target));
    const QByteArray expected = contentOf(target);
    QVERIFY(QFile::remove(target));

    const QString real = m_dir->filePath(QStringLiteral("real"));
    QVERIFY(putFile(real, "the old content\n"));
    QVERIFY(QFile::link(real, target));
    QVERIFY(under.write(target));
    QCOMPARE(QFileInfo(target).symLinkTarget(), real);
    QCOMPARE(contentOf(real), expected);
}

void tst_WholeFileWriters::failedAppendKeepsWhatTheLogHeld_data()
{
    QTest::addColumn<bool>("scriptLog");
    QTest::newRow("program log") << false;
    QTest::newRow("script log") << true;
}

void tst_WholeFileWriters::failedAppendKeepsWhatTheLogHeld()
{
    QFETCH(bool, scriptLog);
    const QString row = m_dir->filePath(QStringLiteral("row"));
    const QString log = scriptLog ? row + QStringLiteral("/protocol/Untitled.log")
                                  : QDir(QMWidgets::App::instance()->supportDirectory(true))
                                        .filePath(QStringLiteral("protocol.log"));
    const QByteArray old = pseudoRandomBytes(800, 19);
    QVERIFY(putFile(log, old));
    const QString text = longText();
    QMMistlark::Editor editor;
    QString output;
    {
        FileSizeLimit limit(sizeLimit);
        QVERIFY(limit.isActive());
        if (scriptLog) {
            const QString previous = QDir::currentPath();
            QDir::setCurrent(row);
            output = runScript(editor, QStringLiteral("printToScriptLog('%1');").arg(text));
            QDir::setCurrent(previous);
        } else {
            QMWidgets::App::installLogFileMessageHandler();
            qWarning("%s", qPrintable(text));
            QMWidgets::App::installSilentMessageHandler();
        }
    }
    QVERIFY(contentOf(log).startsWith(old));
    // The pane shows a log line only when the log has it.
    QVERIFY2(!output.contains(text), qPrintable(output.left(200)));
}

TARSEL_APP_TEST_MAIN(tst_WholeFileWriters)
#include "tst_WholeFileWriters.moc"
