#include "MTools/FrameCount.h"

#include <QDateTime>
#include <QDebug>

#include <cmath>

namespace {

// Numbers that name the failing operation in "unexpected ERROR in" messages.
const int greaterOperation = 258;
const int lessOperation = 276;
const int frameCountOperation = 286;
const int timecodeOperation = 349;
const int atRateOperation = 633;

const int pulldownPhases = 4;
const int videoFramesPerSecond = 30;
const int filmFramesPerSecond = 24;

// Film position in half frames (fields) of each video frame of a second under 2:3 pulldown, by phase 1..4;
// -1 belongs to the last film frame of the second before.
const int filmFieldOfVideoFrame[videoFramesPerSecond][pulldownPhases] = {
    {0, 0, -1, -1},   {2, 1, 0, 0},     {3, 2, 2, 2},     {4, 4, 4, 4},     {6, 6, 6, 5},
    {8, 8, 7, 6},     {10, 9, 8, 8},    {11, 10, 10, 10}, {12, 12, 12, 12}, {14, 14, 14, 13},
    {16, 16, 15, 14}, {18, 17, 16, 16}, {19, 18, 18, 18}, {20, 20, 20, 20}, {22, 22, 22, 21},
    {24, 24, 23, 22}, {26, 25, 24, 24}, {27, 26, 26, 26}, {28, 28, 28, 28}, {30, 30, 30, 29},
    {32, 32, 31, 30}, {34, 33, 32, 32}, {35, 34, 34, 34}, {36, 36, 36, 36}, {38, 38, 38, 37},
    {40, 40, 39, 38}, {42, 41, 40, 40}, {43, 42, 42, 42}, {44, 44, 44, 44}, {46, 46, 46, 45},
};

// First video frame that shows each film frame of a second, by phase 1..4; an entry below its row
// lies in the next second.
const int videoFrameOfFilmFrame[filmFramesPerSecond][pulldownPhases] = {
    {0, 0, 1, 1},     {1, 2, 2, 2},     {3, 3, 3, 3},     {4, 4, 4, 5},     {5, 5, 6, 6},
    {6, 7, 7, 7},     {8, 8, 8, 8},     {9, 9, 9, 10},    {10, 10, 11, 11}, {11, 12, 12, 12},
    {13, 13, 13, 13}, {14, 14, 14, 15}, {15, 15, 16, 16}, {16, 17, 17, 17}, {18, 18, 18, 18},
    {19, 19, 19, 20}, {20, 20, 21, 21}, {21, 22, 22, 22}, {23, 23, 23, 23}, {24, 24, 24, 25},
    {25, 25, 26, 26}, {26, 27, 27, 27}, {28, 28, 28, 28}, {29, 29, 29, 0},
};

bool isDropRate(float rate)
{
    return rate == 29.97f || rate == 23.98f;
}

// The magnitude of a rate; below 1 (or NaN) it is 0, a rate without timecode.
float usableRate(float rate)
{
    const float magnitude = std::fabs(rate);
    return magnitude >= 1.0f ? magnitude : 0.0f;
}

// Truncated toward zero; NaN or a value outside 64 bits gives noCount.
qint64 checkedInt64(long double value)
{
    const long double limit = 9223372036854775808.0L; // 2^63
    if (std::isnan(value) || value >= limit || value < -limit)
        return FrameCount::noCount;
    return qint64(value);
}

// How a rate counts timecode: frames per second, whether it drops frames, and its day and block sizes.
struct Timebase
{
    qint64 fps = 0;
    bool drop = false;
    qint64 firstMinute = 0;
    qint64 block = 0;
    qint64 laterMinute = 0;
    qint64 day = 0;
};

Timebase timebaseOf(float rate, bool pulldown)
{
    Timebase base;
    const float usable = usableRate(rate);
    if (usable == 0.0f || usable >= 2147483648.0f)
        return base;
    const bool drop = isDropRate(usable);
    if (pulldown)
        base.fps = filmFramesPerSecond;
    else if (drop)
        base.fps = usable == 29.97f ? 30 : 24;
    else
        base.fps = qint64(usable);
    base.drop = drop;
    if (drop) {
        // Two frame numbers skipped in every minute that is not a multiple of ten.
        base.firstMinute = base.fps * 60;
        base.laterMinute = base.firstMinute - 2;
        base.block = base.firstMinute + 9 * base.laterMinute;
        base.day = base.block * 144;
    } else {
        base.day = base.fps * 86400;
    }
    return base;
}

qint64 floorDivide(qint64 value, qint64 divisor)
{
    qint64 quotient = value / divisor;
    if (value % divisor != 0 && value < 0)
        --quotient;
    return quotient;
}

} // namespace

