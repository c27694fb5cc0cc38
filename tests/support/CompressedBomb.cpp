#include "CompressedBomb.h"

#include <zlib.h>

namespace {

const qint64 Megabyte = 1024 * 1024;

QByteArray deflateRaw(const QByteArray &input, int flush)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray output(int(deflateBound(&stream, uLong(input.size()))) + 64, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
    stream.avail_in = uInt(input.size());
    stream.next_out = reinterpret_cast<Bytef *>(output.data());
    stream.avail_out = uInt(output.size());
    deflate(&stream, flush);
    output.resize(int(stream.total_out));
    deflateEnd(&stream);
    return output;
}

// A raw deflate stream of size bytes of the byte: full-flushed megabytes end on a byte boundary and refer to
// nothing before them, so copies of one are a valid stream; the rest closes it.
QByteArray deflatedRun(qint64 size, char byte)
{
    const QByteArray megabyte = deflateRaw(QByteArray(int(Megabyte), byte), Z_FULL_FLUSH);
    QByteArray stream;
    stream.reserve(int(size / Megabyte * megabyte.size() + 1024));
    for (qint64 i = 0; i < size / Megabyte; ++i)
        stream += megabyte;
    return stream + deflateRaw(QByteArray(int(size % Megabyte), byte), Z_FINISH);
}

QByteArray bigEndian(quint32 value)
{
    return QByteArray(1, char(value >> 24)) + char(value >> 16) + char(value >> 8) + char(value);
}

QByteArray littleEndian(quint32 value)
{
    return QByteArray(1, char(value)) + char(value >> 8) + char(value >> 16) + char(value >> 24);
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray typed = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()));
    return bigEndian(quint32(data.size())) + typed + bigEndian(quint32(crc));
}

} // namespace

QByteArray gzipBomb(qint64 size, char byte)
{
    const QByteArray megabyte(int(Megabyte), byte);
    const uLong megabyteCrc = crc32(0, reinterpret_cast<const Bytef *>(megabyte.constData()), uInt(Megabyte));
    uLong crc = crc32(0, nullptr, 0);
    for (qint64 i = 0; i < size / Megabyte; ++i)
        crc = crc32_combine(crc, megabyteCrc, Megabyte);
    const QByteArray rest(int(size % Megabyte), byte);
    crc = crc32_combine(crc, crc32(0, reinterpret_cast<const Bytef *>(rest.constData()), uInt(rest.size())),
                        rest.size());
    static const char header[] = "\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03";
    return QByteArray(header, 10) + deflatedRun(size, byte) + littleEndian(quint32(crc)) + littleEndian(quint32(size));
}

QByteArray hugePng(const QSize &size)
{
    // Each row is its filter byte, 0 (none), then its pixels, all 0: the whole image data is zeros.
    const qint64 rawSize = qint64(size.height()) * (1 + qint64(size.width()) * 4);
    // The Adler-32 of zeros: its sum of bytes stays 1, its sum of sums grows by 1 a byte.
    const quint32 adler = quint32(rawSize % 65521) << 16 | 1u;
    const QByteArray zlibStream = QByteArray("\x78\xda") + deflatedRun(rawSize, '\0') + bigEndian(adler);
    const QByteArray header = bigEndian(quint32(size.width())) + bigEndian(quint32(size.height()))
                              + QByteArray("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA
    return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header) + pngChunk("IDAT", zlibStream)
           + pngChunk("IEND", QByteArray());
}
