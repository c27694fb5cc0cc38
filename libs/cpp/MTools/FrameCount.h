#pragma once

#include <QString>
#include <QtGlobal>

#include <limits>

// A frame count at a frame rate, convertible to and from SMPTE timecode (hours, minutes, seconds,
// frames), its packed 32-bit form and its text form "hh:mm:ss:ff" ("hh;mm;ss;ff" for drop-frame).
// 23.98 and 29.97 are drop-frame (nominal 24 and 30); other rates count as their integer part.
// A negative rate counts as its magnitude, and a magnitude below 1 as rate 0 (no timecode).
//
// Under 2:3 pulldown (phase 1..4) the count holds film frames at 24 per second: a video frame
// number is mapped to its film frame on the way in and back to a video frame on the way out.
class FrameCount
{
public:
    // The value of a count that is not there.
    static constexpr qint64 noCount = std::numeric_limits<qint64>::min();

    FrameCount();
    FrameCount(qint64 frames, float rate);
    FrameCount(int hh, int mm, int ss, int ff, float rate, bool pulldown = false, int phase = 1,
               int *field = nullptr);
    // From packed timecode; pulldown has no default so that FrameCount(frames, rate) stays unambiguous.
    FrameCount(quint32 packed, float rate, bool pulldown, int phase = 1, int *field = nullptr);
    FrameCount(const FrameCount &other);
    FrameCount &operator=(const FrameCount &other);

    bool operator==(const FrameCount &other) const;
    // Both counts must be known; otherwise a debug message and false.
    bool operator>(const FrameCount &other) const;
    bool operator<(const FrameCount &other) const;

    // The count; -1 with a debug message when it is not known.
    qint64 frameCount() const;
    void setFrameCount(qint64 frames);
    void clear();
    float rate() const { return m_rate; }

    // The count of a timecode at this object's rate; noCount at rate 0 or for a video frame or
    // phase outside the pulldown table. field receives the film field (0 or 1) under pulldown.
    qint64 frameCountFromTimecode(int hh, int mm, int ss, int ff, bool pulldown = false, int phase = 1,
                                  int *field = nullptr) const;
    // keepFullDay shows an exact day as 24:00:00:00 instead of 00:00:00:00; offset moves the video
    // frame under pulldown.
    void timecodeFromFrameCount(int &hh, int &mm, int &ss, int &ff, bool keepFullDay = false, int offset = 0,
                                bool pulldown = false, int phase = 1) const;
    // Takes the rate (one of 23.98, 24, 25, 29.97, 30, else 30; the drop rates only with bit 6 set)
    // and the count of a packed timecode, and keeps the packed value.
    qint64 setSmpteTimecode(quint32 packed, float rate, bool pulldown = false, int phase = 1, int *field = nullptr);
    // "hh:mm:ss:ff" (any separators); any other length, or fields that are not decimal, give noCount.
    qint64 frameCountFromString(const QString &text, bool pulldown = false, int phase = 1) const;
    QString timecodeString(bool keepFullDay = false, bool pulldown = false, int phase = 1) const;
    // Packed timecode with the drop-frame flag (bit 6) at 23.98 and 29.97; cached until the count or rate changes.
    quint32 smpteTimecode();
    // The count converted to another rate by magnitude, rounded; any rate converts, rates below 1 included;
    // noCount when the count is not known, this object's rate is 0 or the result leaves 64 bits.
    qint64 frameCountAtRate(float newRate);
    void setRate(float newRate);
    void debugPrint() const;

private:
    void reportUnknown(int operation) const;

    qint64 m_frames = noCount;
    bool m_known = true;
    float m_rate = 30.0f;
    quint32 m_smpte = 0;
    bool m_smpteKnown = false;
};

namespace MTools {

// Counts between units: a frame is 1/frameRate second (float), a tick 1/tickRate second (integer).
// Computed in extended precision and truncated toward zero; a result outside 64 bits, or NaN, gives
// the smallest 64-bit value. Kind 2 converts frames, kind 3 ticks; other kinds pass the value through.
// Any frame rate but 0 converts, time-lapse rates below 1 and negative ones included.
qint64 toTimeBase(qint64 value, int kind, float frameRate, int tickRate, int targetRate);
qint64 fromTimeBase(qint64 value, int kind, float frameRate, int tickRate, int sourceRate);
qint64 ticksToFramesVia(qint64 ticks, float frameRate, int tickRate, int baseRate);
qint64 framesToTicksVia(qint64 frames, float frameRate, int tickRate, int baseRate);
qint64 ticksToFrames(qint64 ticks, float frameRate, int tickRate);
qint64 framesToTicks(qint64 frames, float frameRate, int tickRate);
// The local date and time now as "yyyy-MM-dd_hh:mm:ss:zzz".
QString timestamp();

} // namespace MTools
