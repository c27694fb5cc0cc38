#include "MTools/MFft.h"

#include <cmath>
#include <utility>

namespace MTools {

static const int largestBits = 15;

MFft::MFft(int bits)
    : m_bits(bits)
{
    if (bits < 0 || bits > largestBits)
        return;
    const int n = 1 << bits;
    m_reversed.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        int reversed = 0;
        for (int b = 0; b < bits; ++b) {
            if (i & (1 << b))
                reversed |= 1 << (bits - 1 - b);
        }
        m_reversed[size_t(i)] = reversed;
    }
    m_cos.resize(size_t(n / 2 + 1));
    m_sin.resize(size_t(n / 2 + 1));
    for (int k = 0; k <= n / 2; ++k) {
        const double theta = 2 * M_PI * k / n;
        m_cos[size_t(k)] = float(std::cos(theta));
        m_sin[size_t(k)] = float(std::sin(theta));
    }
}

MFft::~MFft() = default;

void MFft::transform(float *re, float *im, bool inverse) const
{
    if (m_bits < 0 || m_bits > largestBits)
        return;
    const int n = 1 << m_bits;
    for (int half = n / 2; half >= 1; half /= 2) {
        for (int start = 0; start < n; start += 2 * half) {
            // Every butterfly of a block turns by the same angle, table[start / half] · 2π / n.
            const int angle = m_reversed[size_t(start / half)];
            const float c = m_cos[size_t(angle)];
            const float s = inverse ? -m_sin[size_t(angle)] : m_sin[size_t(angle)];
            for (int p = start; p < start + half; ++p) {
                const int q = p + half;
                const float t = c * re[q] + s * im[q];
                const float u = c * im[q] - s * re[q];
                re[q] = re[p] - t;
                im[q] = im[p] - u;
                re[p] += t;
                im[p] += u;
            }
        }
    }
    for (int j = 0; j < n; ++j) {
        const int k = m_reversed[size_t(j)];
        if (j < k) {
            std::swap(re[j], re[k]);
            std::swap(im[j], im[k]);
        }
    }
    if (!inverse) {
        const float scale = 1.0f / float(n);
        for (int i = 0; i < n; ++i) {
            re[i] *= scale;
            im[i] *= scale;
        }
    }
}

} // namespace MTools
