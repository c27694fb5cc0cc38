// Any bytes are possible vCard text: reading them, and writing what was read, must neither crash nor hang.

#include "vCard/vCard.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    for (const vCard &card : vCard::fromByteArray(text)) {
        card.toByteArray(vCard::Version21);
        card.toByteArray(vCard::Version30);
    }
    vCardProperty::fromByteArray(text, vCard::Version21);
    return 0;
}
