#pragma once

#include <QByteArray>
#include <QString>

namespace MTools {

// Base32 of RFC 4648: alphabet A-Z 2-7, groups of 8 symbols for 5 bytes, '=' padding.
// Decoding reports no errors: characters outside the alphabet count as the value 255 and
// spoil the bytes they touch, and a text whose length is not a multiple of 8 decodes to nothing.
class Base32
{
public:
    Base32() = delete;

    static QString encode(const QByteArray &bytes);
    // Encodes the text's Latin-1 bytes.
    static QString encodeText(const QString &text);
    static QByteArray decode(const QString &text);
    // The decoded bytes as Latin-1 text, up to the first zero byte.
    static QString decodeText(const QString &text);

    // Symbols before the padding for byteCount bytes.
    static int symbolCount(int byteCount);
    // '=' characters after them: 6, 4, 3, 1 for a last block of 1, 2, 3, 4 bytes.
    static int padCount(int byteCount);
    // 8 for every started block of 5 bytes.
    static int encodedLength(int byteCount);
    // Size of decode's work buffer for a text of symbolCount characters; 0 when that is
    // not a positive multiple of 8. It is larger than the 5/8 of the text a decode produces.
    static int decodedCapacity(int symbolCount);

    // The index-th 5-bit group of the bytes, most significant bits first; bits beyond
    // byteCount read as zero, so a group past the end is 0.
    static int group(int index, const char *bytes, int byteCount);
    static char symbol(int index, const char *bytes, int byteCount);

    // Writes the symbols of the bytes, then fills the rest of the output with '='.
    // An output shorter than symbolCount gets as many symbols as fit; nothing is written past outputLength.
    static void encodeInto(char *output, int outputLength, const char *bytes, int byteCount);
    // Decodes a text whose length is a multiple of 8 and returns the number of bytes written,
    // never more than capacity. A '=' at the third, fifth, sixth or eighth place of a group
    // ends the decode with that group.
    static int decodeInto(char *output, int capacity, const char *text, int textLength);
};

} // namespace MTools
