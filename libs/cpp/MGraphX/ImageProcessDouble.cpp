#include "MGraphX/ImageProcessDouble.h"

namespace MGraphX {

ImageProcessDouble::ImageProcessDouble(const char *path)
    : ImageProcessT<double>(path)
{
}

ImageProcessDouble::ImageProcessDouble(const int &depth, const int &width, const int &height, const int &fill)
    : ImageProcessT<double>(depth, width, height, fill)
{
}

ImageProcessDouble::ImageProcessDouble(const QImage &image)
    : ImageProcessT<double>(image)
{
}

ImageProcessDouble::ImageProcessDouble(const ImageProcessDouble &other) = default;

ImageProcessDouble::~ImageProcessDouble() = default;

} // namespace MGraphX