FrameCount::FrameCount() = default;

FrameCount::FrameCount(qint64 frames, float rate)
    : m_frames(frames)
    , m_rate(rate)
{
}

FrameCount::FrameCount(int hh, int mm, int ss, int ff, float rate, bool pulldown, int phase, int *field)
    : m_rate(rate)
{
    m_frames = frameCountFromTimecode(hh, mm, ss, ff, pulldown, phase, field);
}

FrameCount::FrameCount(quint32 packed, float rate, bool pulldown, int phase, int *field)
{
    setSmpteTimecode(packed, rate, pulldown, phase, field);
}

FrameCount::FrameCount(const FrameCount &other)
    : m_frames(other.m_known ? other.m_frames : noCount)
    , m_known(other.m_known)
    , m_rate(other.m_rate)
    , m_smpte(other.m_smpteKnown ? other.m_smpte : 0)
    , m_smpteKnown(other.m_smpteKnown)
{
}

FrameCount &FrameCount::operator=(const FrameCount &other)
{
    if (&other == this)
        return *this;
    m_rate = other.m_rate;
    m_known = other.m_known;
    m_frames = other.m_known ? other.m_frames : 0;
    // A packed value cached for the old count would no longer match.
    m_smpteKnown = false;
    m_smpte = 0;
    return *this;
}

bool FrameCount::operator==(const FrameCount &other) const
{
    return m_frames == other.m_frames && m_rate == other.m_rate && m_known == other.m_known;
}

bool FrameCount::operator>(const FrameCount &other) const
{
    if (!m_known || !other.m_known) {
        reportUnknown(greaterOperation);
        return false;
    }
    return m_frames > other.m_frames;
}

bool FrameCount::operator<(const FrameCount &other) const
{
    if (!m_known || !other.m_known) {
        reportUnknown(lessOperation);
        return false;
    }
    return m_frames < other.m_frames;
}

void FrameCount::reportUnknown(int operation) const
{
    qDebug() << "unexpected ERROR in " << __FILE__ << ":" << operation;
}

qint64 FrameCount::frameCount() const
{
    if (!m_known) {
        reportUnknown(frameCountOperation);
        return -1;
    }
    return m_frames;
}

void FrameCount::setFrameCount(qint64 frames)
{
    m_frames = frames;
    m_known = true;
    m_smpteKnown = false;
}

void FrameCount::clear()
{
    m_frames = noCount;
    m_rate = 30.0f;
    m_known = false;
    m_smpteKnown = false;
}

qint64 FrameCount::frameCountFromTimecode(int hh, int mm, int ss, int ff, bool pulldown, int phase, int *field) const
{
    const Timebase base = timebaseOf(m_rate, pulldown);
    if (base.fps == 0)
        return noCount;
    if (pulldown) {
        if (ff < 0 || ff >= videoFramesPerSecond || phase < 1 || phase > pulldownPhases)
            return noCount;
        const int position = filmFieldOfVideoFrame[ff][phase - 1];
        ff = position / 2;
        if (field)
            *field = position % 2;
    }
    // 32-bit arithmetic as the timecode word has it, wrapping without signed overflow.
    const quint32 fps = quint32(base.fps);
    quint32 total = quint32(ff) + quint32(ss) * fps + quint32(mm) * 60u * fps + quint32(hh) * 3600u * fps;
    if (base.drop) {
        const qint64 minutes = 60LL * hh + mm;
        total -= quint32(2 * (minutes - minutes / 10));
    }
    return qint64(qint32(total));
}

