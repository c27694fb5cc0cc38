#include "HangBound.h"
#include "QMWidgets/app/App.h"
#include "ChildRun.h"
#include "HostileFile.h"
#include "MTools/FileReading.h"
#include "ModalAnswer.h"
#include "TestApp.h"
#include "scripting/windows/BatchArea.h"
#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <sys/stat.h>
#include <sys/types.h>

using QMMistlark::BatchArea;
using QMMistlark::Editor;

namespace {

QMWidgets::App *app()
{
    return QMWidgets::App::instance();
}

QPushButton *button(BatchArea &area, const QString &text)
{
    for (QPushButton *b : area.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

QStringList column(BatchArea &area, int index)
{
    QStringList texts;
    auto *list = area.findChild<QTreeWidget *>();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(index);
    return texts;
}

void answerFileDialog(QObject *context, const QString &fileName)
{
    answerNextModal(context, [fileName](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        dialog->selectFile(fileName);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

} // namespace

class tst_BatchArea : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void runsEachScript();
    void stopWhileWaitingAndChangesRefused();
    void rowsGoneWhileRunning_data();
    void rowsGoneWhileRunning();
    void changedDocumentAsksFirst();
    void listFiles();
    void badListChangesNothing_data();
    void badListChangesNothing();
    void hostileListsAreRefused_data();
    void hostileListsAreRefused();
    void removeIsStored();
    void keysRemoveRows_data();
    void keysRemoveRows();
    void doubleClickOpensScript();
    void areaDeletedWhileItAsks_data();
    void areaDeletedWhileItAsks();

private:
    QString writeScript(const QString &name, const QByteArray &text);
    QTemporaryDir m_dir;
};

void tst_BatchArea::init()
{
    app()->setValue(QStringLiteral("batchfiles"), QString());
    app()->setValue(QStringLiteral("path"), m_dir.path());
}

QString tst_BatchArea::writeScript(const QString &name, const QByteArray &text)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

void tst_BatchArea::runsEachScript()
{
    const QString good = writeScript(QStringLiteral("good.js"), "printout('good ran');");
    const QString bad = writeScript(QStringLiteral("bad.js"), "throw new Error('boom');");
    const QString missing = m_dir.filePath(QStringLiteral("missing.js"));
    const QString folder = m_dir.path();
    const QString counter = writeScript(QStringLiteral("count.js"),
                                        "if (typeof runs == 'undefined') runs = 0; runs++; printout('run ' + runs);");
    // Opening it would block the batch where nothing can stop it.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.js"));
    QFile::remove(pipe);
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // After a script that printed and a row that could not be read, a syntax error is the row's only output.
    const QString broken = writeScript(QStringLiteral("broken.js"), "var s = 'open;");
    const QStringList names = {good, bad, missing, folder, counter, counter, pipe, broken};
    app()->setValue(QStringLiteral("batchfiles"), names.join(';'));

    Editor editor;
    QVERIFY(editor.load(writeScript(QStringLiteral("previous.js"), "printout('previous document');")));
    BatchArea area(&editor);
    QCOMPARE(column(area, 1), names);
    area.run();
    QCOMPARE(column(area, 0), QStringList({"Done", "Error", "Error", "Error", "Done", "Done", "Error", "Error"}));

    // Show Output on either row of the twice-listed script shows the later run; an unreadable one says why.
    auto *list = area.findChild<QTreeWidget *>();
    const auto shownFor = [&](int row) {
        list->clearSelection();
        list->topLevelItem(row)->setSelected(true);
        const QWidgetList windows = QApplication::topLevelWidgets();
        const QSet<QWidget *> before(windows.begin(), windows.end());
        button(area, QStringLiteral("Show Output"))->click();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (!before.contains(w))
                if (auto *view = qobject_cast<QTextEdit *>(w)) {
                    const QString text = view->toPlainText();
                    view->close();
                    return text;
                }
        return QStringLiteral("<no window>");
    };
    QVERIFY(shownFor(0).contains(QStringLiteral("good ran")));
    QVERIFY(shownFor(1).contains(QStringLiteral("boom")));
    QVERIFY(shownFor(2).contains(QStringLiteral("Cannot read")));
    QVERIFY(!shownFor(2).contains(QStringLiteral("previous document")));
    QVERIFY(shownFor(4).contains(QStringLiteral("run 2")));
    QVERIFY(shownFor(5).contains(QStringLiteral("run 2")));
    QVERIFY(shownFor(6).contains(QStringLiteral("not a regular file")));
    QVERIFY(shownFor(7).trimmed().startsWith(QStringLiteral("Syntax Error")));
    list->clearSelection();
    const int windows = QApplication::topLevelWidgets().size();
    button(area, QStringLiteral("Show Output"))->click();
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
}

void tst_BatchArea::stopWhileWaitingAndChangesRefused()
{
    const QString waits = writeScript(QStringLiteral("waits.js"), "printout('before'); delay(10000); printout('after');");
    const QString after = writeScript(QStringLiteral("after.js"), "printout('next');");
    app()->setValue(QStringLiteral("batchfiles"), QStringList({waits, after}).join(';'));
    Editor editor;
    QVERIFY(editor.load(after));
    BatchArea area(&editor);
    auto *list = area.findChild<QTreeWidget *>();
    bool sawRunning = false;
    QTimer::singleShot(200, &area, [&] {
        sawRunning = column(area, 0).first() == QStringLiteral("Running...");
        // Changing the list, or starting again, while a script waits changes nothing.
        list->topLevelItem(1)->setSelected(true);
        area.removeJS();
        button(area, QStringLiteral("Remove JS"))->click();
        area.loadList();
        area.addJS();
        area.run();
        QCOMPARE(list->topLevelItemCount(), 2);
        editor.stopEvaluation();
    });
    area.run();
    QVERIFY(sawRunning);
    QCOMPARE(column(area, 0), QStringList({"Error", "Done"}));
    QVERIFY(!area.isBatchRunning());
}

void tst_BatchArea::rowsGoneWhileRunning_data()
{
    QTest::addColumn<QByteArray>("firstScript");
    QTest::addColumn<int>("rowTakenOut");
    QTest::addColumn<QStringList>("rowsAfter");
    QTest::addColumn<QStringList>("statesAfter");
    QTest::addColumn<QString>("lastRun");
    // The list is the script's to reach, like any widget.
    QTest::newRow("the script clears the list")
        << QByteArray("getWidgetByClassName('QTreeWidget').clear();") << -1 << QStringList() << QStringList()
        << "first.js";
    QTest::newRow("a row not yet run is taken out")
        << QByteArray("delay(300);") << 2 << QStringList({"first.js", "second.js"})
        << QStringList({"Done", "Done"}) << "second.js";
    QTest::newRow("the running row is taken out")
        << QByteArray("delay(300);") << 0 << QStringList({"second.js", "third.js"})
        << QStringList({"Done", "Done"}) << "third.js";
}

// The batch holds no row of its own: rows that go while it runs are skipped, and the run ends normally.
void tst_BatchArea::rowsGoneWhileRunning()
{
    QFETCH(QByteArray, firstScript);
    QFETCH(int, rowTakenOut);
    QFETCH(QStringList, rowsAfter);
    QFETCH(QStringList, statesAfter);
    QFETCH(QString, lastRun);
    const QStringList names = {writeScript(QStringLiteral("first.js"), firstScript),
                               writeScript(QStringLiteral("second.js"), "printout('second');"),
                               writeScript(QStringLiteral("third.js"), "printout('third');")};
    app()->setValue(QStringLiteral("batchfiles"), names.join(';'));
    Editor editor;
    BatchArea area(&editor);
    auto *list = area.findChild<QTreeWidget *>();
    if (rowTakenOut >= 0)
        QTimer::singleShot(100, &area, [list, rowTakenOut] { delete list->takeTopLevelItem(rowTakenOut); });
    area.run();

    QVERIFY(!area.isBatchRunning());
    QStringList rows;
    for (const QString &name : column(area, 1))
        rows << QFileInfo(name).fileName();
    QCOMPARE(rows, rowsAfter);
    QCOMPARE(column(area, 0), statesAfter);
    QCOMPARE(QFileInfo(editor.fileName()).fileName(), lastRun);
    QVERIFY(!editor.hasError());
}

void tst_BatchArea::changedDocumentAsksFirst()
{
    const QString script = writeScript(QStringLiteral("s.js"), "printout('s');");
    app()->setValue(QStringLiteral("batchfiles"), script);
    Editor editor;
    QVERIFY(editor.load(script));
    BatchArea area(&editor);
    editor.setText(QStringLiteral("changed"));
    answerNextModal(this, [](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        box->button(QMessageBox::Cancel)->click();
    });
    area.run();
    QCOMPARE(column(area, 0), QStringList({""}));
    QVERIFY(editor.isModified());

    answerNextModal(this, [](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        box->button(QMessageBox::No)->click();
    });
    area.run();
    QCOMPARE(column(area, 0), QStringList({"Done"}));
}

void tst_BatchArea::listFiles()
{
    const QString listFile = m_dir.filePath(QStringLiteral("in.jslst"));
    QFile file(listFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("/a/one.js\r\n\r\n/b/twö.js\r\n");
    file.close();
    Editor editor;
    auto area = std::make_unique<BatchArea>(&editor);
    QVERIFY(column(*area, 1).isEmpty());
    answerFileDialog(this, listFile);
    area->loadList();
    QCOMPARE(column(*area, 1), QStringList({"/a/one.js", "/b/twö.js"}));

    // The list holds across a re-created widget.
    area = std::make_unique<BatchArea>(&editor);
    QCOMPARE(column(*area, 1), QStringList({"/a/one.js", "/b/twö.js"}));

    const QStringList names = {QStringLiteral("out"), QStringLiteral("out2.jslst"), QStringLiteral("out3.JSLST")};
    const QStringList written = {QStringLiteral("out.jslst"), QStringLiteral("out2.jslst"),
                                 QStringLiteral("out3.JSLST.jslst")};
    for (int i = 0; i < names.size(); ++i) {
        answerFileDialog(this, m_dir.filePath(names.at(i)));
        area->saveListAs();
        QFile saved(m_dir.filePath(written.at(i)));
        QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(written.at(i)));
        QCOMPARE(QString::fromUtf8(saved.readAll()), QStringLiteral("/a/one.js\n/b/twö.js\n"));
    }
}

void tst_BatchArea::badListChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::newRow("NUL byte") << QByteArray("/a.js\n\0/b.js\n", 13) << true;
    QTest::newRow("not UTF-8") << QByteArray("/a\xff.js\n") << true;
    // Reading it would wait for a writer that never comes.
    QTest::newRow("named pipe") << QByteArray() << false;
}

void tst_BatchArea::badListChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    const QString kept = QStringLiteral("/kept.js");
    app()->setValue(QStringLiteral("batchfiles"), kept);
    const QString listFile = m_dir.filePath(QStringLiteral("bad.jslst"));
    QFile::remove(listFile);
    if (exists) {
        QFile file(listFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    } else {
        QCOMPARE(mkfifo(QFile::encodeName(listFile).constData(), 0600), 0);
    }
    Editor editor;
    BatchArea area(&editor);
    answerFileDialog(this, listFile);
    bool told = false;
    QTimer::singleShot(0, this, [&] {
        answerNextModal(this, [&told](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            told = box && box->text().contains(QStringLiteral("not loaded"));
            if (box)
                box->accept();
        });
    });
    area.loadList();
    QTRY_VERIFY_WITH_TIMEOUT(told, HangBoundMs);
    QCOMPARE(column(area, 1), QStringList({kept}));
    QCOMPARE(app()->value(QStringLiteral("batchfiles")).toString(), kept);
}

void tst_BatchArea::hostileListsAreRefused_data()
{
    addHostileFileRows();
}

void tst_BatchArea::hostileListsAreRefused()
{
    RUN_ROW_IN_CHILD();
    const HostileFile hostile = makeHostileFile(m_dir.path(), MTools::ScriptFileBound);
    const QString kept = QStringLiteral("/kept.js");
    app()->setValue(QStringLiteral("batchfiles"), kept);
    Editor editor;
    BatchArea area(&editor);
    answerFileDialog(this, hostile.path);
    QString told;
    QTimer::singleShot(0, this, [&] {
        answerNextModal(this, [&told](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            told = box ? box->text() : QStringLiteral("<not a message box>");
            w->close();
        });
    });
    area.loadList();
    QTRY_VERIFY_WITH_TIMEOUT(!told.isEmpty(), HangBoundMs);
    QVERIFY2(told.contains(hostile.reason), qPrintable(told));
    QCOMPARE(column(area, 1), QStringList({kept}));
}

void tst_BatchArea::removeIsStored()
{
    app()->setValue(QStringLiteral("batchfiles"), QStringLiteral("/1.js;/2.js;/3.js"));
    Editor editor;
    {
        BatchArea area(&editor);
        auto *list = area.findChild<QTreeWidget *>();
        list->topLevelItem(1)->setSelected(true);
        button(area, QStringLiteral("Remove JS"))->click();
        QCOMPARE(column(area, 1), QStringList({"/1.js", "/3.js"}));
        // Delete while the focus is elsewhere removes nothing.
        list->topLevelItem(0)->setSelected(true);
        area.removeJSOnKey();
        QCOMPARE(column(area, 1).size(), 2);
    }
    BatchArea again(&editor);
    QCOMPARE(column(again, 1), QStringList({"/1.js", "/3.js"}));
}

void tst_BatchArea::keysRemoveRows_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Delete") << int(Qt::Key_Delete);
    QTest::newRow("Backspace") << int(Qt::Key_Backspace);
}

void tst_BatchArea::keysRemoveRows()
{
    QFETCH(int, key);
    app()->setValue(QStringLiteral("batchfiles"), QStringLiteral("/1.js;/2.js;/3.js"));
    Editor editor;
    {
        BatchArea area(&editor);
        area.show();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        auto *list = area.findChild<QTreeWidget *>();
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(1));
        QTRY_VERIFY_WITH_TIMEOUT(list->viewport()->hasFocus(), HangBoundMs);
        QTest::keyClick(list->viewport(), Qt::Key(key));
        QCOMPARE(column(area, 1), QStringList({"/1.js", "/3.js"}));
    }
    BatchArea again(&editor);
    QCOMPARE(column(again, 1), QStringList({"/1.js", "/3.js"}));
}

void tst_BatchArea::doubleClickOpensScript()
{
    const QString script = writeScript(QStringLiteral("opened.js"), "printout('opened');");
    const QString missing = m_dir.filePath(QStringLiteral("absent.js"));
    app()->setValue(QStringLiteral("batchfiles"), QStringList({script, missing}).join(';'));
    Editor editor;
    BatchArea area(&editor);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    auto *list = area.findChild<QTreeWidget *>();
    QSignalSpy spy(&area, &BatchArea::scriptFileDoubleClicked);
    const auto doubleClick = [list](int row, int col) {
        const QRect cell = list->visualItemRect(list->topLevelItem(row));
        const int x = list->header()->sectionViewportPosition(col) + list->header()->sectionSize(col) / 2;
        // As a real double click arrives: press and release, then the double click and its release.
        const QPoint at(x, cell.center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &twice);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };

    // Whatever column is clicked, the row's script opens.
    doubleClick(0, 0);
    QCOMPARE(editor.fileName(), script);
    QCOMPARE(editor.document()->toPlainText(), QStringLiteral("printout('opened');"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), script);

    // A script that cannot be read is reported and leaves the document as it was.
    QString warning;
    answerNextModal(this, [&warning](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        warning = box->text();
        box->accept();
    });
    doubleClick(1, 1);
    QVERIFY(warning.contains(QStringLiteral("absent.js")));
    QCOMPARE(editor.fileName(), script);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), missing);
}

