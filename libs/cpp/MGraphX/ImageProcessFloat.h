#pragma once

#include "MGraphX/ImageProcessT.h"

namespace MGraphX {

// Channel planes of floats.
class ImageProcessFloat : public ImageProcessT<float>
{
public:
    explicit ImageProcessFloat(const char *path);
    ImageProcessFloat(const int &depth, const int &width, const int &height, const int &fill);
    explicit ImageProcessFloat(const QImage &image);
    ImageProcessFloat(const ImageProcessFloat &other);
    ~ImageProcessFloat() override;
};

} // namespace MGraphX
