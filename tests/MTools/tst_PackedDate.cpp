#include "MTools/PackedDate.h"

#include <QtTest>

class tst_PackedDate : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void fieldsAreCutToTheirWidth();
    void rawWordRoundTrip();
};

void tst_PackedDate::fields_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("yearField");
    QTest::newRow("8 December 2026") << QDate(2026, 12, 8) << 2026 << 56;
    QTest::newRow("first year") << QDate(1970, 1, 1) << 1970 << 0;
    QTest::newRow("last year") << QDate(2097, 12, 31) << 2097 << 127;
    QTest::newRow("2098 wraps to 1970") << QDate(2098, 6, 15) << 1970 << 0;
}

void tst_PackedDate::fields()
{
    QFETCH(QDate, date);
    QFETCH(int, year);
    QFETCH(int, yearField);
    const PackedDate packed(date);
    QCOMPARE(packed.day(), date.day());
    QCOMPARE(packed.month(), date.month());
    QCOMPARE(packed.year(), year);
    QCOMPARE(packed.toInt() >> 9, yearField);
    // The month's top bit (bit 8) survives the year.
    QCOMPARE(bool(packed.toInt() & 0x100), date.month() >= 8);
}

void tst_PackedDate::fieldsAreCutToTheirWidth()
{
    PackedDate packed;
    packed.set(2000, 0xFF, 40);
    QCOMPARE(packed.day(), 40 & 31);
    QCOMPARE(packed.month(), 15);
    QCOMPARE(packed.year(), 2000);
}

void tst_PackedDate::rawWordRoundTrip()
{
    const PackedDate packed(QDate(2026, 12, 8));
    const PackedDate copy(packed.toInt());
    QCOMPARE(copy.toInt(), packed.toInt());
    PackedDate assigned;
    assigned = copy;
    QCOMPARE(assigned.year(), 2026);
    QCOMPARE(PackedDate(quint16(0xFFFF)).year(), 2097);
}

QTEST_APPLESS_MAIN(tst_PackedDate)
#include "tst_PackedDate.moc"
