// A list file may hold any bytes: reading it must neither crash nor yield an empty name or a line end.
#include "scripting/windows/BatchArea.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QStringList names;
    QString error;
    if (QMMistlark::BatchArea::parseList(bytes, &names, &error)) {
        for (const QString &name : names)
            if (name.isEmpty() || name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
                std::abort();
    } else if (error.isEmpty()) {
        std::abort();
    }
    return 0;
}
