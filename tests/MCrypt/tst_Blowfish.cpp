#include "MCrypt/Blowfish.h"

#include <QtTest>

using MCrypt::Blowfish;

class tst_Blowfish : public QObject
{
    Q_OBJECT

private slots:
    void publishedVectors_data();
    void publishedVectors();
    void keyReadCyclically();
    void refusesWithoutKey();
    void copiesKeepTheSchedule();
};

static const unsigned char *bytes(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

static quint32 word(const QByteArray &block, int offset)
{
    return qFromBigEndian<quint32>(block.constData() + offset);
}

void tst_Blowfish::publishedVectors_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");
    // The published ECB set (8-byte keys).
    const char *const ecb[][3] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
        {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
        {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
        {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
        {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
        {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
        {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    };
    for (const auto &row : ecb)
        QTest::addRow("ECB key %s", row[0]) << QByteArray::fromHex(row[0]) << QByteArray::fromHex(row[1])
                                            << QByteArray::fromHex(row[2]);
    // The published set-key series: the first n bytes of one key, n = 1 to 24.
    const QByteArray longKey = QByteArray::fromHex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
    const char *const series[] = {
        "F9AD597C49DB005E", "E91D21C1D961A6D6", "E9C2B70A1BC65CF3", "BE1E639408640F05", "B39E44481BDB1E6E",
        "9457AA83B1928C0D", "8BB77032F960629D", "E87A244E2CC85E82", "15750E7A4F4EC577", "122BA70B3AB64AE0",
        "3A833C9AFFC537F6", "9409DA87A90F6BF2", "884F80625060B8B4", "1F85031C19E11968", "79D9373A714CA34F",
        "93142887EE3BE15C", "03429E838CE2D14B", "A4299E27469FF67B", "AFD5AED1C1BC96A8", "10851C0E3858DA9F",
        "E6F51ED79B9DB21F", "64A6E14AFD36B46F", "80C7D7D45A5479AD", "05044B62FA52D080",
    };
    for (int length = 1; length <= 24; ++length)
        QTest::addRow("%d-byte key", length) << longKey.left(length) << QByteArray::fromHex("FEDCBA9876543210")
                                             << QByteArray::fromHex(series[length - 1]);
}

void tst_Blowfish::publishedVectors()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);
    Blowfish blowfish;
    QVERIFY(blowfish.setKey(bytes(key), key.size()));
    quint32 left = word(plain, 0);
    quint32 right = word(plain, 4);
    QVERIFY(blowfish.encrypt(left, right));
    QCOMPARE(left, word(cipher, 0));
    QCOMPARE(right, word(cipher, 4));
    QVERIFY(blowfish.decrypt(left, right));
    QCOMPARE(left, word(plain, 0));
    QCOMPARE(right, word(plain, 4));
}

void tst_Blowfish::keyReadCyclically()
{
    const QByteArray key = QByteArray::fromHex("0123456789ABCDEF");
    Blowfish shortKey;
    Blowfish repeated;
    QVERIFY(shortKey.setKey(bytes(key), key.size()));
    QVERIFY(repeated.setKey(bytes(key.repeated(9)), 72));
    quint32 a[2] = {0x01234567, 0x89ABCDEF};
    quint32 b[2] = {0x01234567, 0x89ABCDEF};
    QVERIFY(shortKey.encrypt(a[0], a[1]));
    QVERIFY(repeated.encrypt(b[0], b[1]));
    QCOMPARE(a[0], b[0]);
    QCOMPARE(a[1], b[1]);
}

void tst_Blowfish::refusesWithoutKey()
{
    Blowfish blowfish;
    quint32 left = 1;
    quint32 right = 2;
    QVERIFY(!blowfish.encrypt(left, right));
    QVERIFY(!blowfish.decrypt(left, right));
    QCOMPARE(left, 1u);
    QCOMPARE(right, 2u);

    const unsigned char key[] = {'k'};
    QVERIFY(!blowfish.setKey(key, 0));
    QVERIFY(!blowfish.setKey(nullptr, 8));
    QVERIFY(!blowfish.hasKey());
    const Blowfish copyWithoutKey(blowfish);
    QVERIFY(!copyWithoutKey.encrypt(left, right));
    QCOMPARE(left, 1u);

    // A refused key leaves the working one in place.
    QVERIFY(blowfish.setKey(key, 1));
    QVERIFY(!blowfish.setKey(key, 0));
    QVERIFY(blowfish.encrypt(left, right));
    QVERIFY(left != 1u || right != 2u);
}

void tst_Blowfish::copiesKeepTheSchedule()
{
    const QByteArray key("a secret key");
    Blowfish original;
    QVERIFY(original.setKey(bytes(key), key.size()));
    Blowfish assigned;
    assigned = original;
    const Blowfish copy(original);
    QVERIFY(original.setKey(bytes(QByteArray("another key")), 11)); // the copies must not follow

    Blowfish reference;
    QVERIFY(reference.setKey(bytes(key), key.size()));
    quint32 expected[2] = {0xDEADBEEF, 0x01020304};
    QVERIFY(reference.encrypt(expected[0], expected[1]));
    for (const Blowfish *cipher : {&copy, static_cast<const Blowfish *>(&assigned)}) {
        quint32 left = 0xDEADBEEF;
        quint32 right = 0x01020304;
        QVERIFY(cipher->encrypt(left, right));
        QCOMPARE(left, expected[0]);
        QCOMPARE(right, expected[1]);
    }
}

QTEST_GUILESS_MAIN(tst_Blowfish)
#include "tst_Blowfish.moc"
