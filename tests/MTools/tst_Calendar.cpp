#include "MTools/Calendar.h"

#include <QtTest>

#include <limits>

class tst_Calendar : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void ageInYears();
    void zodiacSign_data();
    void zodiacSign();
    void zodiacDescription_data();
    void zodiacDescription();
    void moon_data();
    void moon();
    void moonAgeStaysInALunation();
    void secondsSinceNewYearMatchesTheDateTime();
    void secondsBeyondTheRange_data();
    void secondsBeyondTheRange();
    void timesOfDay_data();
    void timesOfDay();
};

void tst_Calendar::names_data()
{
    QTest::addColumn<bool>("weekday");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("0 is Monday") << true << 0 << "Monday";
    QTest::newRow("6 is Sunday") << true << 6 << "Sunday";
    QTest::newRow("weekday 7") << true << 7 << "Unknown";
    QTest::newRow("weekday -1") << true << -1 << "Unknown";
    QTest::newRow("January") << false << 1 << "January";
    QTest::newRow("December") << false << 12 << "December";
    QTest::newRow("month 0") << false << 0 << "Unknown";
    QTest::newRow("month -1") << false << -1 << "Unknown";
    QTest::newRow("month 13") << false << 13 << "Unknown";
}

void tst_Calendar::names()
{
    QFETCH(bool, weekday);
    QFETCH(int, number);
    QFETCH(QString, name);
    QCOMPARE(weekday ? MTools::weekdayName(number) : MTools::monthName(number), name);
}

void tst_Calendar::ageInYears()
{
    const QDate today = QDate::currentDate();
    QCOMPARE(MTools::ageInYears(today.addYears(-10)), 10);
    QCOMPARE(MTools::ageInYears(today.addYears(-10).addMonths(1)), 9);
    QCOMPARE(MTools::ageInYears(today.addYears(-10).addDays(1)), today.addDays(1).year() == today.year() ? 9 : 10);
    QCOMPARE(MTools::ageInYears(today), 0);
    // Not the current year, as the date's parts read 0.
    QCOMPARE(MTools::ageInYears(QDate()), -1);
}

void tst_Calendar::zodiacSign_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("sign");
    QTest::newRow("first day of Aries") << QDate(1990, 3, 21) << "Aries";
    QTest::newRow("last day of Aries") << QDate(1990, 4, 20) << "Aries";
    QTest::newRow("Taurus") << QDate(1990, 4, 21) << "Taurus";
    QTest::newRow("Capricorn before New Year") << QDate(1990, 12, 31) << "Capricom";
    QTest::newRow("Capricorn after New Year") << QDate(1990, 1, 23) << "Capricom";
    QTest::newRow("Aquarius") << QDate(1990, 1, 24) << "Aquarius";
    QTest::newRow("Aquarius ends") << QDate(1990, 2, 19) << "Aquarius";
    QTest::newRow("Pisces") << QDate(1990, 2, 20) << "Pisces";
    QTest::newRow("29 February is Pisces in a leap year") << QDate(2024, 2, 29) << "Pisces";
    QTest::newRow("29 February is Pisces whatever this year is") << QDate(2000, 2, 29) << "Pisces";
    QTest::newRow("invalid date") << QDate() << "";
}

void tst_Calendar::zodiacSign()
{
    QFETCH(QDate, date);
    QFETCH(QString, sign);
    QCOMPARE(MTools::zodiacSign(date), sign);
}

void tst_Calendar::zodiacDescription_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("description");
    QTest::newRow("Aries") << "Aries" << "The Ram";
    QTest::newRow("Capricom") << "Capricom" << "The Sea-Goat";
    QTest::newRow("Pisces") << "Pisces" << "The Fishes";
    QTest::newRow("spelt with an n") << "Capricorn" << "";
    QTest::newRow("case matters") << "aries" << "";
}

void tst_Calendar::zodiacDescription()
{
    QFETCH(QString, sign);
    QFETCH(QString, description);
    QCOMPARE(MTools::zodiacDescription(sign), description);
}

