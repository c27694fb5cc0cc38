#include "MCrypt/Rijndael.h"

#include "PseudoRandomBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <thread>
#include <unistd.h>
#include <vector>

class tst_Rijndael : public QObject
{
    Q_OBJECT

private slots:
    void tablesBuiltOnceAcrossThreads();
    void vectors_data();
    void vectors();
    void refusesWithoutSetupOrKey_data();
    void refusesWithoutSetupOrKey();
    void traceReportsOnlyTheWrongState();
    void tablesCheckAndDump();
};

static const unsigned char *bytes(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

// Everything written to stderr while it lives, read back through a temporary file.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(2);
        dup2(m_file.handle(), 2);
    }
    QByteArray finish()
    {
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

// FIPS-197 Appendix B: the state after each of rounds 1 to 9.
static const char *const fipsTrace[] = {
    "a49c7ff2689f352b6b5bea43026a5049", "aa8f5f0361dde3ef82d24ad26832469a", "486c4eee671d9d0d4de3b138d65f58e7",
    "e0927fe8c86363c0d9b1355085b8be01", "f1006f55c1924cef7cc88b325db5d50c", "260e2e173d41b77de86472a9fdd28b25",
    "5a4142b11949dc1fa3e019657a8c040c", "ea835cf00445332d655d98ad8596b0c5", "eb40f21e592e38848ba113e71bc342d2",
};
static const QByteArray fipsKey = QByteArray::fromHex("2b7e151628aed2a6abf7158809cf4f3c");
static const QByteArray fipsInput = QByteArray::fromHex("3243f6a8885a308d313198a2e0370734");
static const QByteArray fipsOutput = QByteArray::fromHex("3925841d02dc09fbdc118597196a0b32");

void tst_Rijndael::tablesBuiltOnceAcrossThreads()
{
    // The first use in this process happens on many threads at once; every one must see finished tables.
    std::vector<std::thread> threads;
    std::vector<int> correct(8, 0);
    for (size_t i = 0; i < correct.size(); ++i) {
        threads.emplace_back([&correct, i] {
            Rijndael cipher;
            unsigned char out[16];
            correct[i] = Rijndael::initTables(true, false) && cipher.setup(128, 128)
                         && cipher.makeKey(bytes(fipsKey)) && cipher.encrypt(bytes(fipsInput), out)
                         && QByteArray(reinterpret_cast<char *>(out), 16) == fipsOutput;
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(correct, std::vector<int>(8, 1));
}

void tst_Rijndael::vectors_data()
{
    QTest::addColumn<int>("keyBits");
    QTest::addColumn<int>("blockBits");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");

    const QByteArray key128 = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
    const QByteArray key192 = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f1011121314151617");
    const QByteArray key256 = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    const QByteArray block128 = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    const QByteArray block192 = block128 + QByteArray::fromHex("1021324354657687");
    const QByteArray block256 = block192 + QByteArray::fromHex("98a9bacbdcedfe0f");

    QTest::newRow("FIPS-197 B, 128-bit key") << 128 << 128 << 10 << fipsKey << fipsInput << fipsOutput;
    QTest::newRow("FIPS-197 C.1, 128-bit key") << 128 << 128 << 10 << key128 << block128
                                               << QByteArray::fromHex("69c4e0d86a7b0430d8cdb78070b4c55a");
    QTest::newRow("FIPS-197 C.2, 192-bit key") << 192 << 128 << 12 << key192 << block128
                                               << QByteArray::fromHex("dda97ca4864cdfe06eaf70a0ec0d7191");
    QTest::newRow("FIPS-197 C.3, 256-bit key") << 256 << 128 << 14 << key256 << block128
                                               << QByteArray::fromHex("8ea2b7ca516745bfeafc49904b496089");
    // Wider blocks: from tests/MCrypt/rijndael_model.py, whose 128-bit rows agree with OpenSSL.
    QTest::newRow("192-bit block, 128-bit key")
        << 128 << 192 << 12 << key128 << block192
        << QByteArray::fromHex("e64018d211d8349b350f38893d7d23899fece7a9aca7c6ba");
    QTest::newRow("192-bit block, 192-bit key")
        << 192 << 192 << 12 << key192 << block192
        << QByteArray::fromHex("78be2d48f76d71da6966f3a175fb71ad66b70b2076c3cf1d");
    QTest::newRow("192-bit block, 256-bit key")
        << 256 << 192 << 14 << key256 << block192
        << QByteArray::fromHex("65d851df8d04b5cbb510935fdd1eb17b33efb8cb255ee712");
    // 256-bit blocks shift rows by 1, 3 and 4.
    QTest::newRow("256-bit block, 128-bit key")
        << 128 << 256 << 14 << key128 << block256
        << QByteArray::fromHex("98c6f98ba9631b91c34f431e0887c561b6ac44c985cecd38dbc4cb30b9170d2f");
    QTest::newRow("256-bit block, 192-bit key")
        << 192 << 256 << 14 << key192 << block256
        << QByteArray::fromHex("3c386395e910345a59a7dd165dcbda604bf072f0a03a6b0055a79b734e668868");
    QTest::newRow("256-bit block, 256-bit key")
        << 256 << 256 << 14 << key256 << block256
        << QByteArray::fromHex("288fa9d23d00d9dc0a39b33fa92867c6488b5e0f18a6f74c072078ec815462e6");
}

void tst_Rijndael::vectors()
{
    QFETCH(int, keyBits);
    QFETCH(int, blockBits);
    QFETCH(int, rounds);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);

    Rijndael encryptor;
    QVERIFY(encryptor.setup(keyBits, blockBits));
    QCOMPARE(encryptor.rounds(), rounds);
    QCOMPARE(encryptor.blockBytes(), blockBits / 8);
    QVERIFY(encryptor.makeKey(bytes(key)));
    QByteArray out(plain.size(), '\0');
    QVERIFY(encryptor.encrypt(bytes(plain), reinterpret_cast<unsigned char *>(out.data())));
    QCOMPARE(out.toHex(), cipher.toHex());

    Rijndael decryptor;
    QVERIFY(decryptor.setup(keyBits, blockBits));
    QVERIFY(decryptor.makeDecryptKey(bytes(key)));
    QVERIFY(decryptor.decrypt(bytes(cipher), reinterpret_cast<unsigned char *>(out.data())));
    QCOMPARE(out.toHex(), plain.toHex());

    // Any block comes back, also when processed in place.
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QByteArray block = pseudoRandomBytes(blockBits / 8, seed);
        QByteArray work = block;
        unsigned char *data = reinterpret_cast<unsigned char *>(work.data());
        QVERIFY(encryptor.encrypt(data, data));
        QVERIFY(work != block);
        QVERIFY(encryptor.decrypt(data, data));
        QCOMPARE(work, block);
    }
}

void tst_Rijndael::refusesWithoutSetupOrKey_data()
{
    QTest::addColumn<int>("keyBits");
    QTest::addColumn<int>("blockBits");
    QTest::addColumn<bool>("makeKey");
    QTest::newRow("no setup, no key")      << 0 << 0 << false;
    QTest::newRow("100-bit key")           << 100 << 128 << true;
    QTest::newRow("64-bit block")          << 128 << 64 << true;
    QTest::newRow("setup without key")     << 128 << 128 << false;
}

void tst_Rijndael::refusesWithoutSetupOrKey()
{
    QFETCH(int, keyBits);
    QFETCH(int, blockBits);
    QFETCH(bool, makeKey);
    const QByteArray key(32, 'k');
    const QByteArray in(32, 'i');
    QByteArray out(32, '#');
    unsigned char *target = reinterpret_cast<unsigned char *>(out.data());

    Rijndael cipher;
    if (keyBits) {
        const bool supported = cipher.setup(keyBits, blockBits);
        QCOMPARE(supported, keyBits % 64 == 0 && blockBits >= 128);
        if (!supported)
            QCOMPARE(cipher.rounds(), 0);
    }
    if (makeKey)
        QVERIFY(!cipher.makeKey(bytes(key)));
    QVERIFY(!cipher.encrypt(bytes(in), target));
    QVERIFY(!cipher.decrypt(bytes(in), target));
    QCOMPARE(out, QByteArray(32, '#'));

    // A new setup forgets the old key: encrypting after it would use a schedule of another size.
    QVERIFY(cipher.setup(128, 128));
    QVERIFY(cipher.makeKey(bytes(key)));
    QVERIFY(cipher.setup(256, 256));
    QVERIFY(!cipher.encrypt(bytes(in), target));
    QCOMPARE(out, QByteArray(32, '#'));
}

void tst_Rijndael::traceReportsOnlyTheWrongState()
{
    QByteArray expected;
    for (const char *state : fipsTrace)
        expected += QByteArray::fromHex(state);
    QByteArray wrong = expected;
    wrong[3 * 16 + 5] = char(wrong.at(3 * 16 + 5) ^ 1); // the state after round 4

    Rijndael cipher;
    QVERIFY(cipher.setup(128, 128));
    QVERIFY(cipher.makeKey(bytes(fipsKey)));
    unsigned char out[16];

    StderrCapture clean;
    QVERIFY(cipher.encrypt(bytes(fipsInput), out, bytes(expected)));
    QVERIFY(cipher.decrypt(bytes(fipsOutput), out, bytes(expected)));
    QCOMPARE(clean.finish(), QByteArray());

    StderrCapture encryptTrace;
    QVERIFY(cipher.encrypt(bytes(fipsInput), out, bytes(wrong)));
    const QByteArray encryptReport = encryptTrace.finish();
    QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 16), fipsOutput);
    QCOMPARE(encryptReport,
             QByteArray("State 4 failed:\n"
                        "State     : e0 92 7f e8 c8 63 63 c0 d9 b1 35 50 85 b8 be 01 \n"
                        "Should be : e0 92 7f e8 c8 62 63 c0 d9 b1 35 50 85 b8 be 01 \n"));

    // Decryption passes the same states in reverse order, so it reports the same one.
    StderrCapture decryptTrace;
    QVERIFY(cipher.decrypt(bytes(fipsOutput), out, bytes(wrong)));
    QCOMPARE(decryptTrace.finish(), encryptReport);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 16), fipsInput);
}

