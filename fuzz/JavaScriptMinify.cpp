// Any text is possible script: minifying it must neither crash nor run past the input, read as
// UTF-8 and as Latin-1 (which reaches the byte-order-mark bytes).

#include "MTools/JavaScriptMinifier.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const QString utf8 = QString::fromUtf8(bytes, int(size));
    const QString first = JavaScriptMinifier::minify(utf8);
    // Each run starts from a clean state: the same input gives the same output.
    if (JavaScriptMinifier::minify(utf8) != first)
        std::abort();
    JavaScriptMinifier::minify(QString::fromLatin1(bytes, int(size)));
    return 0;
}
