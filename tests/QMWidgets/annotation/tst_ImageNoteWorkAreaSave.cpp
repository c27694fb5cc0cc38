#include "ImageNoteWorkAreaFixture.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/annotation/ImageNoteWorkArea.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "QMWidgets/annotation/NoteEditWidget.h"

#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

using QMWidgets::App;
using QMWidgets::ImageNoteWorkArea;

namespace {

// Accepts the next file dialog with the path; notes the path it proposed.
void answerSaveDialog(QObject *context, const QString &path, QString *proposed = nullptr)
{
    answerNextModal(context, [path, proposed](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        if (proposed)
            *proposed = dialog->selectedFiles().value(0);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

} // namespace

// Saving the annotated picture: the dialog, the formats, replacing and failing.
class tst_ImageNoteWorkAreaSave : public ImageNoteWorkAreaFixture
{
    Q_OBJECT

private slots:
    void saveWritesWhatTheSurfaceShows();
    void saveWritesTheFormatTheNameAsksFor_data();
    void saveWritesTheFormatTheNameAsksFor();
    void savingUnderAnAddedExtensionAsksBeforeReplacing_data();
    void savingUnderAnAddedExtensionAsksBeforeReplacing();
    void cancelledSaveChangesNothing();
    void unwritableSaveKeepsTheImageUnsaved();
    void saveWithTheNoteOpenWritesTheNoteEditor();
};

void tst_ImageNoteWorkAreaSave::saveWritesWhatTheSurfaceShows()
{
    m_area->slotSetMode(ImageNoteWorkArea::FilledOval);
    drag({{30, 30}, {120, 100}});
    QVERIFY(m_area->isModified());
    const QString folder = TestApp::homePath() + "/saved";
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + "/note.png";
    QString proposed;
    answerSaveDialog(this, file, &proposed);
    m_area->slotSave();
    QVERIFY(QFileInfo(proposed).fileName().startsWith("EditedScreenShot_"));
    QVERIFY(proposed.endsWith(".png"));
    QImage written(file);
    QVERIFY(!written.isNull());
    QCOMPARE(written.convertToFormat(QImage::Format_ARGB32), shown());
    QVERIFY(!m_area->isModified());
    QCOMPARE(QDir(App::instance()->saveDirectory()), QDir(folder));
    // The next stroke makes it unsaved again.
    drag({{10, 10}, {20, 20}});
    QVERIFY(m_area->isModified());
}

void tst_ImageNoteWorkAreaSave::saveWritesTheFormatTheNameAsksFor_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("no extension gets .png") << "note" << "note.png" << QByteArray("png");
    QTest::newRow("jpg") << "note.jpg" << "note.jpg" << QByteArray("jpeg");
    QTest::newRow("upper-case JPG") << "note.JPG" << "note.JPG" << QByteArray("jpeg");
    QTest::newRow("bmp") << "note.bmp" << "note.bmp" << QByteArray("bmp");
    // Qt reads GIF but cannot write it.
    QTest::newRow("an extension Qt cannot write gets PNG") << "note.gif" << "note.gif" << QByteArray("png");
}

void tst_ImageNoteWorkAreaSave::saveWritesTheFormatTheNameAsksFor()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    m_area->slotSetMode(ImageNoteWorkArea::FilledOval);
    drag({{30, 30}, {120, 100}});
    const QString folder = TestApp::homePath() + "/formats-" + QTest::currentDataTag();
    QVERIFY(QDir().mkpath(folder));
    answerSaveDialog(this, folder + "/" + typed);
    m_area->slotSave();
    QVERIFY(!m_area->isModified());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({written}));
    QImageReader reader(folder + "/" + written);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), pictureSize);
}

void tst_ImageNoteWorkAreaSave::savingUnderAnAddedExtensionAsksBeforeReplacing_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes replaces") << "Yes" << true;
    QTest::newRow("no keeps the old file") << "No" << false;
}

