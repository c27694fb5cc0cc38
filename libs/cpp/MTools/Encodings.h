#pragma once

#include <QByteArray>
#include <QString>

// Conversions between Qt text, raw bytes, a zlib stream and Base64.
// Base64 goes through QByteArray::toBase64 / fromBase64, so decoding skips
// characters outside the alphabet and never fails.
namespace MTools {

// Each UTF-16 unit as two bytes, high byte first.
QByteArray toUtf16Bytes(const QString &text);
// Pairs of bytes, high byte first, as UTF-16 units; an odd last byte is the high byte of a unit with low byte 0.
QString fromUtf16Bytes(const QByteArray &bytes);
// Each byte as the character of the same value, zero bytes included.
QString fromLatin1Bytes(const unsigned char *bytes, int length);

QString toBase64String(const QString &text);
QString fromBase64String(const QString &text);

QString bytesToBase64(const QByteArray &bytes);
QByteArray fromBase64(const QString &text);
QString latin1ToBase64(const QString &text);
// The decoded bytes as Latin-1 text, up to the first zero byte.
QString fromBase64ToString(const QString &text);

// A plain zlib (RFC 1950) stream at level 9, without qCompress's length prefix.
QByteArray zlibCompress(const QByteArray &bytes);

} // namespace MTools
