#pragma once

#include <QDate>
#include <QtGlobal>

// A date in 16 bits: day in bits 0-4, month in bits 5-8, year - 1970 in bits 9-15 (1970..2097;
// other years wrap). Each value is cut to its field's width.
class PackedDate
{
public:
    PackedDate() = default;
    explicit PackedDate(const QDate &date);
    explicit PackedDate(quint16 word);

    void set(int year, quint8 month, int day);
    quint16 toInt() const { return m_word; }
    int day() const;
    int month() const;
    int year() const;

private:
    quint16 m_word = 0;
};
