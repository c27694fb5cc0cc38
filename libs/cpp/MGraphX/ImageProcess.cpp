#include "MGraphX/ImageProcess.h"

namespace MGraphX {

ImageProcess::ImageProcess(const char *path)
    : ImageProcessT<unsigned char>(path)
{
}

ImageProcess::ImageProcess(const int &depth, const int &width, const int &height, const int &fill)
    : ImageProcessT<unsigned char>(depth, width, height, fill)
{
}

ImageProcess::ImageProcess(const QImage &image)
    : ImageProcessT<unsigned char>(image)
{
}

ImageProcess::ImageProcess(const ImageProcess &other) = default;

ImageProcess::~ImageProcess() = default;

} // namespace MGraphX
