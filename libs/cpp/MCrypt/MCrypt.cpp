#include "MCrypt/MCrypt.h"

#include "MCrypt/Rijndael.h"

namespace MCrypt {

namespace {

const int blockBytes = 32;

unsigned char keyByte(QChar unit)
{
    return unit.unicode() > 255 ? 0 : static_cast<unsigned char>(unit.unicode());
}

// Tables checked and key made; false when the process-wide tables are wrong.
bool prepare(const QString &key, Rijndael &cipher)
{
    unsigned char keyBytes[blockBytes];
    for (int i = 0; i < blockBytes; ++i)
        keyBytes[i] = i < key.size() ? keyByte(key.at(i)) : ' ';
    return Rijndael::initTables(true, false) && cipher.setup(256, 256) && cipher.makeKey(keyBytes);
}

unsigned char *bytesOf(QByteArray &array)
{
    return reinterpret_cast<unsigned char *>(array.data());
}

const unsigned char *bytesOf(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

} // namespace

QByteArray encryptRijndael(const QString &key, const QByteArray &data)
{
    Rijndael cipher;
    if (!prepare(key, cipher))
        return QByteArray();
    const int whole = data.size() / blockBytes;
    QByteArray result(whole * blockBytes + blockBytes, Qt::Uninitialized);
    for (int block = 0; block < whole; ++block)
        cipher.encrypt(bytesOf(data) + block * blockBytes, bytesOf(result) + block * blockBytes);
    // Always one more block: the rest of the data padded with spaces, a whole block of them when none is left.
    QByteArray last = data.mid(whole * blockBytes);
    last.append(blockBytes - last.size(), ' ');
    cipher.encrypt(bytesOf(last), bytesOf(result) + whole * blockBytes);
    return result;
}

QByteArray decryptRijndael(const QString &key, const QByteArray &data)
{
    Rijndael cipher;
    if (!prepare(key, cipher))
        return QByteArray();
    const int whole = data.size() / blockBytes;
    QByteArray result(whole * blockBytes, Qt::Uninitialized);
    for (int block = 0; block < whole; ++block)
        cipher.decrypt(bytesOf(data) + block * blockBytes, bytesOf(result) + block * blockBytes);
    return result;
}

QByteArray encryptXor(const QString &key, const QByteArray &data)
{
    QByteArray result = data;
    if (key.isEmpty())
        return result;
    const int keyLength = key.size();
    for (int i = 0; i < result.size(); ++i)
        result[i] = char(result.at(i) ^ keyByte(key.at(i % keyLength)));
    return result;
}

QByteArray decryptXor(const QString &key, const QByteArray &data)
{
    return encryptXor(key, data);
}

QByteArray blankBytes(const QString &, const QByteArray &data)
{
    return QByteArray(data.size(), '\0');
}

QByteArray emptyBytes()
{
    return QByteArray();
}

} // namespace MCrypt
