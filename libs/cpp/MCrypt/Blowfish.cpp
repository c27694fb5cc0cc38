#include "MCrypt/Blowfish.h"

#include "MCrypt/BlowfishTables.h"

#include <cstring>

namespace MCrypt {

namespace {

inline quint32 feistel(const quint32 *s, quint32 x)
{
    return ((s[x >> 24] + s[256 + ((x >> 16) & 0xFF)]) ^ s[512 + ((x >> 8) & 0xFF)]) + s[768 + (x & 0xFF)];
}

} // namespace

bool Blowfish::setKey(const unsigned char *key, int length)
{
    if (!key || length <= 0)
        return false;
    std::memcpy(m_p, blowfishInitialP, sizeof m_p);
    m_sboxes.assign(&blowfishInitialS[0][0], &blowfishInitialS[0][0] + 4 * 256);

    int next = 0;
    for (quint32 &word : m_p) {
        quint32 keyWord = 0;
        for (int i = 0; i < 4; ++i) {
            keyWord = (keyWord << 8) | key[next];
            next = (next + 1) % length;
        }
        word ^= keyWord;
    }

    quint32 left = 0;
    quint32 right = 0;
    for (int i = 0; i < 18; i += 2) {
        encryptBlock(left, right);
        m_p[i] = left;
        m_p[i + 1] = right;
    }
    for (size_t i = 0; i < m_sboxes.size(); i += 2) {
        encryptBlock(left, right);
        m_sboxes[i] = left;
        m_sboxes[i + 1] = right;
    }
    return true;
}

void Blowfish::encryptBlock(quint32 &left, quint32 &right) const
{
    const quint32 *s = m_sboxes.data();
    quint32 l = left;
    quint32 r = right;
    // Two rounds per step, so the halves change roles without a swap.
    for (int i = 0; i < 16; i += 2) {
        l ^= m_p[i];
        r ^= feistel(s, l);
        r ^= m_p[i + 1];
        l ^= feistel(s, r);
    }
    left = r ^ m_p[17];
    right = l ^ m_p[16];
}

bool Blowfish::encrypt(quint32 &left, quint32 &right) const
{
    if (!hasKey())
        return false;
    encryptBlock(left, right);
    return true;
}

bool Blowfish::decrypt(quint32 &left, quint32 &right) const
{
    if (!hasKey())
        return false;
    const quint32 *s = m_sboxes.data();
    quint32 l = left;
    quint32 r = right;
    for (int i = 17; i > 1; i -= 2) {
        l ^= m_p[i];
        r ^= feistel(s, l);
        r ^= m_p[i - 1];
        l ^= feistel(s, r);
    }
    left = r ^ m_p[0];
    right = l ^ m_p[1];
    return true;
}

} // namespace MCrypt
