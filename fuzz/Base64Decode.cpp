// Base64 arrives from settings files and from other programs' texts. Any text must decode without a crash,
// and what the encoders make must decode to what they were given.

#include "MTools/Encodings.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString latin1 = QString::fromLatin1(bytes);
    const QString utf8 = QString::fromUtf8(bytes);

    MTools::fromBase64(latin1);
    MTools::fromBase64(utf8);
    MTools::fromBase64String(latin1);
    MTools::fromBase64String(utf8);
    const QString text = MTools::fromBase64ToString(utf8);
    if (text.contains(QChar(0)))
        std::abort();

    if (MTools::fromBase64(MTools::bytesToBase64(bytes)) != bytes)
        std::abort();
    if (MTools::fromBase64String(MTools::toBase64String(utf8)) != utf8)
        std::abort();
    const QString upToZero = latin1.left(latin1.indexOf(QChar(0)) < 0 ? latin1.size() : latin1.indexOf(QChar(0)));
    if (MTools::fromBase64ToString(MTools::latin1ToBase64(latin1)) != upToZero)
        std::abort();
    return 0;
}