void tst_ImageNoteWorkAreaSave::savingUnderAnAddedExtensionAsksBeforeReplacing()
{
    QFETCH(QString, answer);
    QFETCH(bool, replaced);
    const QString folder = TestApp::homePath() + "/replace-" + QTest::currentDataTag();
    QVERIFY(QDir().mkpath(folder));
    const QString existing = folder + "/old.png";
    QImage old(10, 10, QImage::Format_RGB32);
    old.fill(Qt::green);
    QVERIFY(old.save(existing));
    QString asked;
    // A question that never comes must not answer a later test's dialog.
    QObject boxContext;
    answerNextModal(this, [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        answerNextModal(&boxContext, [&](QWidget *box) {
            QVERIFY(qobject_cast<QMWidgets::MMessageBox *>(box));
            for (QLabel *label : box->findChildren<QLabel *>())
                asked += label->text();
            for (QPushButton *button : box->findChildren<QPushButton *>())
                if (button->text().remove('&') == answer)
                    button->click();
        });
        // The name typed does not exist, so the dialog itself does not ask.
        dialog->selectFile(folder + "/old");
        static_cast<QDialog *>(dialog)->accept();
    });
    m_area->slotSave();
    QVERIFY2(asked.contains(QDir::toNativeSeparators(existing)), qPrintable(asked));
    QCOMPARE(QImage(existing).size(), replaced ? pictureSize : old.size());
    QCOMPARE(m_area->isModified(), !replaced);
    QVERIFY(!QFileInfo::exists(folder + "/old"));
}

void tst_ImageNoteWorkAreaSave::cancelledSaveChangesNothing()
{
    App::instance()->setSaveDirectory(TestApp::homePath() + "/before/x.png");
    const QString saveFolder = App::instance()->saveDirectory();
    answerNextModal(this, [](QWidget *modal) {
        QVERIFY(qobject_cast<QFileDialog *>(modal));
        static_cast<QDialog *>(modal)->reject();
    });
    m_area->slotSave();
    QVERIFY(m_area->isModified());
    QCOMPARE(App::instance()->saveDirectory(), saveFolder);
}

void tst_ImageNoteWorkAreaSave::unwritableSaveKeepsTheImageUnsaved()
{
    const QString folder = TestApp::homePath() + "/missing";
    const QString file = folder + "/note.png";
    QString warning;
    answerNextModal(this, [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        // The warning about the failed write comes after the dialog has closed.
        answerNextModal(this, [&warning](QWidget *box) {
            for (QLabel *label : box->findChildren<QLabel *>())
                warning += label->text();
            static_cast<QDialog *>(box)->accept();
        });
        // Typed relative to the dialog's folder, as a user would; the dialog keeps an absolute path to a
        // missing folder relative to its own.
        dialog->setDirectory(TestApp::homePath());
        dialog->selectFile("missing/note.png");
        QCOMPARE(dialog->selectedFiles().value(0), file);
        static_cast<QDialog *>(dialog)->accept();
    });
    m_area->slotSave();
    QVERIFY(m_area->isModified());
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY2(warning.contains(QDir::toNativeSeparators(file)), qPrintable(warning));
    QCOMPARE(QDir(App::instance()->saveDirectory()).absolutePath(), folder);
}

void tst_ImageNoteWorkAreaSave::saveWithTheNoteOpenWritesTheNoteEditor()
{
    m_area->slotSetMode(ImageNoteWorkArea::Text);
    drag({{20, 20}, {30, 30}});
    QVERIFY(noteEditor()->isVisible());
    const QString file = TestApp::homePath() + "/with-note.png";
    answerSaveDialog(this, file);
    m_area->slotSave();
    QVERIFY(!m_area->isModified());
    const QImage written = QImage(file).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!written.isNull());
    const QRect box = changedBox(shown(), written);
    QVERIFY(!box.isEmpty());
    QVERIFY(QRect(20, 20, 220, 90).contains(box));
}


TARSEL_APP_TEST_MAIN(tst_ImageNoteWorkAreaSave)
#include "tst_ImageNoteWorkAreaSave.moc"
