#include "MTools/Base32.h"

#include <QtGlobal>

#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace MTools {

static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

// Value of each byte as a symbol; lower-case letters decode like upper-case, anything else is 255.
// Built at compile time so no static initialiser of another file can see it empty.
static constexpr std::array<unsigned char, 256> symbolValues = [] {
    std::array<unsigned char, 256> values{};
    for (unsigned char &value : values)
        value = 255;
    for (int v = 0; v < 32; ++v) {
        const unsigned char c = static_cast<unsigned char>(alphabet[v]);
        values[c] = static_cast<unsigned char>(v);
        if (c >= 'A' && c <= 'Z')
            values[c - 'A' + 'a'] = static_cast<unsigned char>(v);
    }
    return values;
}();

// Places in a group of 8 (from 0) where '=' ends the decode after 1, 2, 3 or 4 bytes of that group.
static const int paddingPlaces[] = { 2, 4, 5, 7 };

static int cappedToInt(qint64 count)
{
    return int(qMin<qint64>(count, INT_MAX));
}

QString Base32::encode(const QByteArray &bytes)
{
    const int byteCount = bytes.size();
    if (byteCount == 0)
        return QString();
    const int length = encodedLength(byteCount);
    if (length == INT_MAX) // capped: the text could not be held
        return QString();
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size_t(length) + 1]);
    if (!buffer)
        return QString();
    buffer[length] = '\0';
    encodeInto(buffer.get(), length, bytes.constData(), byteCount);
    return QString::fromLatin1(buffer.get(), length);
}

QString Base32::encodeText(const QString &text)
{
    return encode(text.toLatin1());
}

QByteArray Base32::decode(const QString &text)
{
    const QByteArray latin1 = text.toLatin1();
    const int capacity = decodedCapacity(latin1.size());
    if (capacity == 0)
        return QByteArray();
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size_t(capacity)]);
    if (!buffer)
        return QByteArray();
    const int count = decodeInto(buffer.get(), capacity, latin1.constData(), latin1.size());
    return QByteArray(buffer.get(), count);
}

QString Base32::decodeText(const QString &text)
{
    const QByteArray bytes = decode(text);
    return QString::fromLatin1(bytes.constData(), int(qstrnlen(bytes.constData(), uint(bytes.size()))));
}

int Base32::symbolCount(int byteCount)
{
    if (byteCount <= 0)
        return 0;
    const qint64 bits = qint64(byteCount) * 8;
    return cappedToInt(bits / 5 + (byteCount % 5 != 0 ? 1 : 0));
}

int Base32::padCount(int byteCount)
{
    if (byteCount <= 0 || byteCount % 5 == 0)
        return 0;
    return (40 - 8 * (byteCount % 5)) / 5;
}

int Base32::encodedLength(int byteCount)
{
    return cappedToInt(qint64(symbolCount(byteCount)) + padCount(byteCount));
}

int Base32::decodedCapacity(int symbolCount)
{
    if (symbolCount <= 0 || symbolCount % 8 != 0)
        return 0;
    return cappedToInt(qint64(symbolCount) * 8 / 5);
}

int Base32::group(int index, const char *bytes, int byteCount)
{
    if (!bytes || index < 0 || byteCount <= 0)
        return 0;
    const qint64 firstBit = qint64(index) * 5;
    const qint64 byteIndex = firstBit / 8;
    if (byteIndex >= byteCount)
        return 0;
    const auto *in = reinterpret_cast<const unsigned char *>(bytes);
    // A group spans at most two bytes; the second is read only when it exists.
    const unsigned high = in[byteIndex];
    const unsigned low = byteIndex + 1 < byteCount ? in[byteIndex + 1] : 0u;
    return int(((high << 8 | low) >> (11 - firstBit % 8)) & 31u);
}

char Base32::symbol(int index, const char *bytes, int byteCount)
{
    return alphabet[group(index, bytes, byteCount)];
}

void Base32::encodeInto(char *output, int outputLength, const char *bytes, int byteCount)
{
    if (!output || outputLength <= 0)
        return;
    if (!bytes)
        byteCount = 0;
    const int symbols = qMin(symbolCount(byteCount), outputLength);
    for (int i = 0; i < symbols; ++i)
        output[i] = symbol(i, bytes, byteCount);
    std::memset(output + symbols, '=', size_t(outputLength - symbols));
}

int Base32::decodeInto(char *output, int capacity, const char *text, int textLength)
{
    if (!output || !text || capacity <= 0 || textLength <= 0 || textLength % 8 != 0)
        return 0;
    const auto *in = reinterpret_cast<const unsigned char *>(text);
    int produced = 0;
    for (int start = 0; start < textLength && produced < capacity; start += 8) {
        const unsigned char *c = in + start;
        unsigned v[8];
        for (int k = 0; k < 8; ++k)
            v[k] = symbolValues[c[k]];
        // Values of 255 from stray characters spill into neighbouring bits; only the low 8 bits are kept.
        const char decoded[5] = {
            char((v[0] * 8 + v[1] / 4) & 0xFF),
            char(((v[1] % 4) * 64 + v[2] * 2 + v[3] / 16) & 0xFF),
            char((v[3] * 16 + v[4] / 2) & 0xFF),
            char((v[4] * 128 + v[5] * 4 + v[6] / 8) & 0xFF),
            char((v[6] * 32 + v[7] % 32) & 0xFF),
        };
        int groupBytes = 5;
        for (int k = 0; k < 4; ++k) {
            if (c[paddingPlaces[k]] == '=') {
                groupBytes = k + 1;
                break;
            }
        }
        // A buffer that fills inside a group takes what fits and ends the decode.
        const int taken = qMin(groupBytes, capacity - produced);
        std::memcpy(output + produced, decoded, size_t(taken));
        produced += taken;
        if (groupBytes < 5)
            break;
    }
    return produced;
}

} // namespace MTools
