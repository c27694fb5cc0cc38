#pragma once

#include <QString>

class QImage;
class QSize;

namespace MGraphX {

// Pictures larger than this many pixels are not decoded: a small file could otherwise take gigabytes.
constexpr qint64 MaximumPicturePixels = 200 * 1000 * 1000;

// Reads the picture file at path, its format judged by its content, through MTools::readFileBounded (at most
// MTools::PictureFileBound bytes). The size that decoding would really allocate is taken from the picture's
// own headers before anything is decoded, for every image a container holds: an icon's directory may say
// 256 x 256 for a PNG inside that is far larger. A picture with an image of more than maxPixels pixels is
// refused, and *tooLarge (when given) receives that image's size. On failure *image is null and error says
// why.
bool readPictureBounded(const QString &path, qint64 maxPixels, QImage *image, QString *error = nullptr,
                        QSize *tooLarge = nullptr);

} // namespace MGraphX