void FrameCount::timecodeFromFrameCount(int &hh, int &mm, int &ss, int &ff, bool keepFullDay, int offset,
                                        bool pulldown, int phase) const
{
    if (!m_known) {
        reportUnknown(timecodeOperation);
        hh = mm = ss = ff = 0;
        return;
    }
    const Timebase base = timebaseOf(m_rate, pulldown);
    if (base.fps == 0) {
        hh = mm = ss = ff = 0;
        return;
    }
    // The low 32 bits, brought into one day.
    qint64 n = qint32(quint32(quint64(m_frames)));
    if (n < 0)
        n = (n % base.day + base.day) % base.day;
    else if (keepFullDay && n > 0)
        n = (n - 1) % base.day + 1;
    else
        n %= base.day;
    if (base.drop) {
        const qint64 blocks = n / base.block;
        const qint64 rest = n % base.block;
        const qint64 minuteInBlock = rest < base.firstMinute ? 0 : 1 + (rest - base.firstMinute) / base.laterMinute;
        const qint64 minutes = 10 * blocks + minuteInBlock;
        n += 2 * (minutes - minutes / 10);
    }
    ff = int(n % base.fps);
    const qint64 seconds = n / base.fps;
    ss = int(seconds % 60);
    mm = int((seconds / 60) % 60);
    hh = int(seconds / 3600);
    if (!pulldown)
        return;
    if (phase < 1 || phase > pulldownPhases) {
        qDebug() << "FrameCount::timecodeFromFrameCount wrong pulldown phase value: " << phase;
        return;
    }
    if (ff < 0 || ff >= filmFramesPerSecond)
        return;
    const int entry = videoFrameOfFilmFrame[ff][phase - 1];
    // An entry below its film frame already lies in the next second.
    qint64 video = qint64(entry) + offset + (entry < ff ? videoFramesPerSecond : 0);
    const qint64 carry = floorDivide(video, videoFramesPerSecond);
    video -= carry * videoFramesPerSecond;
    ff = int(video);
    if (carry != 0) {
        qint64 daySeconds = qint64(hh) * 3600 + mm * 60 + ss + carry;
        daySeconds -= floorDivide(daySeconds, 86400) * 86400;
        hh = int(daySeconds / 3600);
        mm = int((daySeconds / 60) % 60);
        ss = int(daySeconds % 60);
    }
}

qint64 FrameCount::setSmpteTimecode(quint32 packed, float rate, bool pulldown, int phase, int *field)
{
    float chosen = usableRate(rate);
    if (chosen != 23.98f && chosen != 24.0f && chosen != 25.0f && chosen != 29.97f && chosen != 30.0f)
        chosen = 30.0f;
    const bool dropFlag = packed & 0x40u;
    if (!dropFlag && chosen == 23.98f)
        chosen = 24.0f;
    if (!dropFlag && chosen == 29.97f)
        chosen = 30.0f;
    m_rate = chosen;
    m_smpte = packed;
    m_smpteKnown = true;
    m_known = true;
    const int ff = int(((packed >> 4) & 0x3u) * 10 + (packed & 0xFu));
    const int ss = int(((packed >> 12) & 0x7u) * 10 + ((packed >> 8) & 0xFu));
    const int mm = int(((packed >> 20) & 0x7u) * 10 + ((packed >> 16) & 0xFu));
    const int hh = int(((packed >> 28) & 0x3u) * 10 + ((packed >> 24) & 0xFu));
    m_frames = frameCountFromTimecode(hh, mm, ss, ff, pulldown, phase, field);
    return m_frames;
}

qint64 FrameCount::frameCountFromString(const QString &text, bool pulldown, int phase) const
{
    if (text.size() != 11)
        return noCount;
    int fields[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        fields[i] = text.midRef(3 * i, 2).toInt(&ok, 10);
        if (!ok)
            return noCount;
    }
    return frameCountFromTimecode(fields[0], fields[1], fields[2], fields[3], pulldown, phase);
}

QString FrameCount::timecodeString(bool keepFullDay, bool pulldown, int phase) const
{
    if (usableRate(m_rate) == 0.0f)
        return QString();
    int hh = 0;
    int mm = 0;
    int ss = 0;
    int ff = 0;
    timecodeFromFrameCount(hh, mm, ss, ff, keepFullDay, 0, pulldown, phase);
    const char separator = isDropRate(usableRate(m_rate)) ? ';' : ':';
    return QString::asprintf("%02d%c%02d%c%02d%c%02d", hh, separator, mm, separator, ss, separator, ff);
}

