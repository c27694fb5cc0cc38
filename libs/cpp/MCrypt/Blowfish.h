#pragma once

#include <QtGlobal>

#include <vector>

namespace MCrypt {

// The Blowfish block cipher: 64-bit blocks as two 32-bit halves (left = the block's first four bytes read
// big-endian), 16 rounds, keys of 1 to 56 bytes (longer keys are read cyclically for 72 bytes).
class Blowfish
{
public:
    Blowfish() = default;

    // Runs the key schedule; a missing or empty key is refused (false) and the object keeps what it had.
    bool setKey(const unsigned char *key, int length);
    bool hasKey() const { return !m_sboxes.empty(); }

    // One block in place; false, with the halves untouched, before a successful setKey.
    bool encrypt(quint32 &left, quint32 &right) const;
    bool decrypt(quint32 &left, quint32 &right) const;

private:
    void encryptBlock(quint32 &left, quint32 &right) const;

    quint32 m_p[18] = {};
    // S-boxes 0 to 3, 256 words each; empty until a key is set.
    std::vector<quint32> m_sboxes;
};

} // namespace MCrypt
