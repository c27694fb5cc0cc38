#pragma once

#include "MGraphX/GraphX.h"

#include <QImage>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <type_traits>

namespace MGraphX {

// An image held as separate channel planes, row-major (pixel (x, y) at x + y * width), so that
// per-channel work runs over plain arrays. Depth 24 keeps red, green and blue; depth 8 keeps a
// palette index or grey value in the red plane with three colour tables; depth 1 keeps 0 or 255
// in the red plane. The byte variant (T = unsigned char) is the working one: only it has the
// operations below the constructors and converts back to a QImage.
template <typename T>
class ImageProcessT : public GraphX
{
public:
    // Loads the file; one that cannot be loaded gives a 0 x 0 object.
    explicit ImageProcessT(const char *path);
    // Depth 1: every element fill * 255; depth 8: the fill's low byte and identity colour tables;
    // other depths: the fill as 0xRRGGBB. A negative width or height counts as 0.
    ImageProcessT(const int &depth, const int &width, const int &height, const int &fill);
    // Depth 24 from the image converted to RGB32, which is also kept.
    explicit ImageProcessT(const QImage &image);
    // Deep copies of planes and tables; the kept image is not copied.
    ImageProcessT(const ImageProcessT &other);
    ImageProcessT &operator=(const ImageProcessT &) = delete;
    ~ImageProcessT() override = default;

    // Out-of-range coordinates (compared unsigned, so negatives too) are ignored.
    void setPixel(int x, int y, int value) override;
    // Depth 24: 0xRRGGBB; depth 1: 0 or 1; depth 8: the element. 0 outside.
    int pixel(int x, int y) const override;
    int classValue() const override { return s_classValue; }
    int classValue2() const override { return s_classValue2; }
    bool classFlag() const override { return s_classFlag; }
    void dispatchHooks() override;
    int width() const override { return int(m_width); }
    int height() const override { return int(m_height); }

    int depth() const { return m_depth; }
    bool isGrey() const { return m_grey; }
    const T *redPlane() const { return m_red.get(); }
    const T *greenPlane() const { return m_green.get(); }
    const T *bluePlane() const { return m_blue.get(); }
    const T *alphaPlane() const { return m_alpha.get(); }
    // Colour tables of an indexed (depth 8) object: 256 entries each, or null.
    const unsigned char *redTable() const { return m_redTable.get(); }
    const unsigned char *greenTable() const { return m_greenTable.get(); }
    const unsigned char *blueTable() const { return m_blueTable.get(); }

    // Byte variant only. Each returns the object itself.
    ImageProcessT &addBrightness(const int &delta);
    ImageProcessT &threshold(const int &level);
    ImageProcessT &applyTable(const unsigned char *table);
    ImageProcessT &histogram(int counts[256], const T *plane = nullptr);
    QImage toImage() const;

protected:
    void fillFrom(const QImage &rgb32);

    std::unique_ptr<T[]> m_red;
    std::unique_ptr<T[]> m_green;
    std::unique_ptr<T[]> m_blue;
    std::unique_ptr<T[]> m_alpha;
    std::unique_ptr<unsigned char[]> m_redTable;
    std::unique_ptr<unsigned char[]> m_greenTable;
    std::unique_ptr<unsigned char[]> m_blueTable;
    // Copied and freed with the object, never filled.
    std::unique_ptr<unsigned char[]> m_spareTable;
    unsigned int m_width = 0;
    unsigned int m_height = 0;
    int m_hookFirst = 0;
    int m_hookSecond = 0;
    signed char m_depth = 24;
    bool m_grey = false;
    QImage m_kept;
    int m_maximum = 255;
    int m_minimum = 0;

private:
    static inline int s_classValue = 0;
    static inline int s_classValue2 = 0;
    static inline bool s_classFlag = false;

    size_t count() const { return size_t(m_width) * m_height; }
    template <typename A>
    static std::unique_ptr<A[]> copyOf(const std::unique_ptr<A[]> &source, size_t n);
};

template <typename T>
template <typename A>
std::unique_ptr<A[]> ImageProcessT<T>::copyOf(const std::unique_ptr<A[]> &source, size_t n)
{
    if (!source)
        return nullptr;
    std::unique_ptr<A[]> copy(new A[n]);
    std::copy(source.get(), source.get() + n, copy.get());
    return copy;
}

template <typename T>
void ImageProcessT<T>::fillFrom(const QImage &rgb32)
{
    const size_t n = count();
    m_red.reset(new T[n]);
    m_green.reset(new T[n]);
    m_blue.reset(new T[n]);
    m_alpha.reset(new T[n]);
    const size_t available = size_t(std::max(0, rgb32.width())) * size_t(std::max(0, rgb32.height()));
    const size_t filled = std::min(n, available);
    const int rowLength = rgb32.width();
    for (size_t row = 0, i = 0; i < filled; ++row) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb32.constScanLine(int(row)));
        const size_t end = std::min(filled, i + size_t(rowLength));
        for (int x = 0; i < end; ++i, ++x) {
            const QRgb p = line[x];
            m_blue[i] = T(p & 0xff);
            m_green[i] = T((p >> 8) & 0xff);
            m_red[i] = T((p >> 16) & 0xff);
            m_alpha[i] = T(p >> 24);
        }
    }
    std::fill(m_red.get() + filled, m_red.get() + n, T(0));
    std::fill(m_green.get() + filled, m_green.get() + n, T(0));
    std::fill(m_blue.get() + filled, m_blue.get() + n, T(0));
    std::fill(m_alpha.get() + filled, m_alpha.get() + n, T(0));
}

