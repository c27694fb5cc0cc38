// Any text is possible Base32 input: decoding it must neither crash nor read past the buffer.

#include "MTools/Base32.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    MTools::Base32::decode(text);
    return 0;
}
