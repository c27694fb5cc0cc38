// Any text is a possible script: compressing it must neither crash nor read past the text, and a removed
// comment is at most replaced by one blank, so the result is never longer than the script.

#include "app/ScriptCompressor.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    if (ScriptCompressor(text).size() > text.size())
        std::abort();
    return 0;
}