template <typename T>
ImageProcessT<T>::ImageProcessT(const char *path)
{
    const QImage image = QImage(QString::fromLocal8Bit(path)).convertToFormat(QImage::Format_RGB32);
    m_width = unsigned(std::max(0, image.width()));
    m_height = unsigned(std::max(0, image.height()));
    fillFrom(image);
}

template <typename T>
ImageProcessT<T>::ImageProcessT(const int &depth, const int &width, const int &height, const int &fill)
{
    m_depth = static_cast<signed char>(depth);
    m_width = unsigned(std::max(0, width));
    m_height = unsigned(std::max(0, height));
    const size_t n = count();
    if (depth == 1) {
        T value;
        if constexpr (std::is_same_v<T, unsigned char>)
            value = T(unsigned(fill) * 255u);
        else
            value = T(fill) * T(255);
        m_red.reset(new T[n]);
        std::fill(m_red.get(), m_red.get() + n, value);
    } else if (depth == 8) {
        T value;
        if constexpr (std::is_same_v<T, unsigned char>)
            value = T(fill & 0xff);
        else
            value = T(fill);
        m_red.reset(new T[n]);
        std::fill(m_red.get(), m_red.get() + n, value);
        m_redTable.reset(new unsigned char[256]);
        m_greenTable.reset(new unsigned char[256]);
        m_blueTable.reset(new unsigned char[256]);
        for (int i = 0; i < 256; ++i)
            m_redTable[i] = m_greenTable[i] = m_blueTable[i] = static_cast<unsigned char>(i);
    } else {
        m_red.reset(new T[n]);
        m_green.reset(new T[n]);
        m_blue.reset(new T[n]);
        std::fill(m_red.get(), m_red.get() + n, T((fill >> 16) & 0xff));
        std::fill(m_green.get(), m_green.get() + n, T((fill >> 8) & 0xff));
        std::fill(m_blue.get(), m_blue.get() + n, T(fill & 0xff));
    }
}

template <typename T>
ImageProcessT<T>::ImageProcessT(const QImage &image)
{
    m_kept = image.convertToFormat(QImage::Format_RGB32);
    m_width = unsigned(std::max(0, m_kept.width()));
    m_height = unsigned(std::max(0, m_kept.height()));
    fillFrom(m_kept);
}

template <typename T>
ImageProcessT<T>::ImageProcessT(const ImageProcessT &other)
    : GraphX(other)
    , m_width(other.m_width)
    , m_height(other.m_height)
    , m_hookFirst(other.m_hookFirst)
    , m_hookSecond(other.m_hookSecond)
    , m_depth(other.m_depth)
    , m_grey(other.m_grey)
    , m_maximum(other.m_maximum)
    , m_minimum(other.m_minimum)
{
    const size_t n = count();
    m_red = copyOf(other.m_red, n);
    m_green = copyOf(other.m_green, n);
    m_blue = copyOf(other.m_blue, n);
    m_alpha = copyOf(other.m_alpha, n);
    m_redTable = copyOf(other.m_redTable, 256);
    m_greenTable = copyOf(other.m_greenTable, 256);
    m_blueTable = copyOf(other.m_blueTable, 256);
    m_spareTable = copyOf(other.m_spareTable, 256);
}

template <typename T>
void ImageProcessT<T>::setPixel(int x, int y, int value)
{
    if (unsigned(x) >= m_width || unsigned(y) >= m_height)
        return;
    const size_t i = size_t(x) + size_t(y) * m_width;
    if (m_depth == 8) {
        m_red[i] = T(value & 0xff);
    } else if (m_depth == 24) {
        m_red[i] = T((value >> 16) & 0xff);
        m_green[i] = T((value >> 8) & 0xff);
        m_blue[i] = T(value & 0xff);
    } else if (m_depth == 1) {
        if constexpr (std::is_same_v<T, unsigned char>)
            m_red[i] = T(unsigned(value) * 255u);
        else
            m_red[i] = T(value) * T(255);
    }
}

template <typename T>
int ImageProcessT<T>::pixel(int x, int y) const
{
    if (unsigned(x) >= m_width || unsigned(y) >= m_height)
        return 0;
    const size_t i = size_t(x) + size_t(y) * m_width;
    if constexpr (std::is_same_v<T, unsigned char>) {
        if (m_depth == 24)
            return m_red[i] << 16 | m_green[i] << 8 | m_blue[i];
        if (m_depth == 1)
            return m_red[i] >> 7;
        return m_red[i];
    } else {
        // Values beyond the int range saturate rather than overflow the conversion.
        const auto truncated = [](T v) {
            if (!(v > T(INT_MIN)))
                return v != v ? 0 : INT_MIN;
            return v < T(INT_MAX) ? int(v) : INT_MAX;
        };
        if (m_depth == 24)
            return (truncated(m_red[i]) & 0xff) << 16 | (truncated(m_green[i]) & 0xff) << 8
                | (truncated(m_blue[i]) & 0xff);
        if (m_depth == 1)
            return m_red[i] >= T(128) ? 1 : 0;
        return truncated(m_red[i]);
    }
}

template <typename T>
void ImageProcessT<T>::dispatchHooks()
{
    int first = m_hookFirst;
    int second = m_hookSecond;
    hookPair(first, second);
}

template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::addBrightness(const int &delta);
template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::threshold(const int &level);
template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::applyTable(const unsigned char *table);
template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::histogram(int counts[256], const unsigned char *plane);
template <>
QImage ImageProcessT<unsigned char>::toImage() const;

} // namespace MGraphX
