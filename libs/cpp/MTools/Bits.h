#pragma once

#include <iosfwd>

namespace MTools {

// A fixed number of bits stored eight to a byte: bit i is bit (i mod 8) of byte i / 8, so bit 0 is the
// least significant bit of the first byte. The bits of the last byte above count are spare bits.
class Bits
{
public:
    explicit Bits(int count);
    Bits(const Bits &other);
    Bits &operator=(const Bits &other);
    virtual ~Bits();

    int count() const { return m_count; }
    int byteCount() const { return m_byteCount; }

    // 0 or 1; -1 for a position not below count.
    int getBit(unsigned position) const;
    // Out of range: a message on standard error, no change.
    void setBit(unsigned position, int value);
    // Copies byteCount bytes as they stand, spare bits included.
    void setData(const char *bytes);
    // Flips every bit, spare bits included.
    void invert();
    // Bits 0..31 take the value's bits through setBit.
    void setValue(int value);
    // The low n bits (1..39, at most count) as a number; for n above 32 the low 32 of them.
    int getCode(unsigned n) const;
    // The first four bytes, little-endian, spare bits included.
    int toInt() const;

    // The moves return the bit that left the array last (0 when k is 0 or the array is empty);
    // k may exceed the count.
    int rotateDown(unsigned k);
    int shiftDown(unsigned k);
    int rotateUp(unsigned k);
    int shiftUp(unsigned k);
    // Drops the k lowest bits; k above the count leaves an empty array.
    Bits &removeLow(unsigned k);
    // The other array's bits follow above this array's.
    Bits &append(const Bits &other);

    // Positions the other array lacks: unchanged for xor and or, cleared for and.
    void xorWith(const Bits &other);
    void andWith(const Bits &other);
    void orWith(const Bits &other);

    // Highest position first, no line end.
    void print(std::ostream &stream) const;
    // Lowest position first on standard output, then a line end and a flush.
    void printLine() const;

private:
    void resize(int count);
    void setBitQuietly(unsigned position, int value);

    unsigned char *m_bytes = nullptr;
    int m_count = 0;
    int m_byteCount = 0;
};

} // namespace MTools