void tst_Calendar::moon_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("age");
    QTest::addColumn<int>("phase");
    // Astronomical new and full moons.
    QTest::newRow("new moon 6 January 2000") << QDate(2000, 1, 6) << 0 << 0;
    QTest::newRow("full moon 21 January 2000") << QDate(2000, 1, 21) << 15 << 5;
    QTest::newRow("age 29 counts as new") << QDate(1999, 8, 11) << 29 << 0;
    QTest::newRow("day after the new moon") << QDate(2000, 1, 7) << 1 << 1;
    QTest::newRow("first quarter") << QDate(2000, 1, 13) << 7 << 2;
    QTest::newRow("age 21 is the last quarter") << QDate(2000, 1, 27) << 21 << 7;
    QTest::newRow("age 22 is waning crescent") << QDate(2000, 1, 28) << 22 << 6;
    // The formula made an age of 5 out of the parts of no date.
    QTest::newRow("invalid date has no age") << QDate() << -1 << 0;
}

void tst_Calendar::moon()
{
    QFETCH(QDate, date);
    QFETCH(int, age);
    QFETCH(int, phase);
    QCOMPARE(MTools::moonAge(date), age);
    QCOMPARE(int(MTools::moonPhase(date)), phase);
}

void tst_Calendar::moonAgeStaysInALunation()
{
    for (QDate date(1980, 1, 1); date.year() < 2040; date = date.addDays(13)) {
        const int age = MTools::moonAge(date);
        QVERIFY2(age >= 0 && age <= 29, qPrintable(date.toString(Qt::ISODate)));
        QVERIFY(MTools::moonPhase(date) <= 7);
    }
}

void tst_Calendar::secondsSinceNewYearMatchesTheDateTime()
{
    const int year = QDate::currentDate().year();
    const QDateTime before = QDateTime::currentDateTime();
    const qint64 seconds = MTools::secondsSinceNewYear(year);
    const QDateTime after = QDateTime::currentDateTime();
    const QDateTime back = MTools::dateTimeFromSeconds(seconds, year);
    QVERIFY2(back >= before.addSecs(-1) && back <= after, qPrintable(back.toString(Qt::ISODate)));
    QCOMPARE(MTools::dateTimeFromSeconds(86400 + 3600, 2020), QDateTime(QDate(2020, 1, 2), QTime(1, 0)));
}

void tst_Calendar::secondsBeyondTheRange_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<int>("year");
    // The milliseconds overflowed inside QDateTime: 2023-12-31T23:59:59 and 2024-01-01T00:00:00 came back.
    QTest::newRow("largest count") << std::numeric_limits<qint64>::max() << 2024;
    QTest::newRow("smallest count") << std::numeric_limits<qint64>::min() << 2024;
    QTest::newRow("milliseconds just beyond 64 bits") << std::numeric_limits<qint64>::max() / 1000 + 1 << 1970;
    QTest::newRow("sum beyond 64 bits") << std::numeric_limits<qint64>::max() / 1000 << 2024;
}

void tst_Calendar::secondsBeyondTheRange()
{
    QFETCH(qint64, seconds);
    QFETCH(int, year);
    const QDateTime result = MTools::dateTimeFromSeconds(seconds, year);
    QVERIFY2(!result.isValid(), qPrintable(result.toString(Qt::ISODate)));
}

void tst_Calendar::timesOfDay_data()
{
    QTest::addColumn<bool>("micro");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QTime>("time");
    QTest::newRow("milliseconds drop their fraction") << false << qint64(3723456) << QTime(1, 2, 3, 0);
    QTest::newRow("25 hours in milliseconds") << false << qint64(90000000) << QTime();
    QTest::newRow("last second of the day") << false << qint64(86399999) << QTime(23, 59, 59);
    QTest::newRow("microseconds") << true << qint64(3723000000LL) << QTime(1, 2, 3);
    QTest::newRow("25 hours in microseconds") << true << qint64(90000000000LL) << QTime();
}

void tst_Calendar::timesOfDay()
{
    QFETCH(bool, micro);
    QFETCH(qint64, count);
    QFETCH(QTime, time);
    const QTime result = micro ? MTools::timeFromMicroseconds(count) : MTools::timeFromMilliseconds(count);
    QCOMPARE(result.isValid(), time.isValid());
    if (time.isValid())
        QCOMPARE(result, time);
}

QTEST_APPLESS_MAIN(tst_Calendar)
#include "tst_Calendar.moc"
