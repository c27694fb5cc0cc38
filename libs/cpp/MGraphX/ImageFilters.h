#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

class QPainter;

// Image filters. None changes its argument; each returns a new image. Pixel loops work on
// 0xAARRGGBB values: an image in another format is converted to ARGB32 first, and a null or
// empty image gives a null or unchanged result.
namespace MGraphX {

// The image itself when it is RGB32, ARGB32 or premultiplied ARGB32, else converted to ARGB32.
QImage as32Bit(const QImage &image);

int midRange(int a, int b, int c, int d);
void drawBadge(QPainter *painter, const QPoint &position, const QString &text, const QFont &font,
               const QColor &colour, bool outline, float opacity);

QImage grayscaleImage(const QImage &image);
QImage brightnessContrastImage(const QImage &image, int brightness, int contrast);
QImage saturateImage(const QImage &image, float factor);
QImage adjustImage(const QImage &image, int brightness, int contrast, float factor);
QImage invertImage(const QImage &image);
QImage mirrorImage(const QImage &image, bool horizontal, bool vertical);
QImage rotateImageLeft(const QImage &image);
QImage rotateImageRight(const QImage &image);
QImage rotateImage180(const QImage &image);
// A border of percent × width / 100 pixels on every side; a negative border leaves the image as it is.
QImage addBorder(const QImage &image, int percent, const QColor &colour);

QImage autoLevels(const QImage &image, int brightClip, int darkClip);
QImage inputLevels(const QImage &image, int blackPoint, int whiteCut);
QImage outputLevels(const QImage &image, int low, int highCut);
QImage levels(const QImage &image, int value);
// Laplacian of the interior (columns 1 .. width - 3, rows 1 .. height - 3); every other pixel is 0x00000000.
QImage edgeImage(const QImage &image);
QImage fitImage(const QImage &image, const QSize &size, const QColor &colour);
QImage thresholdImage(const QImage &image, int level);
QImage posterizeImage(const QImage &image, const QVector<int> &levels);

// The combinations work over the common area of their images; the rest of A stays.
QImage differenceImage(const QImage &a, const QImage &b);
QImage averageImage(const QImage &a, const QImage &b);
QImage interlaceImages(const QImage &a, const QImage &b);
QImage interlaceImagesQuarter(const QImage &a, const QImage &b);
QImage maskImages(const QImage &a, const QImage &b, const QImage &mask);
QImage replaceSimilar(const QImage &a, const QImage &b, const int &tolerance);

// Margins that are negative or leave nothing give a null image.
QImage cropImage(const QImage &image, int left, int right, int top, int bottom);
QImage cropImagePercent(const QImage &image, int left, int right, int top, int bottom);
QImage swapRedBlue(const QImage &image);
QImage swapRedGreen(const QImage &image);
QImage swapGreenBlue(const QImage &image);

// Moves the hues within 9 of the source colour's hue to the target colour (hue arithmetic modulo 359).
QImage recolorImage(const QImage &image, const QColor &source, const QColor &target);
// Exponential blur of the part of the image inside the rectangle.
QImage blurImage(const QImage &image, const QRect &rect, int radius, bool alphaOnly);
QPixmap applyAlphaMask(const QPixmap &pixmap, const QPixmap &mask);
QImage scaleChannels(const QImage &image, const int &r, const int &g, const int &b);
QImage scaleBrightness(const QImage &image, const int &percent);

// "data:image/<format>;base64,<payload>"; anything else gives a null image.
QImage imageFromDataUrl(const QString &text);
QString imageToDataUrl(const QImage &image, const QString &format, const int &quality);
QImage recompressImage(const QImage &image, const QString &format, const int &quality);

} // namespace MGraphX
