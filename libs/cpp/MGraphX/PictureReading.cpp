#include "MGraphX/PictureReading.h"

#include "MTools/FileReading.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QVector>

namespace MGraphX {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("MGraphX::PictureReading", text);
}

quint32 littleEndian(const QByteArray &bytes, int at, int length)
{
    quint32 value = 0;
    for (int i = length - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// The size a picture's own header declares, read without decoding it, as the decoder will allocate it;
// invalid when it gives none.
QSize declaredSize(const QByteArray &bytes, const QByteArray &format = QByteArray())
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(format.isEmpty());
    QSize size = reader.size();
    // A bitmap stored top down says so by a negative height; the decoder reads it at the absolute value.
    if (reader.format() == "bmp" || reader.format() == "dib")
        size.setHeight(qAbs(size.height()));
    // The reader tells the first frame of a GIF, while the decoder allocates the logical screen, which a
    // file of 35 bytes may declare as 16000 x 16000.
    if (reader.format() == "gif" && size.isValid() && bytes.size() >= 10)
        size = size.expandedTo(QSize(int(littleEndian(bytes, 6, 2)), int(littleEndian(bytes, 8, 2))));
    return size;
}

// The sizes of the images of an icon (ICO or CUR) as they decode. Its directory stores at most 256 for a
// side; an image stored as PNG is decoded at the size of its own header, whatever the directory says,
// while one stored as a bitmap is refused by the decoder above 256 x 256.
QVector<QSize> iconImageSizes(const QByteArray &bytes)
{
    static const char pngSignature[] = "\x89PNG\r\n\x1a\n";
    static const int DirectoryHead = 6;
    static const int EntryLength = 16;
    QVector<QSize> sizes;
    if (bytes.size() < DirectoryHead)
        return {QSize()};
    const int count = int(littleEndian(bytes, 4, 2));
    for (int entry = 0; entry < count; ++entry) {
        const int at = DirectoryHead + entry * EntryLength;
        if (at + EntryLength > bytes.size())
            break;
        const quint32 length = littleEndian(bytes, at + 8, 4);
        const quint32 offset = littleEndian(bytes, at + 12, 4);
        if (offset >= quint32(bytes.size()))
            continue; // nothing there to decode
        const QByteArray image = bytes.mid(int(offset), int(qMin<quint32>(length, quint32(bytes.size()) - offset)));
        if (image.startsWith(QByteArray::fromRawData(pngSignature, 8))) {
            sizes << declaredSize(image, "png");
        } else {
            const int width = quint8(bytes.at(at));
            const int height = quint8(bytes.at(at + 1));
            sizes << QSize(width ? width : 256, height ? height : 256);
        }
    }
    return sizes;
}

} // namespace

PictureSize judgePictureSize(const QByteArray &bytes, qint64 maxPixels, QString *error, QSize *tooLarge,
                             qint64 *pixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        if (error)
            *error = translated("It is not a picture in a format this program reads");
        return PictureSize::NotAPicture;
    }
    // Only the current image of a container is decoded, yet an icon's directory does not tell its true size.
    const QVector<QSize> sizes =
        format == "ico" || format == "cur" ? iconImageSizes(bytes) : QVector<QSize>{declaredSize(bytes, format)};
    qint64 total = 0;
    for (const QSize &size : sizes) {
        if (!size.isValid()) {
            if (error)
                *error = translated("The size of the picture cannot be read");
            return PictureSize::Refused;
        }
        if (qint64(size.width()) * size.height() > maxPixels) {
            if (error)
                *error = translated("The picture is too large: %1 x %2 pixels").arg(size.width()).arg(size.height());
            if (tooLarge)
                *tooLarge = size;
            return PictureSize::Refused;
        }
        total += qint64(size.width()) * size.height();
    }
    if (pixels)
        *pixels = total;
    return PictureSize::Fits;
}

bool decodePictureBounded(const QByteArray &bytes, qint64 maxPixels, QImage *image, QString *error, QSize *tooLarge)
{
    *image = QImage();
    if (judgePictureSize(bytes, maxPixels, error, tooLarge) != PictureSize::Fits)
        return false;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        if (error)
            *error = reader.errorString();
        return false;
    }
    *image = decoded;
    return true;
}

bool readPictureBounded(const QString &path, qint64 maxPixels, QImage *image, QString *error, QSize *tooLarge)
{
    *image = QImage();
    QByteArray bytes;
    if (!MTools::readFileBounded(path, MTools::PictureFileBound, &bytes, error))
        return false;
    return decodePictureBounded(bytes, maxPixels, image, error, tooLarge);
}

} // namespace MGraphX
