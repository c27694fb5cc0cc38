#include "HangBound.h"
#include "ChildRun.h"
#include "HostileFile.h"
#include "HostileResource.h"

#include "MTools/CsvModel.h"
#include "MTools/FileReading.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using MTools::CsvModel;

using Lines = QList<QStringList>;
Q_DECLARE_METATYPE(Lines)

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class tst_CsvModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void load_data();
    void load();
    void editThroughAViewAndSaveRoundTrips();
    void filesOfTheOldFormReadBackTheSame();
    void raggedRows();
    void toolTipAndSizeHint();
    void rowsAndSectionsOutOfRangeAreRefused();
    void insertAndRemoveRows();
    void manyRowsGoInPlaceInOneInsertion_data();
    void manyRowsGoInPlaceInOneInsertion();
    void countsPastTheBoundsAreRefused_data();
    void countsPastTheBoundsAreRefused();
    void failedLoadAndSaveKeepWhatThereWas();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void tablesThatWouldTakeTooMuchMemoryAreRefused_data();
    void tablesThatWouldTakeTooMuchMemoryAreRefused();
    void oneHugeCellLoadsWithinItsMemory();
    void fileNameWithoutExtension_data();
    void fileNameWithoutExtension();

private:
    QTemporaryDir m_dir;
};

void tst_CsvModel::init()
{
    QVERIFY(m_dir.isValid());
}

void tst_CsvModel::load_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("quoted and bare fields") << QByteArray("\"a\",\"b,c\",x,\"d\"\n")
                                            << Lines{{"a", "b,c", "x", "d"}};
    QTest::newRow("doubled quote is one quote") << QByteArray("\"say \"\"hi\"\"\"\n") << Lines{{"say \"hi\""}};
    QTest::newRow("line break inside quotes") << QByteArray("h1,h2\n\"one\ntwo\",v\n")
                                              << Lines{{"h1", "h2"}, {"one\ntwo", "v"}};
    QTest::newRow("CR LF line ends") << QByteArray("a,b\r\nc,d\r\n") << Lines{{"a", "b"}, {"c", "d"}};
    QTest::newRow("CR LF kept inside quotes") << QByteArray("\"a\r\nb\"\r\n") << Lines{{"a\r\nb"}};
    QTest::newRow("no line end at the end") << QByteArray("a,b") << Lines{{"a", "b"}};
    QTest::newRow("unclosed last field keeps its text") << QByteArray("a,\"open\ntext") << Lines{{"a", "open\ntext"}};
    QTest::newRow("empty line is one empty field") << QByteArray("h\n\nx\n") << Lines{{"h"}, {""}, {"x"}};
    QTest::newRow("empty fields") << QByteArray(",,\n") << Lines{{"", "", ""}};
    QTest::newRow("quote inside a bare field stays") << QByteArray("ab\"c,d\n") << Lines{{"ab\"c", "d"}};
    QTest::newRow("text after a closing quote is kept") << QByteArray("\"a\"b,c\n") << Lines{{"ab", "c"}};
    QTest::newRow("UTF-8") << QByteArray("\"Gr\xc3\xb6\xc3\x9f\x65\",\xe5\x90\x8d\n")
                           << Lines{{QString::fromUtf8("Gr\xc3\xb6\xc3\x9f\x65"), QString::fromUtf8("\xe5\x90\x8d")}};
    QTest::newRow("empty file") << QByteArray() << Lines{};
}

void tst_CsvModel::load()
{
    QFETCH(QByteArray, file);
    QFETCH(Lines, lines);
    const QString path = writeFile(m_dir, QStringLiteral("load.csv"), file);
    CsvModel model;
    QSignalSpy reset(&model, &CsvModel::modelReset);
    QVERIFY(model.load(path));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.lines(), lines);
    QCOMPARE(model.columnCount(), lines.isEmpty() ? 0 : lines.first().size());
    QCOMPARE(model.rowCount(), qMax(0, lines.size() - 1));
    if (!lines.isEmpty()) {
        for (int column = 0; column < lines.first().size(); ++column)
            QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), lines.first().at(column));
    }
    for (int row = 1; row < lines.size(); ++row) {
        for (int column = 0; column < lines.at(row).size(); ++column)
            QCOMPARE(model.data(model.index(row - 1, column)).toString(), lines.at(row).at(column));
    }
}

