#pragma once

#include "MGraphX/ImageProcessT.h"

namespace MGraphX {

// Channel planes of doubles.
class ImageProcessDouble : public ImageProcessT<double>
{
public:
    explicit ImageProcessDouble(const char *path);
    ImageProcessDouble(const int &depth, const int &width, const int &height, const int &fill);
    explicit ImageProcessDouble(const QImage &image);
    ImageProcessDouble(const ImageProcessDouble &other);
    ~ImageProcessDouble() override;
};

} // namespace MGraphX
