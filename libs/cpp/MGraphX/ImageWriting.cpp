#include "MGraphX/ImageWriting.h"

#include "MTools/FileWriting.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>

namespace MGraphX {

QByteArray encodedImage(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        return QByteArray();
    return bytes;
}

bool writeImageSafely(const QString &path, const QImage &image, const char *format, int quality, QString *error)
{
    const QByteArray bytes = encodedImage(image, format, quality);
    if (bytes.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("MGraphX::ImageWriting", "The picture could not be encoded");
        return false;
    }
    return MTools::writeFileSafely(path, bytes, error);
}

} // namespace MGraphX
