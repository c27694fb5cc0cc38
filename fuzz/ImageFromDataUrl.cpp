// Any text may be offered as a data URL: decoding it must neither crash nor read past the text.

#include "MGraphX/ImageFilters.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Image format plugins are found through the application's library paths.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    MGraphX::imageFromDataUrl(text);
    return 0;
}
