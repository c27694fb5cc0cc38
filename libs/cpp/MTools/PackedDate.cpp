#include "MTools/PackedDate.h"

PackedDate::PackedDate(const QDate &date)
{
    set(date.year(), quint8(date.month()), date.day());
}

PackedDate::PackedDate(quint16 word)
    : m_word(word)
{
}

void PackedDate::set(int year, quint8 month, int day)
{
    // The high byte takes 2·year - 100, i.e. 2·(year - 1970) modulo 256; its lowest bit is the
    // month's top bit and is kept.
    const unsigned yearByte = unsigned(2 * year - 100) & 0xFFu;
    unsigned word = (unsigned(day) & 0x1Fu) | (unsigned(month) & 0x0Fu) << 5;
    word = (word & 0x01FFu) | (yearByte & 0xFEu) << 8;
    m_word = quint16(word);
}

int PackedDate::day() const
{
    return m_word & 0x1F;
}

int PackedDate::month() const
{
    return (m_word >> 5) & 0x0F;
}

int PackedDate::year() const
{
    return (m_word >> 8) / 2 + 1970;
}
