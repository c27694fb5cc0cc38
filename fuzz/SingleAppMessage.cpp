// Whatever a local client writes reaches the guard's decoder: any bytes must decode without a crash, the
// text never reaches past the first NUL, bytes without the closing NUL or beyond the bound never pass as a
// message, and a message the guard would send comes back as itself.
#include "QMRequest/SingleAppCheck.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using QMRequest::SingleAppCheck;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QString text;
    const bool whole = SingleAppCheck::decodeMessage(bytes, &text);
    const bool bounded = bytes.size() <= SingleAppCheck::MaxMessageBytes;
    if (whole != (bytes.endsWith('\0') && bounded) || text.contains(QChar(0)))
        std::abort();
    if (!whole)
        return 0;
    // The decoded text sent again arrives unchanged, whenever the guard would send it: a byte that is not
    // UTF-8 decodes to U+FFFD, three bytes, so a text read at the bound may encode past it, and the guard
    // refuses to send such a text.
    const QByteArray sent = SingleAppCheck::encodeMessage(text);
    if (sent.size() > SingleAppCheck::MaxMessageBytes)
        return 0;
    QString again;
    if (!SingleAppCheck::decodeMessage(sent, &again) || again != text)
        std::abort();
    return 0;
}
