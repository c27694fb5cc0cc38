#include "QMWidgets/dialogs/SettingsDialog.h"
#include "QMWidgets/dialogs/SettingsWidget.h"

#include "MTools/FileReading.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "ChildRun.h"
#include "HostileFile.h"
#include "ModalAnswer.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"
#include "TestApp.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCodec>
#include <QtTest>

using QMWidgets::SettingsDialog;
using QMWidgets::SettingsWidget;

namespace {
QStringList s_calls;

// A page holding one text value under its own name.
class Page : public SettingsWidget
{
public:
    explicit Page(const QString &name, const QString &value = QString())
        : m_name(name)
        , m_value(value)
    {
    }

    void load(QDomNode node) override
    {
        m_value = node.toElement().attribute("value");
        s_calls << "load " + m_name + " " + m_value;
    }
    QDomElement save(QDomDocument &document) override
    {
        QDomElement element = document.createElement(m_name);
        element.setAttribute("value", m_value);
        s_calls << "save " + m_name;
        return element;
    }
    QString name() const override { return m_name; }
    void slotApply() override { s_calls << "apply " + m_name; }

    QString m_name;
    QString m_value;
};

// Answers the next file dialog with the path, or cancels it on an empty path; notes where it started.
QString s_startFile;
void answerFileDialog(QObject *context, const QString &path)
{
    answerNextModal(context, [path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        s_startFile = dialog->selectedFiles().value(0);
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

// After the file dialog: notes the text of a warning box and closes it.
QString s_warning;
void answerWarning(QObject *context)
{
    answerNextModal(context, [](QWidget *modal) {
        s_warning.clear();
        for (QLabel *label : modal->findChildren<QLabel *>())
            s_warning += label->text();
        modal->close();
    });
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A settings file whose page element "Keep" holds elements nested to the given depth, counting the root.
QByteArray nestedTo(int depth)
{
    const int inner = depth - 2;
    return "<Settings><Keep value=\"x\">" + QByteArray("<a>").repeated(inner) + QByteArray("</a>").repeated(inner)
           + "</Keep></Settings>";
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}
}

class tst_SettingsDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<Page *> m_pages;

    Page *page(const QString &name, const QString &value = QString(), const QString &registered = QString())
    {
        auto *p = new Page(name, value);
        m_pages << p;
        SettingsDialog::registerSettingsWidget(registered.isEmpty() ? name : registered, p);
        return p;
    }

    QString save(SettingsDialog &dialog, const QString &chosen)
    {
        QObject context;
        answerFileDialog(&context, chosen);
        dialog.slotSaveSettings();
        return chosen;
    }

    void load(SettingsDialog &dialog, const QString &chosen)
    {
        QObject context;
        answerFileDialog(&context, chosen);
        dialog.slotLoadSettings();
    }

    // Runs the file operation on the chosen path and returns the text of the warning it shows.
    static QString warningOf(SettingsDialog &dialog, const QString &chosen, void (SettingsDialog::*operation)())
    {
        QObject context;
        answerFileDialog(&context, chosen);
        QObject warningContext;
        answerWarning(&warningContext);
        s_warning.clear();
        (dialog.*operation)();
        return s_warning;
    }

    static QStringList tabNames(SettingsDialog &dialog)
    {
        QStringList names;
        auto *tabs = dialog.findChild<QTabWidget *>();
        for (int i = 0; i < tabs->count(); ++i)
            names << tabs->tabText(i);
        return names;
    }

private slots:
    void init() { s_calls.clear(); }

    void cleanup()
    {
        qDeleteAll(m_pages); // deleted pages leave the registry
        m_pages.clear();
    }

    void emptyRegistry()
    {
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(dialog.findChild<QTabWidget *>()->count(), 0);
        QVERIFY(dialog.windowTitle().endsWith(" Settings"));
        QVERIFY(dialog.findChild<QPushButton *>("StorageBrowserSS"));
        QVERIFY(dialog.findChild<QPushButton *>("StorageBrowserLS"));
        dialog.slotApply();
        QVERIFY(s_calls.isEmpty());
        const QString path = m_dir.filePath("empty.qvsettings");
        save(dialog, path);
        QCOMPARE(readAll(path), QByteArray("<Settings/>\n"));
    }

    // Flat and without text or icon, Save and Load are visible only through the style sheet's pictures.
    void saveAndLoadShowPictures()
    {
        Resources::init();
        SettingsDialog dialog;
        dialog.setStyleSheet(Resources::styleSheet());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char *name : {"StorageBrowserSS", "StorageBrowserLS"})
            QVERIFY2(showsMoreThanBackground(*dialog.findChild<QPushButton *>(name)), name);
    }

    void tabOrderAgainstApplyAndSaveOrder()
    {
        page("b", "2");
        page("a", "1");
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(tabNames(dialog), QStringList({"b", "a"}));
        QPushButton *ok = nullptr;
        for (QPushButton *button : dialog.findChildren<QPushButton *>())
            if (button->text() == "&Ok")
                ok = button;
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(s_calls, QStringList({"apply a", "apply b"}));
        QVERIFY(!dialog.isVisible());
        s_calls.clear();
        const QString path = m_dir.filePath("order.qvsettings");
        save(dialog, path);
        QCOMPARE(s_calls, QStringList({"save a", "save b"}));
        QCOMPARE(readAll(path), QByteArray("<Settings>\n <a value=\"1\"/>\n <b value=\"2\"/>\n</Settings>\n"));
        dialog.show();
        QCOMPARE(tabNames(dialog), QStringList({"b", "a"})); // not rebuilt
    }

    void saveAndLoadRoundTrip()
    {
        Page *colour = page("Colour", "red");
        Page *size = page("Size", "12");
        SettingsDialog dialog;
        dialog.show();
        const QString path = m_dir.filePath("round.qvsettings");
        save(dialog, path);
        colour->m_value = "blue";
        size->m_value = "3";
        load(dialog, path);
        QCOMPARE(colour->m_value, QString("red"));
        QCOMPARE(size->m_value, QString("12"));
        auto *app = QMWidgets::App::instance();
        QCOMPARE(app->openDirectory(), m_dir.path());
        QCOMPARE(app->saveDirectory(), m_dir.path());
        // The next dialogs start in the remembered folder.
        save(dialog, QString());
        QCOMPARE(s_startFile, m_dir.filePath("Settings.qvsettings"));
    }

    void extensionRule_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("none") << "plain" << "plain.qvsettings";
        QTest::newRow("other case") << "upper.QVSETTINGS" << "upper.QVSETTINGS.qvsettings";
        QTest::newRow("kept") << "kept.qvsettings" << "kept.qvsettings";
    }

    void extensionRule()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        SettingsDialog dialog;
        dialog.show();
        save(dialog, m_dir.filePath(chosen));
        QVERIFY(QFile::exists(m_dir.filePath(written)));
    }

