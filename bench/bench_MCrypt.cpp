// Times the ciphers of MCrypt beside OpenSSL's libcrypto in the same run; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows. OpenSSL runs without its hardware and vector paths
// (OPENSSL_ia32cap, read when libcrypto loads, so the program re-executes itself with it set).
#include "BenchRow.h"
#include "BenchTiming.h"
#include "MCrypt/Blowfish.h"
#include "MCrypt/MCrypt.h"
#include "MCrypt/Rijndael.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtEndian>

// The low-level Blowfish calls are deprecated in OpenSSL 3 but are the anchor these figures name.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unistd.h>

static const int byteCount = 16 * 1024 * 1024;
static const int repetitions = 5;
static const char *const plainCapabilities = "~0x200020200000000";

static double bestSeconds(const std::function<void()> &work, int runs = repetitions)
{
    return bestMilliseconds(runs, work) / 1e3;
}

static void row(const char *measure, double value, const char *unit, const char *goal)
{
    printRow(QLatin1String(measure), value, unit, QLatin1String(goal), 3);
}

static double mibPerSecond(double seconds)
{
    return byteCount / (1024.0 * 1024.0) / seconds;
}

static double openSslEcb(const EVP_CIPHER *cipher, const unsigned char *key, const QByteArray &in, QByteArray &out)
{
    EVP_CIPHER_CTX *context = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(context, cipher, nullptr, key, nullptr);
    EVP_CIPHER_CTX_set_padding(context, 0);
    const double seconds = bestSeconds([&] {
        int written = 0;
        EVP_EncryptUpdate(context, reinterpret_cast<unsigned char *>(out.data()), &written,
                          reinterpret_cast<const unsigned char *>(in.constData()), in.size());
    });
    EVP_CIPHER_CTX_free(context);
    return seconds;
}

int main(int argc, char **argv)
{
    if (!std::getenv("OPENSSL_ia32cap")) {
        setenv("OPENSSL_ia32cap", plainCapabilities, 1);
        execv("/proc/self/exe", argv);
        std::perror("bench_MCrypt: re-execute");
        return 1;
    }
    Q_UNUSED(argc);

    QByteArray data(byteCount, Qt::Uninitialized);
    QRandomGenerator generator(1);
    for (char &byte : data)
        byte = char(generator.bounded(256));
    QByteArray ours(byteCount, Qt::Uninitialized);
    QByteArray theirs(byteCount, Qt::Uninitialized);
    unsigned char key[32];
    for (int i = 0; i < 32; ++i)
        key[i] = static_cast<unsigned char>(i * 7 + 1);

    // Rijndael with 128-bit key and block against AES-128-ECB; the outputs must agree.
    Rijndael rijndael;
    rijndael.setup(128, 128);
    rijndael.makeKey(key);
    const double rijndaelSeconds = bestSeconds([&] {
        const unsigned char *in = reinterpret_cast<const unsigned char *>(data.constData());
        unsigned char *out = reinterpret_cast<unsigned char *>(ours.data());
        for (int offset = 0; offset < byteCount; offset += 16)
            rijndael.encrypt(in + offset, out + offset);
    });
    const double aes128Seconds = openSslEcb(EVP_aes_128_ecb(), key, data, theirs);
    if (ours != theirs) {
        std::fprintf(stderr, "bench_MCrypt: Rijndael and AES-128 disagree\n");
        return 1;
    }
    row("Rijndael 128/128 ECB 16 MiB", mibPerSecond(rijndaelSeconds), "MiB/s", "-");
    row("OpenSSL AES-128-ECB 16 MiB", mibPerSecond(aes128Seconds), "MiB/s", "-");
    row("Rijndael / AES-128 speed", aes128Seconds / rijndaelSeconds, "x", ">= 0.25");

    // encryptRijndael (256-bit key and block, whole call) against AES-256-ECB.
    const QString textKey = QStringLiteral("a text key of some length");
    qint64 sink = 0;
    const double textSeconds = bestSeconds([&] { sink += MCrypt::encryptRijndael(textKey, data).size(); });
    const double aes256Seconds = openSslEcb(EVP_aes_256_ecb(), key, data, theirs);
    row("encryptRijndael 16 MiB", mibPerSecond(textSeconds), "MiB/s", "-");
    row("OpenSSL AES-256-ECB 16 MiB", mibPerSecond(aes256Seconds), "MiB/s", "-");
    row("encryptRijndael / AES-256 speed", aes256Seconds / textSeconds, "x", ">= 0.2");

    const QByteArray small = data.left(32);
    const int calls = 20000;
    const double smallSeconds = bestSeconds([&] {
        for (int i = 0; i < calls; ++i)
            sink += MCrypt::encryptRijndael(textKey, small).size();
    }, 3);
    row("encryptRijndael of 32 bytes", smallSeconds / calls * 1e6, "us", "< 20");

    // Blowfish ECB against BF_ecb_encrypt, both from bytes to bytes.
    MCrypt::Blowfish blowfish;
    blowfish.setKey(key, 16);
    const double blowfishSeconds = bestSeconds([&] {
        const char *in = data.constData();
        char *out = ours.data();
        for (int offset = 0; offset < byteCount; offset += 8) {
            quint32 left = qFromBigEndian<quint32>(in + offset);
            quint32 right = qFromBigEndian<quint32>(in + offset + 4);
            blowfish.encrypt(left, right);
            qToBigEndian(left, out + offset);
            qToBigEndian(right, out + offset + 4);
        }
    });
    BF_KEY bfKey;
    BF_set_key(&bfKey, 16, key);
    const double bfSeconds = bestSeconds([&] {
        const unsigned char *in = reinterpret_cast<const unsigned char *>(data.constData());
        unsigned char *out = reinterpret_cast<unsigned char *>(theirs.data());
        for (int offset = 0; offset < byteCount; offset += 8)
            BF_ecb_encrypt(in + offset, out + offset, &bfKey, BF_ENCRYPT);
    });
    if (ours != theirs) {
        std::fprintf(stderr, "bench_MCrypt: Blowfish and BF_ecb_encrypt disagree\n");
        return 1;
    }
    row("Blowfish ECB 16 MiB", mibPerSecond(blowfishSeconds), "MiB/s", "-");
    row("OpenSSL BF_ecb_encrypt 16 MiB", mibPerSecond(bfSeconds), "MiB/s", "-");
    row("Blowfish / BF speed", bfSeconds / blowfishSeconds, "x", ">= 0.7");

    const int setups = 2000;
    const double setKeySeconds = bestSeconds([&] {
        for (int i = 0; i < setups; ++i) {
            key[0] = static_cast<unsigned char>(i);
            blowfish.setKey(key, 16);
        }
    });
    const double bfSetKeySeconds = bestSeconds([&] {
        for (int i = 0; i < setups; ++i) {
            key[0] = static_cast<unsigned char>(i);
            BF_set_key(&bfKey, 16, key);
        }
    });
    row("Blowfish key setup", setKeySeconds / setups * 1e6, "us", "-");
    row("OpenSSL BF_set_key", bfSetKeySeconds / setups * 1e6, "us", "-");
    row("Blowfish / BF_set_key time", setKeySeconds / bfSetKeySeconds, "x", "<= 1.5");
    return sink > 0 ? 0 : 1;
}
