#include "MGraphX/ImageProcessT.h"

#include "MGraphX/ImageProcess.h"

#include <typeinfo>

namespace MGraphX {

namespace {

// Adds delta to n values, limited to minimum .. maximum. The delta is limited first: beyond
// ±1024 every byte saturates anyway, and the sum can then not overflow.
void addClamped(unsigned char *values, size_t n, int delta, int minimum, int maximum)
{
    delta = std::clamp(delta, -1024, 1024);
    for (size_t i = 0; i < n; ++i) {
        const int v = values[i] + delta;
        values[i] = static_cast<unsigned char>(v > maximum ? maximum : (v < minimum ? minimum : v));
    }
}

} // namespace

template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::addBrightness(const int &delta)
{
    const size_t n = count();
    if (m_grey || m_depth != 8) {
        if (m_red)
            addClamped(m_red.get(), n, delta, m_minimum, m_maximum);
        if (m_green) {
            addClamped(m_green.get(), n, delta, m_minimum, m_maximum);
            addClamped(m_blue.get(), n, delta, m_minimum, m_maximum);
        }
    } else if (m_redTable) {
        // An indexed image brightens its palette; the indices stay.
        addClamped(m_redTable.get(), 256, delta, m_minimum, m_maximum);
        addClamped(m_greenTable.get(), 256, delta, m_minimum, m_maximum);
        addClamped(m_blueTable.get(), 256, delta, m_minimum, m_maximum);
    }
    if (m_depth == 1)
        threshold(127);
    return *this;
}

template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::threshold(const int &level)
{
    const size_t n = count();
    const auto binarise = [&](unsigned char v) {
        return static_cast<unsigned char>(v >= level ? m_maximum : m_minimum);
    };
    if (!m_grey) {
        if (m_depth == 1) {
            for (size_t i = 0; i < n; ++i)
                m_red[i] = binarise(m_red[i]);
            return *this;
        }
        if (m_depth == 8 && m_redTable) {
            for (size_t i = 0; i < n; ++i) {
                const unsigned char p = m_red[i];
                m_red[i] = static_cast<unsigned char>((m_redTable[p] + m_greenTable[p] + m_blueTable[p]) / 3);
            }
            for (int i = 0; i < 256; ++i)
                m_redTable[i] = m_greenTable[i] = m_blueTable[i] = static_cast<unsigned char>(i);
        } else if (m_depth == 24 && m_green) {
            for (size_t i = 0; i < n; ++i) {
                const auto mean = static_cast<unsigned char>((m_red[i] + m_green[i] + m_blue[i]) / 3);
                m_red[i] = m_green[i] = m_blue[i] = mean;
            }
        }
        m_grey = true;
    }
    if (m_depth == 24 && m_green) {
        for (size_t i = 0; i < n; ++i)
            m_red[i] = m_green[i] = m_blue[i] = binarise(m_red[i]);
    } else if (m_red) {
        for (size_t i = 0; i < n; ++i)
            m_red[i] = binarise(m_red[i]);
    }
    return *this;
}

template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::applyTable(const unsigned char *table)
{
    const size_t n = count();
    if (table) {
        for (unsigned char *plane : {m_red.get(), m_green.get(), m_blue.get()}) {
            if (!plane)
                continue;
            for (size_t i = 0; i < n; ++i)
                plane[i] = table[plane[i]];
        }
    }
    if (m_depth == 1 && m_red) {
        for (size_t i = 0; i < n; ++i)
            m_red[i] = static_cast<unsigned char>(m_red[i] > 126 ? m_maximum : m_minimum);
    }
    return *this;
}

template <>
ImageProcessT<unsigned char> &ImageProcessT<unsigned char>::histogram(int counts[256], const unsigned char *plane)
{
    std::fill(counts, counts + 256, 0);
    if (!plane)
        plane = m_red.get();
    if (!plane)
        return *this;
    const size_t n = count();
    for (size_t i = 0; i < n; ++i)
        ++counts[plane[i]];
    return *this;
}

template <>
QImage ImageProcessT<unsigned char>::toImage() const
{
    QImage result(int(m_width), int(m_height), QImage::Format_ARGB32);
    if (result.isNull())
        return result;
    // The planes hold no alpha that survives: the kept copy is RGB32 and so opaque, and its alpha
    // bytes would only repeat the 0xff written here.
    const bool plainPixel = typeid(*this) == typeid(ImageProcessT<unsigned char>) || typeid(*this) == typeid(ImageProcess);
    if (plainPixel && m_depth == 24 && m_green) {
        for (unsigned y = 0; y < m_height; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(int(y)));
            const size_t row = size_t(y) * m_width;
            const unsigned char *red = m_red.get() + row;
            const unsigned char *green = m_green.get() + row;
            const unsigned char *blue = m_blue.get() + row;
            for (unsigned x = 0; x < m_width; ++x)
                line[x] = 0xff000000u | unsigned(red[x]) << 16 | unsigned(green[x]) << 8 | blue[x];
        }
        return result;
    }
    // Through the virtual pixel, so that a subclass's override decides; indices go through the
    // colour tables and mono values become black and white.
    for (unsigned y = 0; y < m_height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(int(y)));
        for (unsigned x = 0; x < m_width; ++x) {
            const int v = pixel(int(x), int(y));
            QRgb colour;
            if (m_depth == 8 && m_redTable) {
                const int p = v & 0xff;
                colour = qRgb(m_redTable[p], m_greenTable[p], m_blueTable[p]);
            } else if (m_depth == 8) {
                colour = qRgb(v & 0xff, v & 0xff, v & 0xff);
            } else if (m_depth == 1) {
                colour = v ? 0xffffffffu : 0xff000000u;
            } else {
                colour = 0xff000000u | (unsigned(v) & 0xffffffu);
            }
            line[x] = colour;
        }
    }
    return result;
}

} // namespace MGraphX
