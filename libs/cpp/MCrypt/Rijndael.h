#pragma once

#include <QtGlobal>

// The Rijndael block cipher with 128-, 192- or 256-bit blocks and keys chosen independently; with 128-bit
// blocks it is FIPS-197 AES. One object holds one key schedule and is used by one thread at a time.
class Rijndael
{
public:
    Rijndael() = default;

    // Chooses the sizes; false (and an unusable object) for anything but 128, 192 or 256 bits.
    bool setup(int keyBits, int blockBits);
    // Expands keyBits / 8 key bytes. Both entry points make the same schedule; false before a valid setup.
    bool makeKey(const unsigned char *key);
    bool makeDecryptKey(const unsigned char *key);

    // One block of blockBytes(). With `expected`, the state after each inner round is compared with the
    // matching entry (blockBytes() each) and a difference is written to stderr; the result is unaffected.
    // False, with nothing written to `out`, until setup and key have succeeded.
    bool encrypt(const unsigned char *in, unsigned char *out, const unsigned char *expected = nullptr);
    bool decrypt(const unsigned char *in, unsigned char *out, const unsigned char *expected = nullptr);

    // Builds the process-wide tables once (create) or checks them against fresh values (no create);
    // true when they are correct. With dump the tables are also written to "Tables.dat".
    static bool initTables(bool create, bool dump);

    int rounds() const { return m_rounds; }
    int blockBytes() const { return 4 * m_blockWords; }
    int keyBytes() const { return 4 * m_keyWords; }

private:
    bool expandKey(const unsigned char *key);

    static const int maxWords = 8;
    static const int maxRounds = 14;

    int m_blockWords = 0;
    int m_keyWords = 0;
    int m_rounds = 0;
    bool m_keyReady = false;
    // Round keys as big-endian column words (row 0 in the high byte): encryption order, and the same keys
    // passed through InvMixColumns for the inner rounds of the table-driven decryption.
    quint32 m_encryptKeys[(maxRounds + 1) * maxWords] = {};
    quint32 m_decryptKeys[(maxRounds + 1) * maxWords] = {};
};
