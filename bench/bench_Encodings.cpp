// Times Base32 and Base64 of 1 MiB of bytes; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchTiming.h"
#include "MTools/Base32.h"
#include "MTools/Encodings.h"

#include <QRandomGenerator>

#include <cstdio>

static const int byteCount = 1024 * 1024;
static const int repetitions = 5;

static void printRow(const char *measure, double milliseconds)
{
    std::printf("%s\t%.3f\tms\t-\n", measure, milliseconds);
}

int main()
{
    QRandomGenerator generator(1);
    QByteArray bytes(byteCount, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));

    const QString base32 = MTools::Base32::encode(bytes);
    const QString base64 = MTools::bytesToBase64(bytes);
    // A benchmark of a wrong result measures nothing.
    if (MTools::Base32::decode(base32) != bytes || MTools::fromBase64(base64) != bytes) {
        std::fprintf(stderr, "bench_Encodings: round trip failed\n");
        return 1;
    }

    // Sizes summed into a sink so the calls cannot be dropped as unused.
    qint64 sink = 0;
    printRow("Base32 encode 1 MiB", bestMilliseconds(repetitions, [&] { sink += MTools::Base32::encode(bytes).size(); }));
    printRow("Base32 decode 1 MiB", bestMilliseconds(repetitions, [&] { sink += MTools::Base32::decode(base32).size(); }));
    printRow("Base64 encode 1 MiB", bestMilliseconds(repetitions, [&] { sink += MTools::bytesToBase64(bytes).size(); }));
    printRow("Base64 decode 1 MiB", bestMilliseconds(repetitions, [&] { sink += MTools::fromBase64(base64).size(); }));
    return sink > 0 ? 0 : 1;
}
