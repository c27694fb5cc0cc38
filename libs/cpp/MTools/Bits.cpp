#include "MTools/Bits.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <vector>

namespace MTools {

static int bytesFor(int count)
{
    return (count + 7) / 8;
}

Bits::Bits(int count)
{
    resize(std::max(count, 0));
}

Bits::Bits(const Bits &other)
{
    resize(other.m_count);
    if (m_byteCount > 0)
        std::memcpy(m_bytes, other.m_bytes, size_t(m_byteCount));
}

Bits &Bits::operator=(const Bits &other)
{
    if (&other != this) {
        resize(other.m_count);
        if (m_byteCount > 0)
            std::memcpy(m_bytes, other.m_bytes, size_t(m_byteCount));
    }
    return *this;
}

Bits::~Bits()
{
    delete[] m_bytes;
}

// A zeroed array of count bits.
void Bits::resize(int count)
{
    delete[] m_bytes;
    m_count = count;
    m_byteCount = bytesFor(count);
    m_bytes = new unsigned char[size_t(m_byteCount)]();
}

int Bits::getBit(unsigned position) const
{
    if (position >= unsigned(m_count))
        return -1;
    return (m_bytes[position / 8] >> (position % 8)) & 1;
}

void Bits::setBitQuietly(unsigned position, int value)
{
    const unsigned char mask = static_cast<unsigned char>(1u << (position % 8));
    if (value)
        m_bytes[position / 8] |= mask;
    else
        m_bytes[position / 8] &= static_cast<unsigned char>(~mask);
}

void Bits::setBit(unsigned position, int value)
{
    if (position >= unsigned(m_count)) {
        std::cerr << "Bits::setBit(int,int) Position is out of range" << std::endl;
        return;
    }
    setBitQuietly(position, value);
}

void Bits::setData(const char *bytes)
{
    if (m_byteCount > 0)
        std::memcpy(m_bytes, bytes, size_t(m_byteCount));
}

void Bits::invert()
{
    for (int i = 0; i < m_byteCount; ++i)
        m_bytes[i] = static_cast<unsigned char>(~m_bytes[i]);
}

void Bits::setValue(int value)
{
    const unsigned bits = unsigned(value);
    for (unsigned i = 0; i < 32; ++i)
        setBit(i, int((bits >> i) & 1u));
}

int Bits::getCode(unsigned n) const
{
    if (n < 1 || n > 39 || n > unsigned(m_count)) {
        std::cerr << "Bits::getCode(int) Out Of Range" << std::endl;
        return 0;
    }
    // Only 32 bits fit the result: bits 32..38 are not shifted past it.
    const unsigned used = std::min(n, 32u);
    unsigned code = 0;
    for (unsigned i = 0; i < used; ++i)
        code |= unsigned(getBit(i)) << i;
    return int(code);
}

int Bits::toInt() const
{
    unsigned value = 0;
    for (int i = 0; i < 4 && i < m_byteCount; ++i)
        value |= unsigned(m_bytes[i]) << (8 * i);
    return int(value);
}

// The moves are computed in one sweep from the old bits; k passes of one place each would give the
// same array and the same last bit, but take k times as long.
int Bits::rotateDown(unsigned k)
{
    if (k == 0 || m_count == 0)
        return 0;
    const unsigned count = unsigned(m_count);
    const Bits old(*this);
    const unsigned step = k % count;
    for (unsigned i = 0; i < count; ++i)
        setBitQuietly(i, old.getBit((i + step) % count));
    return old.getBit((k - 1) % count);
}

int Bits::shiftDown(unsigned k)
{
    if (k == 0 || m_count == 0)
        return 0;
    const unsigned count = unsigned(m_count);
    const Bits old(*this);
    for (unsigned i = 0; i < count; ++i)
        setBitQuietly(i, k < count - i ? old.getBit(i + k) : 0);
    return k <= count ? old.getBit(k - 1) : 0;
}

int Bits::rotateUp(unsigned k)
{
    if (k == 0 || m_count == 0)
        return 0;
    const unsigned count = unsigned(m_count);
    const unsigned step = k % count;
    // Pass p lets the bit from position count - p (taken around the ring) leave at the top.
    const int last = getBit((count - step) % count);
    rotateDown(count - step);
    return last;
}

int Bits::shiftUp(unsigned k)
{
    if (k == 0 || m_count == 0)
        return 0;
    const unsigned count = unsigned(m_count);
    const Bits old(*this);
    for (unsigned i = 0; i < count; ++i)
        setBitQuietly(i, i >= k ? old.getBit(i - k) : 0);
    return k <= count ? old.getBit(count - k) : 0;
}

Bits &Bits::removeLow(unsigned k)
{
    const unsigned count = unsigned(m_count);
    const unsigned remaining = k < count ? count - k : 0;
    const Bits old(*this);
    resize(int(remaining));
    for (unsigned i = 0; i < remaining; ++i)
        setBitQuietly(i, old.getBit(i + k));
    return *this;
}

Bits &Bits::append(const Bits &other)
{
    const Bits old(*this);
    const Bits tail(other);
    resize(old.m_count + tail.m_count);
    for (int i = 0; i < old.m_count; ++i)
        setBitQuietly(unsigned(i), old.getBit(unsigned(i)));
    for (int i = 0; i < tail.m_count; ++i)
        setBitQuietly(unsigned(old.m_count + i), tail.getBit(unsigned(i)));
    return *this;
}

void Bits::xorWith(const Bits &other)
{
    for (unsigned i = 0; i < unsigned(m_count); ++i) {
        const int theirs = other.getBit(i);
        if (theirs >= 0)
            setBitQuietly(i, getBit(i) ^ theirs);
    }
}

void Bits::andWith(const Bits &other)
{
    for (unsigned i = 0; i < unsigned(m_count); ++i) {
        const int theirs = other.getBit(i);
        setBitQuietly(i, theirs >= 0 ? (getBit(i) & theirs) : 0);
    }
}

void Bits::orWith(const Bits &other)
{
    for (unsigned i = 0; i < unsigned(m_count); ++i) {
        const int theirs = other.getBit(i);
        if (theirs >= 0)
            setBitQuietly(i, getBit(i) | theirs);
    }
}

void Bits::print(std::ostream &stream) const
{
    for (int i = m_count - 1; i >= 0; --i)
        stream.put(getBit(unsigned(i)) ? '1' : '0');
}

void Bits::printLine() const
{
    for (int i = 0; i < m_count; ++i)
        std::cout.put(getBit(unsigned(i)) ? '1' : '0');
    std::cout << std::endl;
}

} // namespace MTools
