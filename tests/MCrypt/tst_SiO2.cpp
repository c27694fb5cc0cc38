#include "MCrypt/SiO2.h"

#include "PseudoRandomBytes.h"

#include <QtTest>

using MCrypt::SiO2;

class tst_SiO2 : public QObject
{
    Q_OBJECT

private slots:
    void refusesBadLimits_data();
    void refusesBadLimits();
    void roundTrips_data();
    void roundTrips();
    void zeroTablesBeforeGeneration();
    void exportImport();
    void shortImportKeepsTables();
    void copiesKeepTables();
    void freshTablesEveryTime();
    void byteOutsideTheTable();
    void selfTestAndDump();
};

static bool isPermutation(const QByteArray &table)
{
    QVector<bool> seen(table.size(), false);
    for (const char entry : table) {
        const int value = quint8(entry);
        if (value >= table.size() || seen[value])
            return false;
        seen[value] = true;
    }
    return true;
}

void tst_SiO2::refusesBadLimits_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<uint>("count");
    QTest::addColumn<uint>("size");
    QTest::newRow("empty key")          << QByteArray() << 4u << 256u;
    QTest::newRow("no tables")          << QByteArray("k") << 0u << 256u;
    QTest::newRow("table size 0")       << QByteArray("k") << 4u << 0u;
    QTest::newRow("table size 257")     << QByteArray("k") << 4u << 257u;
}

void tst_SiO2::refusesBadLimits()
{
    QFETCH(QByteArray, key);
    QFETCH(uint, count);
    QFETCH(uint, size);
    SiO2 cipher(key, count, size);
    QVERIFY(!cipher.isValid());
    QVERIFY(cipher.exportTables().isEmpty());
    QVERIFY(!cipher.importTables(QByteArray(300000, 'x')));
    QVERIFY(cipher.encrypt("abc").isEmpty());
    QVERIFY(cipher.decrypt("abc").isEmpty());
}

void tst_SiO2::roundTrips_data()
{
    QTest::addColumn<uint>("count");
    QTest::addColumn<uint>("size");
    QTest::newRow("256 tables of 256")  << 256u << 256u;
    QTest::newRow("one table")          << 1u << 256u;
    QTest::newRow("one entry a table")  << 3u << 1u;
    QTest::newRow("16-entry alphabet")  << 7u << 16u;
}

void tst_SiO2::roundTrips()
{
    QFETCH(uint, count);
    QFETCH(uint, size);
    SiO2 cipher(QStringLiteral("key"), count, size);
    QVERIFY(cipher.isValid());
    cipher.generateTables();
    QCOMPARE(uint(cipher.tables().size()), count);
    for (const QByteArray &table : cipher.tables())
        QVERIFY(isPermutation(table));

    QByteArray data = pseudoRandomBytes(1000, size);
    for (char &byte : data)
        byte = char(quint8(byte) % size);
    const QByteArray encrypted = cipher.encrypt(data);
    QCOMPARE(encrypted.size(), data.size());
    QCOMPARE(cipher.decrypt(encrypted), data);
    QCOMPARE(SiO2::substitute(SiO2::unsubstitute(data, cipher.tables()), cipher.tables()), data);
}

void tst_SiO2::zeroTablesBeforeGeneration()
{
    SiO2 cipher(QByteArray("k"), 2, 4);
    QCOMPARE(cipher.encrypt(QByteArray("\x01\x03\x02", 3)), QByteArray(3, '\0'));
    QCOMPARE(cipher.decrypt(QByteArray(1, '\0')), QByteArray("\x00\x01\x02\x03", 4));
    QCOMPARE(cipher.decrypt(QByteArray(1, '\x01')), QByteArray());
}

