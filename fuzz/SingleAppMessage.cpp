// Whatever a local client writes reaches the guard's decoder: any bytes must decode without a crash,
// and the text never reaches past the first NUL.
#include "QMRequest/SingleAppCheck.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text = QMRequest::SingleAppCheck::decodeMessage(bytes);
    if (text.contains(QChar(0)))
        std::abort();
    return 0;
}