void tst_BatchArea::areaDeletedWhileItAsks_data()
{
    QTest::addColumn<bool>("badList");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("the script's file dialog") << false << "QFileDialog";
    QTest::newRow("the warning after a bad list") << true << "QMessageBox";
}

// Qt's static file dialog and message box lay on the stack with the area as parent: the area deleted while one
// was up deleted it a second time (in a process of its own: that aborts the sanitizer build).
void tst_BatchArea::areaDeletedWhileItAsks()
{
    QFETCH(bool, badList);
    QFETCH(QString, dialogClass);
    if (ranRowInChild())
        return;
    Editor editor;
    QPointer<BatchArea> area = new BatchArea(&editor);
    area->show();
    QObject context;
    QString deletedAt;
    if (badList) {
        const QString listFile = m_dir.filePath(QStringLiteral("nul.jslst"));
        QFile file(listFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("a.js\n\0", 6));
        file.close();
        answerNextModal(&context, [&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            deleteOnNextModal(&context, area, &deletedAt);
            dialog->selectFile(listFile);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        area->loadList();
    } else {
        deleteOnNextModal(&context, area, &deletedAt);
        area->addJS();
    }
    QVERIFY(area.isNull());
    QCOMPARE(deletedAt, dialogClass);
}

TARSEL_APP_TEST_MAIN(tst_BatchArea)
#include "tst_BatchArea.moc"