void tst_SiO2::exportImport()
{
    const QByteArray key("\x5a\x01\xff", 3);
    SiO2 sender(key, 3, 256);
    const QByteArray masked = sender.exportTables();
    QCOMPARE(masked.size(), 3 * 256);
    // Entry n is masked with key byte n mod key length, over all tables in order.
    const QByteArray plainTables = SiO2::tablesToByteArray(sender.tables());
    for (int n = 0; n < masked.size(); ++n)
        QCOMPARE(quint8(masked.at(n) ^ plainTables.at(n)), quint8(key.at(n % key.size())));

    SiO2 receiver(key, 3, 256);
    QVERIFY(receiver.importTables(masked));
    QCOMPARE(receiver.tables(), sender.tables());
    const QByteArray data = pseudoRandomBytes(600, 3);
    QCOMPARE(receiver.decrypt(sender.encrypt(data)), data);

    SiO2 stranger(QByteArray("other"), 3, 256);
    QVERIFY(stranger.importTables(masked));
    QVERIFY(stranger.tables() != sender.tables());
}

void tst_SiO2::shortImportKeepsTables()
{
    SiO2 cipher(QByteArray("k"), 2, 16);
    cipher.generateTables();
    const SiO2::Tables before = cipher.tables();
    QVERIFY(!cipher.importTables(QByteArray(2 * 16 - 1, 'x')));
    QCOMPARE(cipher.tables(), before);
    // Extra bytes past the tables are not used.
    QVERIFY(cipher.importTables(QByteArray(2 * 16 + 5, 'k')));
    QCOMPARE(cipher.tables(), SiO2::Tables(2, QByteArray(16, '\0')));
}

void tst_SiO2::copiesKeepTables()
{
    SiO2 original(QByteArray("k"), 4, 256);
    original.generateTables();
    const QByteArray data = pseudoRandomBytes(100, 9);

    const SiO2 copy(original);
    QCOMPARE(copy.tables(), original.tables());
    QCOMPARE(copy.encrypt(data), original.encrypt(data));

    SiO2 assigned(QByteArray("other"), 1, 2);
    assigned = original;
    QCOMPARE(assigned.tableCount(), 4u);
    QCOMPARE(assigned.decrypt(original.encrypt(data)), data);
}

void tst_SiO2::freshTablesEveryTime()
{
    // Tables drawn within the same millisecond must still differ.
    SiO2 first(QByteArray("k"), 8, 256);
    SiO2 second(QByteArray("k"), 8, 256);
    first.generateTables();
    second.generateTables();
    QVERIFY(first.tables() != second.tables());
}

void tst_SiO2::byteOutsideTheTable()
{
    SiO2 cipher(QByteArray("k"), 2, 16);
    cipher.generateTables();
    QCOMPARE(cipher.encrypt(QByteArray("\x0f\x00", 2)).size(), 2);
    QCOMPARE(cipher.encrypt(QByteArray("\x0f\x10", 2)), QByteArray());

    // With 256 tables the byte at position 256 uses table 0 again.
    SiO2 wide(QByteArray("k"), 256, 256);
    wide.generateTables();
    const QByteArray encrypted = wide.encrypt(QByteArray(257, 'x'));
    QCOMPARE(encrypted.at(256), encrypted.at(0));
}

static QStringList capturedDebug;
static void captureDebug(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedDebug << message;
}

void tst_SiO2::selfTestAndDump()
{
    capturedDebug.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureDebug);
    MCrypt::testSiO2();
    SiO2::dumpTables(SiO2::Tables{QByteArray("\x02\x00\x01", 3), QByteArray("\xff", 1)});
    qInstallMessageHandler(previous);

    QCOMPARE(capturedDebug.size(), 5);
    QVERIFY(capturedDebug.at(0).startsWith("!Orig     : \"\\x00\\x01"));
    QVERIFY(capturedDebug.at(1).startsWith("!Crypted  : "));
    QCOMPARE(capturedDebug.at(2).mid(12), capturedDebug.at(0).mid(12));
    QVERIFY(capturedDebug.at(1).mid(12) != capturedDebug.at(0).mid(12));
    QCOMPARE(capturedDebug.at(3), QString("2,0,1,"));
    QCOMPARE(capturedDebug.at(4), QString("255,"));
}

QTEST_GUILESS_MAIN(tst_SiO2)
#include "tst_SiO2.moc"
