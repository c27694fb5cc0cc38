#include "MTools/PackedTime.h"

PackedTime::PackedTime(const QTime &time)
{
    set(time.hour(), quint8(time.minute()), quint8(time.second()));
}

PackedTime::PackedTime(quint16 fatTime)
{
    set(fatTime >> 11, quint8((fatTime >> 5) & 0x3Fu), quint8(2 * (fatTime & 0x1Fu)));
}

void PackedTime::set(int hour, quint8 minute, quint8 second)
{
    m_word = (quint32(hour) & 0x1Fu) | (quint32(minute) & 0x3Fu) << 5 | (quint32(second) & 0x3Fu) << 11;
}

quint16 PackedTime::toFatTime() const
{
    return quint16(hour() << 11 | minute() << 5 | second() / 2);
}

int PackedTime::hour() const
{
    return int(m_word & 0x1Fu);
}

int PackedTime::minute() const
{
    return int((m_word >> 5) & 0x3Fu);
}

int PackedTime::second() const
{
    return int((m_word >> 11) & 0x3Fu);
}
