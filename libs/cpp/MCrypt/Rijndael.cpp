#include "MCrypt/Rijndael.h"

#include "MTools/FileWriting.h"

#include <QDebug>

#include <cstdio>
#include <cstring>

namespace {

struct Tables
{
    quint8 inverse[256];
    quint8 sbox[256];
    quint8 inverseSbox[256];
    quint32 roundConstants[64];
    // Round lookups: SubBytes and MixColumns (or their inverses) for one input row, big-endian columns.
    quint32 encryptRound[4][256];
    quint32 decryptRound[4][256];
    bool fieldCorrect;
};

quint8 gf2_8_mult(quint8 a, quint8 b)
{
    quint8 product = 0;
    while (b) {
        if (b & 1)
            product ^= a;
        a = quint8((a << 1) ^ ((a & 0x80) ? 0x1B : 0));
        b >>= 1;
    }
    return product;
}

quint8 rotateByte(quint8 value, int bits)
{
    return quint8((value << bits) | (value >> (8 - bits)));
}

quint32 rotateRight(quint32 word, int bits)
{
    return (word >> bits) | (word << (32 - bits));
}

// The tables as the cipher's definition gives them: inverses by search, the affine map, powers of x.
void computeTables(Tables &t)
{
    t.fieldCorrect = gf2_8_mult(0x57, 0x13) == 0xFE && gf2_8_mult(0xFF, 0x55) == 0xF8;
    Q_ASSERT(t.fieldCorrect);

    t.inverse[0] = 0;
    for (int value = 1; value < 256; ++value) {
        for (int candidate = 1; candidate < 256; ++candidate) {
            if (gf2_8_mult(quint8(value), quint8(candidate)) == 1) {
                t.inverse[value] = quint8(candidate);
                break;
            }
        }
    }
    for (int value = 0; value < 256; ++value) {
        const quint8 b = t.inverse[value];
        t.sbox[value] = quint8(b ^ rotateByte(b, 1) ^ rotateByte(b, 2) ^ rotateByte(b, 3) ^ rotateByte(b, 4) ^ 0x63);
    }
    for (int value = 0; value < 256; ++value) {
        for (int candidate = 0; candidate < 256; ++candidate) {
            if (t.sbox[candidate] == value) {
                t.inverseSbox[value] = quint8(candidate);
                break;
            }
        }
    }
    std::memset(t.roundConstants, 0, sizeof t.roundConstants);
    quint8 power = 1;
    for (int i = 1; i <= 58; ++i) {
        t.roundConstants[i] = power;
        power = gf2_8_mult(power, 2);
    }

    for (int value = 0; value < 256; ++value) {
        const quint8 s = t.sbox[value];
        const quint32 forward = quint32(gf2_8_mult(s, 2)) << 24 | quint32(s) << 16 | quint32(s) << 8
                                | gf2_8_mult(s, 3);
        const quint8 si = t.inverseSbox[value];
        const quint32 backward = quint32(gf2_8_mult(si, 0x0E)) << 24 | quint32(gf2_8_mult(si, 0x09)) << 16
                                 | quint32(gf2_8_mult(si, 0x0D)) << 8 | gf2_8_mult(si, 0x0B);
        for (int row = 0; row < 4; ++row) {
            t.encryptRound[row][value] = row ? rotateRight(forward, 8 * row) : forward;
            t.decryptRound[row][value] = row ? rotateRight(backward, 8 * row) : backward;
        }
    }
}

// Built once, on first use; a function-local static is initialised thread-safely.
const Tables &tables()
{
    static const Tables built = [] {
        Tables t;
        computeTables(t);
        return t;
    }();
    return built;
}

bool tablesEqual(const Tables &a, const Tables &b)
{
    return a.fieldCorrect && b.fieldCorrect
           && std::memcmp(a.inverse, b.inverse, sizeof a.inverse) == 0
           && std::memcmp(a.sbox, b.sbox, sizeof a.sbox) == 0
           && std::memcmp(a.inverseSbox, b.inverseSbox, sizeof a.inverseSbox) == 0
           && std::memcmp(a.roundConstants, b.roundConstants, sizeof a.roundConstants) == 0
           && std::memcmp(a.encryptRound, b.encryptRound, sizeof a.encryptRound) == 0
           && std::memcmp(a.decryptRound, b.decryptRound, sizeof a.decryptRound) == 0;
}

void appendByteSection(QByteArray &text, const char *name, const quint8 *bytes)
{
    text += name;
    text += '\n';
    char entry[8];
    for (int i = 0; i < 256; ++i) {
        std::snprintf(entry, sizeof entry, "0x%02x,", bytes[i]);
        text += entry;
        if ((i + 1) % 16 == 0)
            text += '\n';
    }
}

void dumpTables(const Tables &t)
{
    QByteArray text;
    appendByteSection(text, "gf2_8_inv", t.inverse);
    text += "\n\n";
    appendByteSection(text, "byte_sub", t.sbox);
    text += "\n\n";
    appendByteSection(text, "inv_byte_sub", t.inverseSbox);
    text += "\n\nRCon\n";
    char entry[16];
    for (int i = 0; i < 60; ++i) {
        std::snprintf(entry, sizeof entry, "0x%08x,", t.roundConstants[i]);
        text += entry;
        if ((i + 1) % 8 == 0)
            text += '\n';
    }
    // The caller's result says whether the tables are correct, not whether the dump was written.
    QString error;
    if (!MTools::writeFileSafely(QStringLiteral("Tables.dat"), text, &error))
        qDebug() << "Tables.dat could not be written:" << error;
}

quint32 loadWord(const unsigned char *bytes)
{
    return quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 | bytes[3];
}

void storeWord(quint32 word, unsigned char *bytes)
{
    bytes[0] = quint8(word >> 24);
    bytes[1] = quint8(word >> 16);
    bytes[2] = quint8(word >> 8);
    bytes[3] = quint8(word);
}

quint8 rowByte(quint32 word, int row)
{
    return quint8(word >> (24 - 8 * row));
}

quint32 subWord(const Tables &t, quint32 word)
{
    return quint32(t.sbox[word >> 24]) << 24 | quint32(t.sbox[(word >> 16) & 0xFF]) << 16
           | quint32(t.sbox[(word >> 8) & 0xFF]) << 8 | t.sbox[word & 0xFF];
}

void writeHex(const unsigned char *bytes, int count)
{
    for (int i = 0; i < count; ++i) {
        std::fprintf(stderr, "%02x ", bytes[i]);
        if ((i + 1) % 16 == 0)
            std::fputc('\n', stderr);
    }
    if (count % 16)
        std::fputc('\n', stderr);
}

// Compares one traced state and reports a difference; the cipher goes on either way.
void traceState(int round, const unsigned char *state, const unsigned char *expected, int blockBytes)
{
    if (std::memcmp(state, expected, size_t(blockBytes)) == 0)
        return;
    std::fprintf(stderr, "State %d failed:\n", round);
    std::fputs("State     : ", stderr);
    writeHex(state, blockBytes);
    std::fputs("Should be : ", stderr);
    writeHex(expected, blockBytes);
    std::fflush(stderr);
}

// Row k of the state rotates left by C_k: 1, 2, 3 for 128- and 192-bit blocks, 1, 3, 4 for 256-bit ones.
template<int Nb>
constexpr int shiftOf(int row)
{
    return row == 0 ? 0 : (Nb == 8 && row > 1 ? row + 1 : row);
}

template<int Nb>
void encryptBlock(const Tables &t, const quint32 *keys, int rounds, const unsigned char *in, unsigned char *out,
                  const unsigned char *expected)
{
    quint32 state[Nb];
    quint32 next[Nb];
    for (int c = 0; c < Nb; ++c)
        state[c] = loadWord(in + 4 * c) ^ keys[c];
    for (int r = 1; r < rounds; ++r) {
        const quint32 *roundKey = keys + r * Nb;
        for (int c = 0; c < Nb; ++c) {
            next[c] = t.encryptRound[0][state[c] >> 24]
                      ^ t.encryptRound[1][(state[(c + shiftOf<Nb>(1)) % Nb] >> 16) & 0xFF]
                      ^ t.encryptRound[2][(state[(c + shiftOf<Nb>(2)) % Nb] >> 8) & 0xFF]
                      ^ t.encryptRound[3][state[(c + shiftOf<Nb>(3)) % Nb] & 0xFF] ^ roundKey[c];
        }
        std::memcpy(state, next, sizeof state);
        if (expected) {
            unsigned char bytes[4 * Nb];
            for (int c = 0; c < Nb; ++c)
                storeWord(state[c], bytes + 4 * c);
            traceState(r, bytes, expected + (r - 1) * 4 * Nb, 4 * Nb);
        }
    }
    const quint32 *lastKey = keys + rounds * Nb;
    for (int c = 0; c < Nb; ++c) {
        for (int row = 0; row < 4; ++row)
            out[4 * c + row] = t.sbox[rowByte(state[(c + shiftOf<Nb>(row)) % Nb], row)] ^ rowByte(lastKey[c], row);
    }
}

// Inverse ShiftRows then inverse SubBytes of a state, into bytes.
template<int Nb>
void inverseShiftSub(const Tables &t, const quint32 *state, unsigned char *bytes)
{
    for (int c = 0; c < Nb; ++c) {
        for (int row = 0; row < 4; ++row)
            bytes[4 * c + row] = t.inverseSbox[rowByte(state[(c + Nb - shiftOf<Nb>(row)) % Nb], row)];
    }
}

// The equivalent inverse cipher: the inner round keys went through InvMixColumns, so each inner round is one
// table lookup per byte. The traced state is the standard decryption's, recovered from it.
template<int Nb>
void decryptBlock(const Tables &t, const quint32 *encryptKeys, const quint32 *decryptKeys, int rounds,
                  const unsigned char *in, unsigned char *out, const unsigned char *expected)
{
    quint32 state[Nb];
    quint32 next[Nb];
    const quint32 *lastKey = encryptKeys + rounds * Nb;
    for (int c = 0; c < Nb; ++c)
        state[c] = loadWord(in + 4 * c) ^ lastKey[c];
    for (int r = rounds - 1; r >= 1; --r) {
        if (expected) {
            unsigned char bytes[4 * Nb];
            inverseShiftSub<Nb>(t, state, bytes);
            traceState(r, bytes, expected + (r - 1) * 4 * Nb, 4 * Nb);
        }
        const quint32 *roundKey = decryptKeys + r * Nb;
        for (int c = 0; c < Nb; ++c) {
            next[c] = t.decryptRound[0][state[c] >> 24]
                      ^ t.decryptRound[1][(state[(c + Nb - shiftOf<Nb>(1)) % Nb] >> 16) & 0xFF]
                      ^ t.decryptRound[2][(state[(c + Nb - shiftOf<Nb>(2)) % Nb] >> 8) & 0xFF]
                      ^ t.decryptRound[3][state[(c + Nb - shiftOf<Nb>(3)) % Nb] & 0xFF] ^ roundKey[c];
        }
        std::memcpy(state, next, sizeof state);
    }
    inverseShiftSub<Nb>(t, state, out);
    for (int c = 0; c < Nb; ++c) {
        for (int row = 0; row < 4; ++row)
            out[4 * c + row] ^= rowByte(encryptKeys[c], row);
    }
}

int roundsFor(int blockWords, int keyWords)
{
    if (blockWords == 8 || keyWords == 8)
        return 14;
    if (blockWords == 6 || keyWords == 6)
        return 12;
    return 10;
}

bool supportedBits(int bits)
{
    return bits == 128 || bits == 192 || bits == 256;
}

} // namespace

