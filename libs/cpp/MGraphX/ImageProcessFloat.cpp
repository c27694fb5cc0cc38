#include "MGraphX/ImageProcessFloat.h"

namespace MGraphX {

ImageProcessFloat::ImageProcessFloat(const char *path)
    : ImageProcessT<float>(path)
{
}

ImageProcessFloat::ImageProcessFloat(const int &depth, const int &width, const int &height, const int &fill)
    : ImageProcessT<float>(depth, width, height, fill)
{
}

ImageProcessFloat::ImageProcessFloat(const QImage &image)
    : ImageProcessT<float>(image)
{
}

ImageProcessFloat::ImageProcessFloat(const ImageProcessFloat &other) = default;

ImageProcessFloat::~ImageProcessFloat() = default;

} // namespace MGraphX
