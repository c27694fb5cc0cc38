// Masked tables come from the other party: any bytes must import or be refused, and the imported tables
// (permutations or not) must substitute and unsubstitute without reading outside them.

#include "MCrypt/SiO2.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose the shape, so one corpus covers many table counts and sizes.
    const unsigned count = data[0] % 8;
    const unsigned tableSize = data[1] + 1u;
    const QByteArray rest(reinterpret_cast<const char *>(data + 2), int(size - 2));
    MCrypt::SiO2 cipher(QByteArray("key"), count, tableSize);
    if (cipher.importTables(rest)) {
        const QByteArray sample = rest.left(64);
        cipher.decrypt(cipher.encrypt(sample));
        cipher.decrypt(sample);
    }
    return 0;
}