bool Rijndael::setup(int keyBits, int blockBits)
{
    m_blockWords = m_keyWords = m_rounds = 0;
    m_keyReady = false;
    if (!supportedBits(keyBits) || !supportedBits(blockBits))
        return false;
    m_keyWords = keyBits / 32;
    m_blockWords = blockBits / 32;
    m_rounds = roundsFor(m_blockWords, m_keyWords);
    return true;
}

bool Rijndael::makeKey(const unsigned char *key)
{
    return expandKey(key);
}

bool Rijndael::makeDecryptKey(const unsigned char *key)
{
    return expandKey(key);
}

bool Rijndael::expandKey(const unsigned char *key)
{
    m_keyReady = false;
    if (m_keyWords <= 0 || !key)
        return false;
    const Tables &t = tables();
    const int words = (m_rounds + 1) * m_blockWords;
    for (int i = 0; i < m_keyWords; ++i)
        m_encryptKeys[i] = loadWord(key + 4 * i);
    for (int i = m_keyWords; i < words; ++i) {
        quint32 temp = m_encryptKeys[i - 1];
        if (i % m_keyWords == 0)
            temp = subWord(t, (temp << 8) | (temp >> 24)) ^ (t.roundConstants[i / m_keyWords] << 24);
        else if (m_keyWords > 6 && i % m_keyWords == 4)
            temp = subWord(t, temp);
        m_encryptKeys[i] = m_encryptKeys[i - m_keyWords] ^ temp;
    }
    // InvMixColumns of a word: the decryption lookup of its S-box image undoes the inverse S-box.
    for (int i = 0; i < words; ++i) {
        const quint32 w = m_encryptKeys[i];
        const bool inner = i >= m_blockWords && i < m_rounds * m_blockWords;
        m_decryptKeys[i] = inner ? t.decryptRound[0][t.sbox[w >> 24]] ^ t.decryptRound[1][t.sbox[(w >> 16) & 0xFF]]
                                       ^ t.decryptRound[2][t.sbox[(w >> 8) & 0xFF]] ^ t.decryptRound[3][t.sbox[w & 0xFF]]
                                 : w;
    }
    m_keyReady = true;
    return true;
}