    void loaderMatchesTagsNotRegistrationNames()
    {
        Page *page1 = page("Alpha", "", "zzz");
        SettingsDialog dialog;
        dialog.show();
        const QString path = m_dir.filePath("other-root.qvsettings");
        writeFile(path, "<Other><!-- note --><Alpha value=\"one\"/>text<zzz value=\"x\"/><Alpha value=\"two\"/></Other>");
        load(dialog, path);
        QCOMPARE(s_calls, QStringList({"load Alpha one", "load Alpha two"}));
        QCOMPARE(page1->m_value, QString("two"));
    }

    void cancelledDialogsDoNothing()
    {
        Page *p = page("Keep", "same");
        SettingsDialog dialog;
        dialog.show();
        const QString before = QMWidgets::App::instance()->saveDirectory();
        save(dialog, QString());
        load(dialog, QString());
        QVERIFY(s_calls.isEmpty());
        QCOMPARE(p->m_value, QString("same"));
        QCOMPARE(QMWidgets::App::instance()->saveDirectory(), before);
    }

    void missingFolderWarns()
    {
        page("Keep", "new");
        SettingsDialog dialog;
        dialog.show();
        const QString path = m_dir.filePath("missing/target.qvsettings");
        const QString warning = warningOf(dialog, path, &SettingsDialog::slotSaveSettings);
        QVERIFY2(warning.contains(path), qPrintable(warning));
        QVERIFY(!QFile::exists(path));
    }

    void unwritableTargetWarnsAndKeepsTheFile()
    {
        page("Keep", "new");
        SettingsDialog dialog;
        dialog.show();
        const QString locked = m_dir.filePath("locked");
        QVERIFY(QDir().mkpath(locked));
        const QString path = locked + "/old.qvsettings";
        writeFile(path, "<Settings><Keep value=\"old\"/></Settings>");
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (QFile(locked + "/probe").open(QIODevice::WriteOnly))
            QSKIP("running with rights that ignore folder permissions");
        const QString warning = warningOf(dialog, path, &SettingsDialog::slotSaveSettings);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(warning.contains(path), qPrintable(warning));
        QCOMPARE(readAll(path), QByteArray("<Settings><Keep value=\"old\"/></Settings>"));
    }

    void unreadableFilesWarnAndChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("malformed") << QByteArray("<Settings><Keep value=\"x\"></Settings>");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe<", 4);
        // Each entity reference is expanded in full: a few hundred kilobytes can take minutes and gigabytes.
        QTest::newRow("document-type line") << QByteArray("<!DOCTYPE Settings><Settings><Keep value=\"x\"/></Settings>");
        QTest::newRow("entity definition")
            << QByteArray("<!DOCTYPE Settings [<!ENTITY e \"x\">]><Settings><Keep value=\"&e;\"/></Settings>");
        // Each level is a recursion of the document builder: thousands of them overflow the stack.
        QTest::newRow("nested 65 levels deep") << nestedTo(65);
        QTest::newRow("over 16 MB")
            << "<Settings><Keep value=\"x\"/>" + QByteArray(16 * 1024 * 1024, ' ') + "</Settings>";
    }

    void unreadableFilesWarnAndChangeNothing()
    {
        QFETCH(QByteArray, content);
        Page *p = page("Keep", "same");
        SettingsDialog dialog;
        dialog.show();
        const QString path = m_dir.filePath("bad.qvsettings");
        writeFile(path, content);
        QVERIFY(warningOf(dialog, path, &SettingsDialog::slotLoadSettings).contains(path));
        QCOMPARE(p->m_value, QString("same"));
        QVERIFY(s_calls.isEmpty());
    }

    void hostileFilesAreRefused_data() { addHostileFileRows(); }

    void hostileFilesAreRefused()
    {
        RUN_ROW_IN_CHILD();
        const HostileFile hostile = makeHostileFile(m_dir.path(), MTools::SmallFileBound);
        Page *p = page("Keep", "same");
        SettingsDialog dialog;
        dialog.show();
        const QString warning = warningOf(dialog, hostile.path, &SettingsDialog::slotLoadSettings);
        QVERIFY2(warning.contains(hostile.reason), qPrintable(warning));
        QCOMPARE(p->m_value, QString("same"));
        QVERIFY(s_calls.isEmpty());
    }

    void nestedTo64LevelsLoads()
    {
        Page *p = page("Keep", "same");
        SettingsDialog dialog;
        dialog.show();
        const QString path = m_dir.filePath("deep.qvsettings");
        writeFile(path, nestedTo(64));
        load(dialog, path);
        QCOMPARE(p->m_value, QString("x"));
    }

    void nonAsciiUnderALatinLocale()
    {
        QTextCodec *before = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        const QString value = QString::fromUtf8("Grüße – 東京");
        Page *p = page("Text", value);
        SettingsDialog dialog;
        dialog.show();
        const QString path = m_dir.filePath("utf8.qvsettings");
        save(dialog, path);
        p->m_value.clear();
        load(dialog, path);
        QTextCodec::setCodecForLocale(before);
        QCOMPARE(p->m_value, value);
        QVERIFY(readAll(path).contains(value.toUtf8()));
        QVERIFY(!readAll(path).startsWith("<?xml"));
    }

    void pagesOutliveTheirDialogs()
    {
        Page *p = page("Shared", "v");
        QPointer<Page> guard(p);
        auto *first = new SettingsDialog;
        first->show();
        QCOMPARE(p->window(), first);
        delete first;
        QVERIFY(guard);
        SettingsDialog second;
        second.show();
        QCOMPARE(tabNames(second), QStringList({"Shared"}));
        QCOMPARE(p->window(), &second);
    }

    // A page replaced in the registry while a dialog shows it was deleted with the dialog, then by its owner.
    void pagesGoBackToTheirParents_data()
    {
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("owned, still registered") << true << false;
        QTest::newRow("owned, replaced") << true << true;
        QTest::newRow("parentless, still registered") << false << false;
        QTest::newRow("parentless, replaced") << false << true;
    }

    void pagesGoBackToTheirParents()
    {
        QFETCH(bool, withParent);
        QFETCH(bool, replaced);
        QWidget owner;
        auto *first = new Page("Twice", "1");
        if (withParent)
            first->setParent(&owner);
        else
            m_pages << first;
        QPointer<Page> guard(first);
        SettingsDialog::registerSettingsWidget("Twice", first);
        auto *dialog = new SettingsDialog;
        dialog->show();
        auto *later = new SettingsDialog;
        later->show(); // moves the page on: it still goes home, not to the first dialog
        QCOMPARE(first->window(), later);
        if (replaced)
            page("Twice", "2");
        delete dialog;
        delete later;
        QVERIFY(guard);
        QCOMPARE(first->parentWidget(), withParent ? &owner : nullptr);
        QVERIFY(first->isHidden());
    }

    void deletedPageLeavesTheRegistry()
    {
        Page *gone = page("Gone", "x");
        page("Stays", "y");
        m_pages.removeAll(gone);
        delete gone;
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(tabNames(dialog), QStringList({"Stays"}));
        dialog.slotApply();
        QCOMPARE(s_calls, QStringList({"apply Stays"}));
    }

    void laterRegistrationReplacesThePage()
    {
        Page *first = page("Twice", "1");
        Page *second = page("Twice", "2");
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(dialog.findChild<QTabWidget *>()->indexOf(second), 0);
        QCOMPARE(dialog.findChild<QTabWidget *>()->indexOf(first), -1);
        dialog.slotApply();
        QCOMPARE(s_calls, QStringList({"apply Twice"}));
    }
};

TARSEL_APP_TEST_MAIN(tst_SettingsDialog)
#include "tst_SettingsDialog.moc"