void tst_CsvModel::editThroughAViewAndSaveRoundTrips()
{
    const QByteArray original = "Name,Note\n"
                                "\"Smith, Ann\",\"She said \"\"hello\"\"\"\n"
                                "Bob,\"two\nlines\"\n";
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("people.csv"), original)));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("She said \"hello\""));

    QTableView view;
    view.setModel(&model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy changed(&model, &CsvModel::dataChanged);
    view.setCurrentIndex(model.index(1, 0));
    QTest::keyClick(&view, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Bob \"B\", Jr"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits through a queued call.
    QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, HangBoundMs);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("Bob \"B\", Jr"));

    const QString savedPath = m_dir.filePath(QStringLiteral("saved.csv"));
    QVERIFY(model.save(savedPath));
    QCOMPARE(readFile(savedPath), QByteArray("\"Name\",\"Note\"\n"
                                             "\"Smith, Ann\",\"She said \"\"hello\"\"\"\n"
                                             "\"Bob \"\"B\"\", Jr\",\"two\nlines\"\n"));
    CsvModel reloaded;
    QVERIFY(reloaded.load(savedPath));
    QCOMPARE(reloaded.lines(), model.lines());
}

void tst_CsvModel::filesOfTheOldFormReadBackTheSame()
{
    const QByteArray oldForm = "\"a\",\"b\"\n\"c, d\",\"\"\n\"\"\n";
    const QString path = writeFile(m_dir, QStringLiteral("old.csv"), oldForm);
    CsvModel model;
    QVERIFY(model.load(path));
    QCOMPARE(model.lines(), (Lines{{"a", "b"}, {"c, d", ""}, {""}}));
    QVERIFY(model.save(path));
    QCOMPARE(readFile(path), oldForm);
}

void tst_CsvModel::raggedRows()
{
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("ragged.csv"), "h1,h2,h3\nshort\na,b,c,d,e\n")));
    QCOMPARE(model.columnCount(), 3);
    QVERIFY(!model.data(model.index(0, 1)).isValid());
    QCOMPARE(model.data(model.index(1, 2)).toString(), QStringLiteral("c"));

    QVERIFY(model.setData(model.index(0, 2), QStringLiteral("new")));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QString());
    QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("new"));

    const QString tip = model.data(model.index(1, 0), Qt::ToolTipRole).toString();
    QCOMPARE(tip, QStringLiteral("<table><tr><td><b>h1</b>: a</td></tr><tr><td><b>h2</b>: b</td></tr>"
                                 "<tr><td><b>h3</b>: c</td></tr></table>"));

    const QString path = m_dir.filePath(QStringLiteral("ragged-saved.csv"));
    QVERIFY(model.save(path));
    CsvModel reloaded;
    QVERIFY(reloaded.load(path));
    QCOMPARE(reloaded.lines(), (Lines{{"h1", "h2", "h3"}, {"short", "", "new"}, {"a", "b", "c", "d", "e"}}));
}

void tst_CsvModel::toolTipAndSizeHint()
{
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("tip.csv"), "Name,Age\nAnn,\n,\n")));
    QCOMPARE(model.data(model.index(0, 0), Qt::ToolTipRole).toString(),
             QStringLiteral("<table><tr><td><b>Name</b>: Ann</td></tr></table>"));
    QCOMPARE(model.data(model.index(1, 1), Qt::ToolTipRole).toString(), QStringLiteral("<table></table>"));
    QCOMPARE(model.data(model.index(0, 0), Qt::SizeHintRole).toSize(), QSize(30, 12));
    QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isValid());
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    QCOMPARE(model.flags(QModelIndex()), Qt::NoItemFlags);
    QVERIFY(model.hasChildren());
    QVERIFY(!model.hasChildren(model.index(0, 0)));
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
}

