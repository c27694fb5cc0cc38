// Times MString's appends and its search on text built to defeat a naive one, each beside the standard library's
// string doing the same in the same run; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MString/MString.h"

#include <cstdio>
#include <string>

static const int appendCount = 20000;
static const unsigned chunkSize = 64;
static const size_t haystackSize = 100 * 1024 * 1024;
static const size_t needleRun = 1000;
static const int repetitions = 3;

int main()
{
    long long sink = 0;

    const MString chunk(std::string(chunkSize, 'x').c_str());
    const std::string stdChunk(chunkSize, 'x');
    const double appendMs = bestMilliseconds(repetitions, [&] {
        MString text("");
        for (int i = 0; i < appendCount; ++i)
            text.append(chunk);
        sink += text.length();
    });
    const double stdAppendMs = bestMilliseconds(repetitions, [&] {
        std::string text;
        for (int i = 0; i < appendCount; ++i)
            text.append(stdChunk);
        sink += text.size();
    });

    // 100 MB of "a" searched for 1,000 "a" and a "b": every position is a long partial match.
    const std::string stdHaystack(haystackSize, 'a');
    const std::string stdNeedle = std::string(needleRun, 'a') + 'b';
    const MString haystack(stdHaystack.data(), unsigned(stdHaystack.size()));
    const MString needle(stdNeedle.data(), unsigned(stdNeedle.size()));
    const double findMs = bestMilliseconds(repetitions, [&] { sink += haystack.find(needle, 0); });
    const double stdFindMs = bestMilliseconds(1, [&] { sink += static_cast<long long>(stdHaystack.find(stdNeedle)); });

    std::printf("MString 20,000 appends of 64 bytes\t%.2f\tms\t-\n", appendMs);
    std::printf("anchor: std::string 20,000 appends of 64 bytes\t%.2f\tms\t-\n", stdAppendMs);
    printRow(QStringLiteral("MString appends / std::string"), appendMs / stdAppendMs, "ratio", QStringLiteral("<= 2"));
    std::printf("MString find, 1,000 a and b in 100 MB of a\t%.1f\tms\t-\n", findMs);
    std::printf("anchor: std::string::find of the same\t%.1f\tms\t-\n", stdFindMs);
    printRow(QStringLiteral("MString find / std::string::find"), findMs / stdFindMs, "ratio", QStringLiteral("<= 1"));
    return sink != 0 ? 0 : 1;
}
