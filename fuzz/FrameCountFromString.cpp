// Timecode text from outside: reading it at any rate, with or without pulldown, must neither crash
// nor overflow, and a count within a day must read back from its own text.

#include "MTools/FrameCount.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

static const float rates[] = {23.98f, 24.0f, 25.0f, 29.97f, 30.0f, 50.0f, 59.94f, 60.0f, -25.0f, 0.0f, 0.5f, 1e9f};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const float rate = rates[data[0] % (sizeof rates / sizeof rates[0])];
    const bool pulldown = data[1] & 0x80;
    const int phase = int(data[1] & 0x07);
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 2), int(size - 2));

    FrameCount count(0, rate);
    const qint64 frames = count.frameCountFromString(text, pulldown, phase);
    if (frames == FrameCount::noCount)
        return 0;
    FrameCount parsed(frames, rate);
    const QString shown = parsed.timecodeString(false, pulldown, phase);
    parsed.smpteTimecode();
    parsed.frameCountAtRate(25.0f);

    const float magnitude = std::fabs(rate);
    const qint64 day = magnitude == 29.97f ? 17982LL * 144 : magnitude == 23.98f ? 14382LL * 144 : qint64(magnitude) * 86400;
    if (!pulldown && magnitude >= 1 && magnitude < 100 && frames >= 0 && frames < day) {
        if (count.frameCountFromString(shown) != frames)
            std::abort();
    }
    return 0;
}