void tst_CsvModel::rowsAndSectionsOutOfRangeAreRefused()
{
    CsvModel empty;
    QVERIFY(!empty.headerData(0, Qt::Horizontal).isValid());
    QVERIFY(!empty.insertRows(0, 1));
    QVERIFY(!empty.removeRows(0, 1));
    QCOMPARE(empty.rowCount(), 0);

    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("range.csv"), "a,b\n1,2\n3,4\n")));
    QVERIFY(!model.headerData(2, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(-1, Qt::Horizontal).isValid());
    QCOMPARE(model.headerData(1, Qt::Vertical).toInt(), 2);
    QVERIFY(!model.headerData(2, Qt::Vertical).isValid());
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("x"), Qt::ToolTipRole));
    QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x")));
    // A cell of another table names no cell of this one.
    QStandardItemModel other(2, 2);
    QVERIFY(!model.setData(other.index(0, 0), QStringLiteral("x")));
    QVERIFY(!model.insertRows(-1, 1));
    QVERIFY(!model.insertRows(3, 1));
    QVERIFY(!model.insertRows(0, 0));
    QVERIFY(!model.insertRows(0, 1, model.index(0, 0)));
    QVERIFY(!model.removeRows(1, 2));
    QVERIFY(!model.removeRows(-1, 1));
    QVERIFY(!model.removeRows(0, -1));
    QCOMPARE(model.lines(), (Lines{{"a", "b"}, {"1", "2"}, {"3", "4"}}));
}

void tst_CsvModel::insertAndRemoveRows()
{
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("rows.csv"), "a,b\n1,2\n3,4\n")));
    QSignalSpy inserted(&model, &CsvModel::rowsInserted);
    QVERIFY(model.insertRows(1, 2));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 1);
    QCOMPARE(inserted.first().at(2).toInt(), 2);
    QCOMPARE(model.lines(), (Lines{{"a", "b"}, {"1", "2"}, {"", ""}, {"", ""}, {"3", "4"}}));
    QVERIFY(model.insertRows(model.rowCount(), 1));
    QCOMPARE(model.rowCount(), 5);

    QSignalSpy removed(&model, &CsvModel::rowsRemoved);
    QVERIFY(model.removeRows(1, 2));
    QVERIFY(model.removeRows(model.rowCount() - 1, 1)); // the last data row
    QCOMPARE(removed.count(), 2);
    QCOMPARE(model.lines(), (Lines{{"a", "b"}, {"1", "2"}, {"3", "4"}}));
}

void tst_CsvModel::manyRowsGoInPlaceInOneInsertion_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("at the front") << 0;
    QTest::newRow("in the middle") << 500;
    QTest::newRow("at the end") << 1000;
}

void tst_CsvModel::manyRowsGoInPlaceInOneInsertion()
{
    QFETCH(int, row);
    QByteArray text = "id,name\n";
    for (int i = 0; i < 1000; ++i)
        text += QByteArray::number(i) + ",n" + QByteArray::number(i) + "\n";
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("many.csv"), text)));
    const Lines before = model.lines();
    QSignalSpy inserted(&model, &CsvModel::rowsInserted);
    const int count = 10000;
    QVERIFY(model.insertRows(row, count));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), row);
    QCOMPARE(inserted.first().at(2).toInt(), row + count - 1);
    const Lines after = model.lines();
    QCOMPARE(after.size(), before.size() + count);
    QCOMPARE(after.mid(0, row + 1), before.mid(0, row + 1));
    QCOMPARE(after.mid(row + 1 + count), before.mid(row + 1));
    for (int i = row + 1; i <= row + count; ++i)
        QVERIFY2(after.at(i) == (QStringList{QString(), QString()}), qPrintable(QString::number(i)));
}

void tst_CsvModel::countsPastTheBoundsAreRefused_data()
{
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("row");
    QTest::addColumn<qint64>("count");
    QTest::newRow("insert INT_MAX rows") << true << 5 << qint64(INT_MAX);
    QTest::newRow("insert past the table's bound") << true << 0 << CsvModel::MaxRows - 8;
    QTest::newRow("remove INT_MAX rows") << false << 1 << qint64(INT_MAX);
    QTest::newRow("remove from row INT_MAX") << false << INT_MAX << qint64(1);
}

