#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Names, ages, signs, moon phases and times of day over Qt's date types. Names are translated in the
// context "QObject"; "Unknown" is not.
namespace MTools {

// 0 is Monday .. 6 Sunday.
QString weekdayName(int day);
// 1 is January .. 12 December.
QString monthName(int month);
// Whole years from the date to today; -1 for an invalid date.
int ageInYears(const QDate &date);
// The sign's name (untranslated, "Capricom" spelt as the table has it), or an empty text for an invalid date.
QString zodiacSign(const QDate &date);
// The translated description of a sign name, or an empty text.
QString zodiacDescription(const QString &sign);
// Days since the last new moon, 0..29; -1 for an invalid date.
int moonAge(const QDate &date);
// 0 new, 1 waxing crescent, 2 first quarter, 3 waxing gibbous, 4 full, 5 waning gibbous, 6 waning
// crescent, 7 last quarter.
quint8 moonPhase(const QDate &date);
// From 1 January of the year, 00:00 local time, to now.
qint64 secondsSinceNewYear(int year);
// 1 January of the year, 00:00 local time, plus the seconds; an invalid QDateTime when the year is
// invalid or the sum leaves the range a QDateTime holds.
QDateTime dateTimeFromSeconds(qint64 seconds, int year);
// The time of day of a count; 24 hours or more, or a negative count, give an invalid time.
QTime timeFromMilliseconds(qint64 count);
QTime timeFromMicroseconds(qint64 count);

} // namespace MTools
