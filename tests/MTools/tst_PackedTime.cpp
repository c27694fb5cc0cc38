#include "MTools/PackedTime.h"

#include <QtTest>

class tst_PackedTime : public QObject
{
    Q_OBJECT

private slots:
    void fatTime_data();
    void fatTime();
    void fieldsAreCutToTheirWidth();
};

void tst_PackedTime::fatTime_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("fat");
    QTest::addColumn<QTime>("readBack");
    QTest::newRow("odd second loses its lowest bit") << QTime(13, 45, 31) << 28079 << QTime(13, 45, 30);
    QTest::newRow("midnight") << QTime(0, 0, 0) << 0 << QTime(0, 0, 0);
    QTest::newRow("last even second") << QTime(23, 59, 58) << (23 << 11 | 59 << 5 | 29) << QTime(23, 59, 58);
}

void tst_PackedTime::fatTime()
{
    QFETCH(QTime, time);
    QFETCH(int, fat);
    QFETCH(QTime, readBack);
    const PackedTime packed(time);
    QCOMPARE(packed.hour(), time.hour());
    QCOMPARE(packed.minute(), time.minute());
    QCOMPARE(packed.second(), time.second());
    QCOMPARE(int(packed.toFatTime()), fat);
    const PackedTime back{quint16(fat)};
    QCOMPARE(QTime(back.hour(), back.minute(), back.second()), readBack);
}

void tst_PackedTime::fieldsAreCutToTheirWidth()
{
    PackedTime packed;
    packed.set(33, 70, 65);
    QCOMPARE(packed.hour(), 33 & 31);
    QCOMPARE(packed.minute(), 70 & 63);
    QCOMPARE(packed.second(), 65 & 63);
    PackedTime copy;
    copy = packed;
    QCOMPARE(copy.minute(), 6);
}

QTEST_APPLESS_MAIN(tst_PackedTime)
#include "tst_PackedTime.moc"
