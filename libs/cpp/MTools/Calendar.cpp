#include "MTools/Calendar.h"

#include <QCoreApplication>

#include <cmath>

namespace MTools {

namespace {

const char *const weekdayNames[] = {
    QT_TRANSLATE_NOOP("QObject", "Monday"),   QT_TRANSLATE_NOOP("QObject", "Tuesday"),
    QT_TRANSLATE_NOOP("QObject", "Wednesday"), QT_TRANSLATE_NOOP("QObject", "Thursday"),
    QT_TRANSLATE_NOOP("QObject", "Friday"),   QT_TRANSLATE_NOOP("QObject", "Saturday"),
    QT_TRANSLATE_NOOP("QObject", "Sunday"),
};

const char *const monthNames[] = {
    QT_TRANSLATE_NOOP("QObject", "January"),   QT_TRANSLATE_NOOP("QObject", "February"),
    QT_TRANSLATE_NOOP("QObject", "March"),     QT_TRANSLATE_NOOP("QObject", "April"),
    QT_TRANSLATE_NOOP("QObject", "May"),       QT_TRANSLATE_NOOP("QObject", "June"),
    QT_TRANSLATE_NOOP("QObject", "July"),      QT_TRANSLATE_NOOP("QObject", "August"),
    QT_TRANSLATE_NOOP("QObject", "September"), QT_TRANSLATE_NOOP("QObject", "October"),
    QT_TRANSLATE_NOOP("QObject", "November"),  QT_TRANSLATE_NOOP("QObject", "December"),
};

struct ZodiacRow
{
    int fromMonth;
    int fromDay;
    int toMonth;
    int toDay;
    const char *name;
    const char *description;
};

// Capricorn spans New Year, so it has two rows. Ranges are compared by month and day alone, so
// 29 February falls to Pisces whether or not the current year has it.
const ZodiacRow zodiacRows[] = {
    {3, 21, 4, 20, "Aries", QT_TRANSLATE_NOOP("QObject", "The Ram")},
    {4, 21, 5, 21, "Taurus", QT_TRANSLATE_NOOP("QObject", "The Bull")},
    {5, 22, 6, 21, "Gemini", QT_TRANSLATE_NOOP("QObject", "The Twins")},
    {6, 22, 7, 22, "Cancer", QT_TRANSLATE_NOOP("QObject", "The Crab")},
    {7, 23, 8, 23, "Leo", QT_TRANSLATE_NOOP("QObject", "The Lion")},
    {8, 24, 9, 23, "Virgo", QT_TRANSLATE_NOOP("QObject", "The Maiden")},
    {9, 24, 10, 23, "Libra", QT_TRANSLATE_NOOP("QObject", "The Scales")},
    {10, 24, 11, 22, "Scorpio", QT_TRANSLATE_NOOP("QObject", "The Scorpion")},
    {11, 23, 12, 21, "Sagittarius", QT_TRANSLATE_NOOP("QObject", "The Archer")},
    {12, 22, 12, 31, "Capricom", QT_TRANSLATE_NOOP("QObject", "The Sea-Goat")},
    {1, 1, 1, 23, "Capricom", QT_TRANSLATE_NOOP("QObject", "The Sea-Goat")},
    {1, 24, 2, 19, "Aquarius", QT_TRANSLATE_NOOP("QObject", "The Water-Bearer")},
    {2, 20, 3, 20, "Pisces", QT_TRANSLATE_NOOP("QObject", "The Fishes")},
};

QString translated(const char *text)
{
    return QCoreApplication::translate("QObject", text);
}

// Floor of a value that should be whole but may sit a hair below it.
double nudgedFloor(double value)
{
    return std::floor(value + 0.001);
}

// Hours, minutes and seconds of a count of units of which perSecond make a second; 0 milliseconds.
QTime timeOfDay(qint64 count, qint64 perSecond)
{
    const qint64 hours = count / (3600 * perSecond);
    const qint64 minutes = (count % (3600 * perSecond)) / (60 * perSecond);
    const qint64 seconds = (count % (60 * perSecond)) / perSecond;
    if (hours > 23)
        return QTime();
    return QTime(int(hours), int(minutes), int(seconds), 0);
}

} // namespace

QString weekdayName(int day)
{
    if (day < 0 || day > 6)
        return QStringLiteral("Unknown");
    return translated(weekdayNames[day]);
}

QString monthName(int month)
{
    if (month < 1 || month > 12)
        return QStringLiteral("Unknown");
    return translated(monthNames[month - 1]);
}

int ageInYears(const QDate &date)
{
    if (!date.isValid())
        return -1;
    const QDate today = QDate::currentDate();
    int years = today.year() - date.year();
    if (today.month() < date.month())
        --years;
    if (today.month() == date.month() && today.day() < date.day())
        --years;
    return years;
}

QString zodiacSign(const QDate &date)
{
    if (!date.isValid())
        return QString();
    const int key = date.month() * 100 + date.day();
    for (const ZodiacRow &row : zodiacRows) {
        if (key >= row.fromMonth * 100 + row.fromDay && key <= row.toMonth * 100 + row.toDay)
            return QString::fromLatin1(row.name);
    }
    return QString();
}

QString zodiacDescription(const QString &sign)
{
    for (const ZodiacRow &row : zodiacRows) {
        if (sign == QLatin1String(row.name))
            return translated(row.description);
    }
    return QString();
}

int moonAge(const QDate &date)
{
    if (!date.isValid())
        return -1;
    const int day = date.day();
    const int month = date.month();
    const int year = date.year();
    const double a = nudgedFloor((14 - month) / 12.0);
    const double e = nudgedFloor((year + 4800 - a) * 1461 / 4);
    const double f = nudgedFloor((month - 2 + 12 * a) * 367 / 12);
    const double g = nudgedFloor((year + 4900 - a) * 3 / 400);
    float n = float(day);
    n -= 2447095.0f;
    n += float(e);
    n += float(f);
    n -= float(g);
    n -= 23743.0f;
    const double lunation = 29.530588;
    return int(std::floor(n - std::floor(n / lunation) * lunation));
}

quint8 moonPhase(const QDate &date)
{
    // Phase by moon age 0..29; age 21 is the last quarter (7), ages 22..27 the waning crescent (6).
    static const quint8 phaseOfAge[30] = {0, 1, 1, 1, 1, 1, 1, 2, 3, 3, 3, 3, 3, 3, 4,
                                          5, 5, 5, 5, 5, 5, 7, 6, 6, 6, 6, 6, 6, 0, 0};
    const int age = moonAge(date);
    return age >= 0 && age < 30 ? phaseOfAge[age] : 0;
}

qint64 secondsSinceNewYear(int year)
{
    const QDateTime newYear(QDate(year, 1, 1), QTime(0, 0));
    return newYear.secsTo(QDateTime::currentDateTime());
}

QDateTime dateTimeFromSeconds(qint64 seconds, int year)
{
    // QDateTime counts milliseconds in 64 bits and does not check its sums: a count that leaves them would
    // wrap around to a date that looks real.
    const QDateTime newYear(QDate(year, 1, 1), QTime(0, 0));
    qint64 milliseconds = 0;
    qint64 sinceEpoch = 0;
    if (!newYear.isValid() || __builtin_mul_overflow(seconds, qint64(1000), &milliseconds)
        || __builtin_add_overflow(newYear.toMSecsSinceEpoch(), milliseconds, &sinceEpoch))
        return QDateTime();
    return newYear.addMSecs(milliseconds);
}

QTime timeFromMilliseconds(qint64 count)
{
    return timeOfDay(count, 1000);
}

QTime timeFromMicroseconds(qint64 count)
{
    return timeOfDay(count, 1000000);
}

} // namespace MTools
