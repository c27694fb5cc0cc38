#pragma once

#include <QTime>
#include <QtGlobal>

// A time of day in 17 bits of a word: hour in bits 0-4, minute in bits 5-10, second in bits 11-16.
// Exchanged with the 16-bit FAT time (hour << 11, minute << 5, second / 2), which keeps even seconds only.
class PackedTime
{
public:
    PackedTime() = default;
    explicit PackedTime(const QTime &time);
    explicit PackedTime(quint16 fatTime);

    void set(int hour, quint8 minute, quint8 second);
    quint16 toFatTime() const;
    int hour() const;
    int minute() const;
    int second() const;

private:
    quint32 m_word = 0;
};