quint32 FrameCount::smpteTimecode()
{
    if (m_smpteKnown)
        return m_smpte;
    if (!m_known) {
        qDebug() << "FrameCount::smpteTimecode() wille framecount is unkonwn";
        return 0;
    }
    int hh = 0;
    int mm = 0;
    int ss = 0;
    int ff = 0;
    timecodeFromFrameCount(hh, mm, ss, ff, false, 0, false, 1);
    // Each decimal digit in its field; a tens digit is cut to its field's width so that it cannot
    // reach the flag bits.
    quint32 packed = quint32(ff % 10) | (quint32((ff / 10) % 10) & 0x3u) << 4;
    packed |= quint32(ss % 10) << 8 | (quint32((ss / 10) % 10) & 0x7u) << 12;
    packed |= quint32(mm % 10) << 16 | (quint32((mm / 10) % 10) & 0x7u) << 20;
    packed |= quint32(hh % 10) << 24 | (quint32((hh / 10) % 10) & 0xFu) << 28;
    if (isDropRate(usableRate(m_rate)))
        packed |= 0x40u;
    m_smpte = packed;
    m_smpteKnown = true;
    return packed;
}

qint64 FrameCount::frameCountAtRate(float newRate)
{
    if (!m_known) {
        reportUnknown(atRateOperation);
        return noCount;
    }
    if (m_rate < 0)
        m_rate = -m_rate;
    // Unlike timecode, a conversion needs no whole frames per second: time-lapse rates below 1 convert too.
    if (m_rate == 0.0f)
        return noCount;
    return checkedInt64((long double)std::fabs(newRate) / m_rate * m_frames + 0.5L);
}

void FrameCount::setRate(float newRate)
{
    m_frames = frameCountAtRate(newRate);
    m_known = true;
    m_rate = newRate;
    m_smpteKnown = false;
}

void FrameCount::debugPrint() const
{
    if (m_known)
        qDebug() << "frame = " << m_frames;
}

namespace MTools {

qint64 toTimeBase(qint64 value, int kind, float frameRate, int tickRate, int targetRate)
{
    if (kind == 2) {
        if (frameRate == 0.0f)
            return 0;
        return checkedInt64((long double)value * targetRate / frameRate);
    }
    if (kind == 3) {
        if (tickRate == 0)
            return 0;
        if (tickRate == targetRate)
            return value;
        return checkedInt64((long double)value * targetRate / tickRate);
    }
    return value;
}

qint64 fromTimeBase(qint64 value, int kind, float frameRate, int tickRate, int sourceRate)
{
    if (kind == 2) {
        if (sourceRate == 0)
            return 0;
        return checkedInt64((long double)value * frameRate / sourceRate);
    }
    if (kind == 3) {
        if (sourceRate == 0)
            return 0;
        if (tickRate == sourceRate)
            return value;
        return checkedInt64((long double)value * tickRate / sourceRate);
    }
    return value;
}

qint64 ticksToFramesVia(qint64 ticks, float frameRate, int tickRate, int baseRate)
{
    return fromTimeBase(toTimeBase(ticks, 3, frameRate, tickRate, baseRate), 2, frameRate, tickRate, baseRate);
}

qint64 framesToTicksVia(qint64 frames, float frameRate, int tickRate, int baseRate)
{
    return fromTimeBase(toTimeBase(frames, 2, frameRate, tickRate, baseRate), 3, frameRate, tickRate, baseRate);
}

qint64 ticksToFrames(qint64 ticks, float frameRate, int tickRate)
{
    if (tickRate == 0 || frameRate == 0.0f)
        return 0;
    return checkedInt64((long double)frameRate * ticks / tickRate);
}

qint64 framesToTicks(qint64 frames, float frameRate, int tickRate)
{
    if (frameRate == 0.0f)
        return 0;
    return checkedInt64((long double)frames / frameRate * tickRate);
}

QString timestamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return QString::asprintf("%04d-%02d-%02d_%02d:%02d:%02d:%03d", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second(), time.msec());
}

} // namespace MTools