bool Rijndael::encrypt(const unsigned char *in, unsigned char *out, const unsigned char *expected)
{
    if (!m_keyReady || !in || !out)
        return false;
    const Tables &t = tables();
    switch (m_blockWords) {
    case 4: encryptBlock<4>(t, m_encryptKeys, m_rounds, in, out, expected); break;
    case 6: encryptBlock<6>(t, m_encryptKeys, m_rounds, in, out, expected); break;
    case 8: encryptBlock<8>(t, m_encryptKeys, m_rounds, in, out, expected); break;
    default: return false;
    }
    return true;
}

bool Rijndael::decrypt(const unsigned char *in, unsigned char *out, const unsigned char *expected)
{
    if (!m_keyReady || !in || !out)
        return false;
    const Tables &t = tables();
    switch (m_blockWords) {
    case 4: decryptBlock<4>(t, m_encryptKeys, m_decryptKeys, m_rounds, in, out, expected); break;
    case 6: decryptBlock<6>(t, m_encryptKeys, m_decryptKeys, m_rounds, in, out, expected); break;
    case 8: decryptBlock<8>(t, m_encryptKeys, m_decryptKeys, m_rounds, in, out, expected); break;
    default: return false;
    }
    return true;
}

bool Rijndael::initTables(bool create, bool dump)
{
    const Tables &present = tables();
    bool correct = present.fieldCorrect;
    if (!create) {
        // Checking is rare and slow (a few milliseconds): compute every table afresh and compare.
        Tables fresh;
        computeTables(fresh);
        correct = tablesEqual(present, fresh);
    }
    if (dump)
        dumpTables(present);
    return correct;
}
