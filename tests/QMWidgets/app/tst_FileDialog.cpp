#include "QMWidgets/app/FileDialog.h"

#include "ModalAnswer.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

using QMWidgets::FileDialog;

namespace {
QWidget *s_dialogParent = nullptr;
QString s_dialogDirectory;

// Answers the next modal file dialog from inside its exec(): accepts it with the given selection, or
// cancels it, and notes the dialog's parent and folder. Any other modal window is noted in place of a
// parent, so the comparison of parents fails, and closed.
void answerNextDialog(QObject *context, bool accept, const QString &selection)
{
    answerNextModal(context, [accept, selection](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            s_dialogParent = modal;
            modal->close();
            return;
        }
        s_dialogParent = dialog->parentWidget();
        s_dialogDirectory = dialog->directory().canonicalPath();
        if (!accept) {
            dialog->reject();
            return;
        }
        dialog->selectFile(selection);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it, QDialog offers it
    });
}

const QString filter = QStringLiteral("Texts (*.txt);;Scripts (*.js)");
}

class tst_FileDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cancelGivesNothing_data();
    void cancelGivesNothing();
    void acceptGivesSelection_data();
    void acceptGivesSelection();
    void parentDeletedWhileOpenGivesNothing_data();
    void parentDeletedWhileOpenGivesNothing();

private:
    QStringList ask(const QString &helper, QWidget *parent, QString *selectedFilter);

    QTemporaryDir m_dir;
    QWidget m_window;
};

void tst_FileDialog::initTestCase()
{
    QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
    for (const char *name : { "a.txt", "b.txt" }) {
        QFile file(m_dir.filePath(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    }
}

// Calls one of the three helpers, starting in the test folder; a single name comes back as a one-item list.
QStringList tst_FileDialog::ask(const QString &helper, QWidget *parent, QString *selectedFilter)
{
    const QString caption = QStringLiteral("Choose");
    if (helper == "getOpenFileNames")
        return FileDialog::getOpenFileNames(parent, caption, m_dir.path(), filter, selectedFilter);
    const QString name = helper == "getOpenFileName"
        ? FileDialog::getOpenFileName(parent, caption, m_dir.path(), filter, selectedFilter)
        : FileDialog::getSaveFileName(parent, caption, m_dir.path(), filter, selectedFilter);
    return name.isEmpty() ? QStringList() : QStringList{ name };
}

void tst_FileDialog::cancelGivesNothing_data()
{
    QTest::addColumn<QString>("helper");
    QTest::newRow("open one") << "getOpenFileName";
    QTest::newRow("save") << "getSaveFileName";
    QTest::newRow("open several") << "getOpenFileNames";
}

void tst_FileDialog::cancelGivesNothing()
{
    QFETCH(QString, helper);
    QString selectedFilter = "Scripts (*.js)";

    QObject context;
    answerNextDialog(&context, false, QString());
    QCOMPARE(ask(helper, &m_window, &selectedFilter), QStringList());
    QCOMPARE(selectedFilter, QString("Scripts (*.js)"));
    QCOMPARE(s_dialogParent, &m_window);
    QCOMPARE(s_dialogDirectory, QDir(m_dir.path()).canonicalPath());
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_FileDialog::acceptGivesSelection_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QStringList>("expectedNames");
    for (bool withParent : { true, false }) {
        const char *road = withParent ? "with parent" : "without parent";
        QTest::addRow("open one, %s", road) << "getOpenFileName" << withParent << "a.txt" << QStringList{ "a.txt" };
        QTest::addRow("save a new file, %s", road)
            << "getSaveFileName" << withParent << "new.txt" << QStringList{ "new.txt" };
        QTest::addRow("open several, %s", road)
            << "getOpenFileNames" << withParent << "\"a.txt\" \"b.txt\"" << QStringList{ "a.txt", "b.txt" };
    }
}

void tst_FileDialog::acceptGivesSelection()
{
    QFETCH(QString, helper);
    QFETCH(bool, withParent);
    QFETCH(QString, selection);
    QFETCH(QStringList, expectedNames);
    QStringList expected;
    for (const QString &name : expectedNames)
        expected << m_dir.filePath(name);

    QWidget *parent = withParent ? &m_window : nullptr;
    s_dialogParent = &m_window;

    QObject context;
    answerNextDialog(&context, true, selection);
    QString selectedFilter;
    s_dialogDirectory.clear();
    QCOMPARE(ask(helper, parent, &selectedFilter), expected);
    QCOMPARE(s_dialogParent, parent);
    QCOMPARE(s_dialogDirectory, QDir(m_dir.path()).canonicalPath());
}

void tst_FileDialog::parentDeletedWhileOpenGivesNothing_data()
{
    cancelGivesNothing_data();
}

// The dialog goes with its parent while it runs: the helper must not delete it a second time.
void tst_FileDialog::parentDeletedWhileOpenGivesNothing()
{
    QFETCH(QString, helper);
    QPointer<QWidget> parent = new QWidget;

    QObject context;
    answerNextModal(&context, [](QWidget *modal) {
        if (qobject_cast<QFileDialog *>(modal))
            delete modal->parentWidget();
        else
            modal->close();
    });
    QCOMPARE(ask(helper, parent, nullptr), QStringList());
    QVERIFY(parent.isNull());
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(tst_FileDialog)
#include "tst_FileDialog.moc"
