#pragma once

#include "MGraphX/ImageProcessT.h"

namespace MGraphX {

// Channel planes of bytes; the variant that converts back to a QImage.
class ImageProcess : public ImageProcessT<unsigned char>
{
public:
    explicit ImageProcess(const char *path);
    ImageProcess(const int &depth, const int &width, const int &height, const int &fill);
    explicit ImageProcess(const QImage &image);
    ImageProcess(const ImageProcess &other);
    ~ImageProcess() override;
};

} // namespace MGraphX