void tst_Rijndael::tablesCheckAndDump()
{
    QVERIFY(Rijndael::initTables(false, false));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const bool built = Rijndael::initTables(true, true);
    QDir::setCurrent(previous);
    QVERIFY(built);

    QFile file(dir.filePath("Tables.dat"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QList<QByteArray> sections = file.readAll().split('\n');
    // Each byte section: its name, 16 lines of 16 entries, and two line ends before the next.
    QCOMPARE(sections.value(0), QByteArray("gf2_8_inv"));
    QVERIFY(sections.value(1).startsWith("0x00,0x01,0x8d,0xf6,0xcb,"));
    QCOMPARE(sections.value(1).count(','), 16);
    QCOMPARE(sections.value(19), QByteArray("byte_sub"));
    QVERIFY(sections.value(20).startsWith("0x63,0x7c,0x77,0x7b,"));
    QCOMPARE(sections.value(38), QByteArray("inv_byte_sub"));
    QVERIFY(sections.value(39).startsWith("0x52,0x09,0x6a,0xd5,"));
    QCOMPARE(sections.value(57), QByteArray("RCon"));
    QCOMPARE(sections.value(58), QByteArray("0x00000000,0x00000001,0x00000002,0x00000004,0x00000008,0x00000010,"
                                           "0x00000020,0x00000040,"));
    QVERIFY(sections.value(59).startsWith("0x00000080,0x0000001b,0x00000036,"));
    // 60 words, 8 a line: the last line holds 4.
    QCOMPARE(sections.size(), 58 + 8);
    QCOMPARE(sections.last().count(','), 4);
}

QTEST_GUILESS_MAIN(tst_Rijndael)
#include "tst_Rijndael.moc"
