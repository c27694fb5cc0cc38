#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace MGraphX {

// The image encoded in the format (a name such as "PNG", as QImage::save takes it), or empty bytes when
// the image cannot be encoded in it.
QByteArray encodedImage(const QImage &image, const char *format, int quality = -1);

// The image, encoded, as the whole new content of the file at path, written by MTools::writeFileSafely:
// on failure the old file stays as it was and error says why.
bool writeImageSafely(const QString &path, const QImage &image, const char *format, int quality = -1,
                      QString *error = nullptr);

} // namespace MGraphX
