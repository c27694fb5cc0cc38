#include "MGraphX/ColorMatrix.h"

#include "MGraphX/ImageFilters.h"

#include <cmath>
#include <utility>

namespace MGraphX {

ColorMatrix::ColorMatrix(QObject *parent)
    : QObject(parent)
{
    reset();
}

ColorMatrix::ColorMatrix(const ColorMatrix &other)
    : QObject(nullptr)
{
    reset();
    assign(other);
}

ColorMatrix::~ColorMatrix() = default;

void ColorMatrix::assign(const ColorMatrix &other)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m_matrix[i][j] = other.m_matrix[i][j];
}

void ColorMatrix::reset()
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m_matrix[i][j] = i == j ? 1.0f : 0.0f;
}

void ColorMatrix::setSaturation(float s)
{
    const float a = (1.0f - s) / 3.0f;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m_matrix[i][j] = i == j ? s + a : a;
}

void ColorMatrix::setDiagonal(float r, float g, float b, float a)
{
    m_matrix[0][0] = r;
    m_matrix[1][1] = g;
    m_matrix[2][2] = b;
    m_matrix[3][3] = a;
}

void ColorMatrix::setBrightness(float x)
{
    m_matrix[0][0] = m_matrix[1][1] = m_matrix[2][2] = x;
}

void ColorMatrix::setAverageGray()
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m_matrix[i][j] = 1.0f / 3.0f;
}

void ColorMatrix::setLuminanceGray()
{
    for (int j = 0; j < 3; ++j) {
        m_matrix[0][j] = 0.3086f;
        m_matrix[1][j] = 0.6094f;
        m_matrix[2][j] = 0.082f;
    }
}

void ColorMatrix::swapColumns(int first, int second)
{
    for (int i = 0; i < 3; ++i)
        std::swap(m_matrix[i][first], m_matrix[i][second]);
}

void ColorMatrix::swapRedGreen()
{
    swapColumns(0, 1);
}

void ColorMatrix::swapRedBlue()
{
    swapColumns(0, 2);
}

void ColorMatrix::swapGreenBlue()
{
    swapColumns(1, 2);
}

void ColorMatrix::setTint(float r, float g, float b, float alpha)
{
    float t = std::ceil(r) + std::ceil(g) + std::ceil(b);
    if (!(t > 0.0f))
        t = 1.0f;
    for (int i = 0; i < 3; ++i) {
        m_matrix[i][0] = r / t;
        m_matrix[i][1] = g / t;
        m_matrix[i][2] = b / t;
        m_matrix[i][3] = 0.0f;
    }
    m_matrix[3][0] = m_matrix[3][1] = m_matrix[3][2] = 0.0f;
    m_matrix[3][3] = alpha;
}

void ColorMatrix::setAlphaFromChannels()
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m_matrix[i][j] = j == 3 ? 1.0f : 0.0f;
}

QRgb ColorMatrix::map(int r, int g, int b, int a) const
{
    int out[4];
    for (int j = 0; j < 4; ++j) {
        const long double v = (long double)r * m_matrix[0][j] + (long double)g * m_matrix[1][j]
            + (long double)b * m_matrix[2][j] + (long double)a * m_matrix[3][j];
        // Clamped before the truncation so that neither infinity nor NaN reaches the conversion.
        out[j] = v > 255.0L ? 255 : (v >= 0.0L ? int(v) : 0);
    }
    return QRgb(out[3]) << 24 | QRgb(out[0]) << 16 | QRgb(out[1]) << 8 | QRgb(out[2]);
}

QImage ColorMatrix::apply(const QImage &image) const
{
    QImage result = as32Bit(image);
    for (int y = 0; y < result.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb p = line[x];
            line[x] = map(qRed(p), qGreen(p), qBlue(p), qAlpha(p));
        }
    }
    return result;
}

} // namespace MGraphX
