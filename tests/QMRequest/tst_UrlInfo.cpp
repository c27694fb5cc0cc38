#include "QMRequest/UrlInfo.h"

#include <QUrl>
#include <QtTest>

#include <functional>

using QMRequest::UrlInfo;

namespace {

const QDateTime early(QDate(2020, 1, 1), QTime(8, 0), Qt::UTC);
const QDateTime late(QDate(2021, 6, 1), QTime(9, 30), Qt::UTC);

UrlInfo entry(const QString &name, qint64 size, const QDateTime &modified)
{
    return UrlInfo(name, 0644, QStringLiteral("ann"), QStringLiteral("staff"), size, modified, early, false, true,
                   false, true, true, false);
}

} // namespace

Q_DECLARE_METATYPE(QMRequest::UrlInfo)
using Setter = std::function<void(UrlInfo &)>;
Q_DECLARE_METATYPE(Setter)

class tst_UrlInfo : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWithoutRecord();
    void anySetterCreatesRecord_data();
    void anySetterCreatesRecord();
    void constructors();
    void copiesAreIndependent();
    void comparisons_data();
    void comparisons();
};

void tst_UrlInfo::defaultsWithoutRecord()
{
    const UrlInfo info;
    QVERIFY(!info.isValid());
    QVERIFY(info.name().isEmpty() && info.owner().isEmpty() && info.group().isEmpty());
    QCOMPARE(info.permissions(), 0);
    QCOMPARE(info.size(), qint64(0));
    QVERIFY(info.lastModified().isNull() && info.lastRead().isNull());
    QVERIFY(!info.isDirectory() && !info.isFile() && !info.isSymbolicLink());
    QVERIFY(!info.isWritable() && !info.isReadable() && !info.isExecutable());
    QVERIFY(info == UrlInfo());
}

void tst_UrlInfo::anySetterCreatesRecord_data()
{
    QTest::addColumn<Setter>("setter");
    QTest::newRow("name") << Setter([](UrlInfo &i) { i.setName(QString()); });
    QTest::newRow("directory") << Setter([](UrlInfo &i) { i.setDirectory(false); });
    QTest::newRow("file") << Setter([](UrlInfo &i) { i.setFile(true); });
    QTest::newRow("symlink") << Setter([](UrlInfo &i) { i.setSymbolicLink(false); });
    QTest::newRow("owner") << Setter([](UrlInfo &i) { i.setOwner(QString()); });
    QTest::newRow("group") << Setter([](UrlInfo &i) { i.setGroup(QString()); });
    QTest::newRow("size") << Setter([](UrlInfo &i) { i.setSize(0); });
    QTest::newRow("writable") << Setter([](UrlInfo &i) { i.setWritable(true); });
    QTest::newRow("readable") << Setter([](UrlInfo &i) { i.setReadable(true); });
    QTest::newRow("permissions") << Setter([](UrlInfo &i) { i.setPermissions(0); });
    QTest::newRow("lastModified") << Setter([](UrlInfo &i) { i.setLastModified(QDateTime()); });
    QTest::newRow("lastRead") << Setter([](UrlInfo &i) { i.setLastRead(QDateTime()); });
}

void tst_UrlInfo::anySetterCreatesRecord()
{
    QFETCH(Setter, setter);
    UrlInfo info;
    setter(info);
    // Even a default value creates the record, and with it the defaults of a readable, writable file.
    QVERIFY(info.isValid());
    QVERIFY(info != UrlInfo());
    QVERIFY(info.isFile() && info.isWritable() && info.isReadable());
    QVERIFY(!info.isDirectory() && !info.isSymbolicLink() && !info.isExecutable());

    UrlInfo other;
    setter(other);
    QVERIFY(info == other);
}

void tst_UrlInfo::constructors()
{
    const UrlInfo full(QStringLiteral("a.js"), 0755, QStringLiteral("ann"), QStringLiteral("staff"), 42, late, early,
                       true, false, true, false, false, true);
    QCOMPARE(full.name(), QStringLiteral("a.js"));
    QCOMPARE(full.permissions(), 0755);
    QCOMPARE(full.owner(), QStringLiteral("ann"));
    QCOMPARE(full.group(), QStringLiteral("staff"));
    QCOMPARE(full.size(), qint64(42));
    QCOMPARE(full.lastModified(), late);
    QCOMPARE(full.lastRead(), early);
    QVERIFY(full.isDirectory() && !full.isFile() && full.isSymbolicLink());
    QVERIFY(!full.isWritable() && !full.isReadable() && full.isExecutable());

    const UrlInfo fromUrl(QUrl(QStringLiteral("ftp://host/dir/my%20file.txt?x=1")), 0, QString(), QString(), 1, late,
                          early, false, true, false, true, true, false);
    QCOMPARE(fromUrl.name(), QStringLiteral("my file.txt"));
    const UrlInfo fromFolderUrl(QUrl(QStringLiteral("file:///tmp/dir/")), 0, QString(), QString(), 0, late, early,
                                true, false, false, true, true, true);
    QCOMPARE(fromFolderUrl.name(), QString());
}

void tst_UrlInfo::copiesAreIndependent()
{
    UrlInfo original = entry(QStringLiteral("a"), 1, early);
    UrlInfo copy(original);
    QVERIFY(copy == original);
    copy.setSize(2);
    QCOMPARE(original.size(), qint64(1));
    QVERIFY(copy != original);

    UrlInfo assigned;
    assigned = original;
    QVERIFY(assigned == original);
    assigned.setName(QStringLiteral("b"));
    QCOMPARE(original.name(), QStringLiteral("a"));

    // Assigning one without a record takes the record away.
    assigned = UrlInfo();
    QVERIFY(!assigned.isValid());
    UrlInfo empty;
    UrlInfo emptyCopy(empty);
    QVERIFY(!emptyCopy.isValid());
    assigned = assigned;
    QVERIFY(!assigned.isValid());
}

void tst_UrlInfo::comparisons_data()
{
    QTest::addColumn<UrlInfo>("a");
    QTest::addColumn<UrlInfo>("b");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("greater");
    QTest::addColumn<bool>("equal");

    const UrlInfo a = entry(QStringLiteral("alpha"), 10, early);
    const UrlInfo b = entry(QStringLiteral("beta"), 5, late);
    QTest::newRow("name less") << a << b << 0 << false << false;
    QTest::newRow("name greater") << b << a << 0 << true << false;
    QTest::newRow("name equal") << a << a << 0 << false << true;
    QTest::newRow("time less") << a << b << 1 << false << false;
    QTest::newRow("time greater") << b << a << 1 << true << false;
    QTest::newRow("size greater") << a << b << 2 << true << false;
    QTest::newRow("size equal") << a << entry(QStringLiteral("other"), 10, late) << 2 << false << true;
    QTest::newRow("unknown key, same object") << a << a << 3 << false << false;
    QTest::newRow("time, no records") << UrlInfo() << UrlInfo() << 1 << false << true;
    QTest::newRow("size, record against none") << a << UrlInfo() << 2 << true << false;
}

void tst_UrlInfo::comparisons()
{
    QFETCH(UrlInfo, a);
    QFETCH(UrlInfo, b);
    QFETCH(int, key);
    QFETCH(bool, greater);
    QFETCH(bool, equal);
    QCOMPARE(UrlInfo::isGreater(a, b, key), greater);
    QCOMPARE(UrlInfo::isLessOrEqual(a, b, key), !greater);
    QCOMPARE(UrlInfo::isEqual(a, b, key), equal);
}

QTEST_GUILESS_MAIN(tst_UrlInfo)
#include "tst_UrlInfo.moc"