void tst_CsvModel::countsPastTheBoundsAreRefused()
{
    QFETCH(bool, insert);
    QFETCH(int, row);
    QFETCH(qint64, count);
    // Before the mend row + count - 1 overflowed, and the rows went in one at a time until the memory or the
    // time ran out.
    RUN_ROW_IN_CHILD(30000);
    QByteArray text = "a,b\n";
    for (int i = 0; i < 9; ++i)
        text += QByteArray::number(i) + ",x\n";
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("bound.csv"), text)));
    const Lines before = model.lines();
    QSignalSpy announced(&model, insert ? &CsvModel::rowsAboutToBeInserted : &CsvModel::rowsAboutToBeRemoved);
    QVERIFY(!(insert ? model.insertRows(row, int(count)) : model.removeRows(row, int(count))));
    QCOMPARE(announced.count(), 0);
    QCOMPARE(model.lines(), before);
}

void tst_CsvModel::failedLoadAndSaveKeepWhatThereWas()
{
    CsvModel model;
    const QString path = writeFile(m_dir, QStringLiteral("keep.csv"), "a\n1\n");
    QVERIFY(model.load(path));
    QVERIFY(!model.load(m_dir.filePath(QStringLiteral("missing.csv"))));
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(!model.save(m_dir.filePath(QStringLiteral("no/such/folder.csv"))));
    QVERIFY(!model.save(m_dir.path()));
    QCOMPARE(readFile(path), QByteArray("a\n1\n"));
}

void tst_CsvModel::hostileFilesAreRefused_data()
{
    addHostileFileRows();
}

void tst_CsvModel::hostileFilesAreRefused()
{
    RUN_ROW_IN_CHILD();
    const HostileFile hostile = makeHostileFile(m_dir.path(), MTools::TableFileBound);
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("keep.csv"), "a\n1\n")));
    QString error;
    QVERIFY(!model.load(hostile.path, &error));
    QCOMPARE(error, hostile.reason);
    QCOMPARE(model.lines(), (Lines{{"a"}, {"1"}}));
}

void tst_CsvModel::tablesThatWouldTakeTooMuchMemoryAreRefused_data()
{
    QTest::addColumn<QByteArray>("pattern");
    // Each took some 60 bytes of memory a byte of file: 300 MB of empty lines ended the program.
    QTest::newRow("empty lines") << QByteArray("\n");
    QTest::newRow("one-character cells") << QByteArray("a,");
}

// Refused with a clear reason before the table takes its memory, the model as it was.
void tst_CsvModel::tablesThatWouldTakeTooMuchMemoryAreRefused()
{
    QFETCH(QByteArray, pattern);
    RUN_ROW_IN_CHILD();
    const qint64 size = 20 * 1024 * 1024;
    const QString path = writeFile(m_dir, QStringLiteral("dense.csv"), pattern.repeated(int(size / pattern.size())));
    CsvModel model;
    QVERIFY(model.load(writeFile(m_dir, QStringLiteral("keep.csv"), "a\n1\n")));
    QString error;
    QVERIFY(!model.load(path, &error));
    QVERIFY2(error.startsWith(QLatin1String("The table would take more than 320 MB of memory")), qPrintable(error));
    QCOMPARE(model.lines(), (Lines{{"a"}, {"1"}}));
}

// One cell as large as a tenth of the file bound loads, taking a few times its size.
void tst_CsvModel::oneHugeCellLoadsWithinItsMemory()
{
    RUN_ROW_IN_CHILD();
    const int size = 50 * 1024 * 1024;
    const QString path = writeFile(m_dir, QStringLiteral("cell.csv"), "\"" + QByteArray(size, 'x') + "\"\n");
    const qint64 peakBefore = peakResidentBytes();
    CsvModel model;
    QString error;
    QVERIFY2(model.load(path, &error), qPrintable(error));
    QCOMPARE(model.lines().value(0).value(0).size(), size);
    QVERIFY((peakResidentBytes() - peakBefore) < 16 * qint64(size));
}

void tst_CsvModel::fileNameWithoutExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("one extension") << "/tmp/table.csv" << "table";
    QTest::newRow("last dot only") << "dir/archive.tar.gz" << "archive.tar";
    QTest::newRow("no dot") << "/tmp/README" << "README";
    QTest::newRow("dot in the folder only") << "/tmp/my.dir/file" << "file";
}

void tst_CsvModel::fileNameWithoutExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(MTools::fileNameWithoutExtension(QFileInfo(path)), name);
}

QTEST_MAIN(tst_CsvModel)
#include "tst_CsvModel.moc"
