#pragma once

#include <QString>

class QByteArray;
class QImage;
class QSize;

namespace MGraphX {

// Pictures larger than this many pixels are not decoded: a small file could otherwise take gigabytes.
constexpr qint64 MaximumPicturePixels = 200 * 1000 * 1000;

// What encoded bytes hold, judged from the picture's own headers before anything is decoded.
enum class PictureSize {
    Fits,        // a picture every image of which lies within the bound
    NotAPicture, // no picture in a format this program reads
    Refused,     // too large, or of a size that cannot be read
};

// Judges the bytes as the decoder will see them: the size that decoding would really allocate, for every
// image a container holds (an icon's directory may say 256 x 256 for a PNG inside that is far larger; a
// top-down bitmap declares a negative height and decodes at its absolute value). On Refused, error says
// why and *tooLarge (when given) receives the size of an image over maxPixels. On Fits, *pixels (when given)
// receives the pixels that decoding takes, of every image together.
PictureSize judgePictureSize(const QByteArray &bytes, qint64 maxPixels, QString *error = nullptr,
                             QSize *tooLarge = nullptr, qint64 *pixels = nullptr);

// Decodes the bytes, their format judged by their content, once judgePictureSize found them within
// maxPixels. On failure *image is null and error says why.
bool decodePictureBounded(const QByteArray &bytes, qint64 maxPixels, QImage *image, QString *error = nullptr,
                          QSize *tooLarge = nullptr);

// Reads the picture file at path through MTools::readFileBounded (at most MTools::PictureFileBound bytes)
// and decodes it as decodePictureBounded does.
bool readPictureBounded(const QString &path, qint64 maxPixels, QImage *image, QString *error = nullptr,
                        QSize *tooLarge = nullptr);

} // namespace MGraphX
