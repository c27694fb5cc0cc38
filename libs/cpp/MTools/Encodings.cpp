#include "MTools/Encodings.h"

#include <QtGlobal>

namespace MTools {

// What qCompress at level 9 would give for no data if it made a stream for it: the zlib
// header 78 DA, an empty final deflate block and the Adler-32 of nothing (1).
static const char emptyZlibStream[] = { '\x78', '\xDA', '\x03', '\x00', '\x00', '\x00', '\x00', '\x01' };

QByteArray toUtf16Bytes(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar unit : text) {
        *out++ = char(unit.unicode() >> 8);
        *out++ = char(unit.unicode() & 0xFF);
    }
    return bytes;
}

QString fromUtf16Bytes(const QByteArray &bytes)
{
    const int byteCount = bytes.size();
    QString text((byteCount + 1) / 2, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    QChar *out = text.data();
    for (int i = 0; i < byteCount; i += 2) {
        const ushort low = i + 1 < byteCount ? in[i + 1] : 0;
        *out++ = QChar(ushort(in[i] << 8 | low));
    }
    return text;
}

QString fromLatin1Bytes(const unsigned char *bytes, int length)
{
    if (!bytes || length <= 0)
        return QString();
    return QString::fromLatin1(reinterpret_cast<const char *>(bytes), length);
}

QString toBase64String(const QString &text)
{
    return bytesToBase64(toUtf16Bytes(text));
}

QString fromBase64String(const QString &text)
{
    return fromUtf16Bytes(fromBase64(text));
}

QString bytesToBase64(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QByteArray fromBase64(const QString &text)
{
    return QByteArray::fromBase64(text.toLatin1());
}

QString latin1ToBase64(const QString &text)
{
    return bytesToBase64(text.toLatin1());
}

QString fromBase64ToString(const QString &text)
{
    const QByteArray bytes = fromBase64(text);
    return QString::fromLatin1(bytes.constData(), int(qstrnlen(bytes.constData(), uint(bytes.size()))));
}

QByteArray zlibCompress(const QByteArray &bytes)
{
    // qCompress gives only its 4-byte length prefix for empty input, which no inflater accepts.
    if (bytes.isEmpty())
        return QByteArray(emptyZlibStream, int(sizeof emptyZlibStream));
    return qCompress(bytes, 9).mid(4);
}

} // namespace MTools
