#pragma once

#include <QByteArray>
#include <QString>

// Byte-array encryption under a text key. Stored ciphertexts depend on every detail here: the key is the
// text's UTF-16 units one per byte (units above 255 become 0), cut or space-padded to 32 bytes; blocks are
// 256-bit Rijndael in ECB mode; the last block is space-padded and the padding is not removed on decryption.
namespace MCrypt {

QByteArray encryptRijndael(const QString &key, const QByteArray &data);
// Decrypts every whole 32-byte block; a shorter trailing part is ignored.
QByteArray decryptRijndael(const QString &key, const QByteArray &data);
// Repeating-key XOR; an empty key leaves the data as it is. Both directions are the same operation.
QByteArray encryptXor(const QString &key, const QByteArray &data);
QByteArray decryptXor(const QString &key, const QByteArray &data);
// As many zero bytes as the data has; the key is not used.
QByteArray blankBytes(const QString &key, const QByteArray &data);
QByteArray emptyBytes();

} // namespace MCrypt
