#pragma once

#include <vector>

namespace MTools {

// Radix-2 complex FFT of n = 2^bits points (bits 0..15), in place, decimation in time.
// Forward: X_k = (1/n) Σ x_j e^(-2πi·jk/n); inverse: x_j = Σ X_k e^(+2πi·jk/n).
class MFft
{
public:
    explicit MFft(int bits);
    virtual ~MFft();

    int bits() const { return m_bits; }
    // Arrays of 2^bits values; with bits outside 0..15 they are left as they are.
    void transform(float *re, float *im, bool inverse) const;

private:
    // Entry i is i with its lowest bits in reverse order.
    std::vector<int> m_reversed;
    // cos and sin of 2πk/n for k < n/2, computed once per object.
    std::vector<float> m_cos;
    std::vector<float> m_sin;
    int m_bits;
};

} // namespace MTools
