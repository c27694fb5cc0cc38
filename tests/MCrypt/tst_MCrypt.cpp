#include "MCrypt/MCrypt.h"

#include "PseudoRandomBytes.h"

#include <QtTest>

class tst_MCrypt : public QObject
{
    Q_OBJECT

private slots:
    void rijndaelSizes_data();
    void rijndaelSizes();
    void rijndaelKnownAnswer();
    void rijndaelKeyFromText_data();
    void rijndaelKeyFromText();
    void decryptIgnoresTrailingPart();
    void xorKeyStream_data();
    void xorKeyStream();
    void trivialTransforms();
};

void tst_MCrypt::rijndaelSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("encryptedSize");
    QTest::newRow("empty data: one block of spaces") << 0 << 32;
    QTest::newRow("one byte")                        << 1 << 32;
    QTest::newRow("one short of a block")            << 31 << 32;
    QTest::newRow("a whole block gets another")      << 32 << 64;
    QTest::newRow("one past a block")                << 33 << 64;
    QTest::newRow("many blocks")                     << 1000 << 1024;
}

void tst_MCrypt::rijndaelSizes()
{
    QFETCH(int, size);
    QFETCH(int, encryptedSize);
    const QString key = QStringLiteral("secret");
    const QByteArray data = pseudoRandomBytes(size, quint32(size) + 1);

    const QByteArray encrypted = MCrypt::encryptRijndael(key, data);
    QCOMPARE(encrypted.size(), encryptedSize);
    // The padding stays: the data comes back followed by 1 to 32 spaces.
    const QByteArray decrypted = MCrypt::decryptRijndael(key, encrypted);
    QCOMPARE(decrypted, data + QByteArray(encryptedSize - size, ' '));
    QVERIFY(MCrypt::decryptRijndael(QStringLiteral("Secret"), encrypted) != decrypted);
}

void tst_MCrypt::rijndaelKnownAnswer()
{
    // Key units 0 to 31 and a 32-byte block: the 256/256 row of tests/MCrypt/rijndael_model.py.
    QString key;
    for (int unit = 0; unit < 32; ++unit)
        key += QChar(unit);
    const QByteArray block = QByteArray::fromHex("00112233445566778899aabbccddeeff102132435465768798a9bacbdcedfe0f");
    const QByteArray encrypted = MCrypt::encryptRijndael(key, block);
    QCOMPARE(encrypted.left(32).toHex(), QByteArray("288fa9d23d00d9dc0a39b33fa92867c6488b5e0f18a6f74c072078ec815462e6"));
    // ECB: the same block under the same key encrypts alike wherever it stands.
    QCOMPARE(MCrypt::encryptRijndael(key, block + block).left(64), encrypted.left(32) + encrypted.left(32));
}

void tst_MCrypt::rijndaelKeyFromText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("sameKey");
    QTest::newRow("short key padded with spaces") << "abc" << QString("abc") + QString(29, ' ');
    QTest::newRow("units past 32 ignored")        << QString(32, 'k') + "tail" << QString(32, 'k') + "other tail";
    QTest::newRow("unit above U+00FF is zero")    << QString("a") + QChar(0x20AC) + "b" << QString("a") + QChar(0) + "b";
    QTest::newRow("not truncated to a low byte")  << QString(QChar(0x0141)) << QString(QChar(0));
}

void tst_MCrypt::rijndaelKeyFromText()
{
    QFETCH(QString, key);
    QFETCH(QString, sameKey);
    const QByteArray data("The quick brown fox jumps over the lazy dog");
    QCOMPARE(MCrypt::encryptRijndael(key, data), MCrypt::encryptRijndael(sameKey, data));
    // The low byte of U+0141 is 0x41 ('A'): a truncating key would match this one.
    QVERIFY(MCrypt::encryptRijndael(key, data) != MCrypt::encryptRijndael(QStringLiteral("A"), data));
}

void tst_MCrypt::decryptIgnoresTrailingPart()
{
    const QString key = QStringLiteral("key");
    const QByteArray encrypted = MCrypt::encryptRijndael(key, QByteArray(40, 'x'));
    QCOMPARE(encrypted.size(), 64);
    const QByteArray firstBlock = MCrypt::decryptRijndael(key, encrypted.left(32));
    QCOMPARE(firstBlock, QByteArray(32, 'x'));
    QCOMPARE(MCrypt::decryptRijndael(key, encrypted.left(40)), firstBlock);
    QCOMPARE(MCrypt::decryptRijndael(key, encrypted.left(31)), QByteArray());
}

void tst_MCrypt::xorKeyStream_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("two units alternate")   << "\x01\x02" << QByteArray("\x10\x10\x10\x10\x10", 5)
                                           << QByteArray("\x11\x12\x11\x12\x11", 5);
    QTest::newRow("key longer than data")  << "\x01\x02\x03\x04" << QByteArray("\x00\x00", 2) << QByteArray("\x01\x02", 2);
    QTest::newRow("empty key: unchanged")  << "" << QByteArray("plain") << QByteArray("plain");
    QTest::newRow("unit above 255 is zero") << QString(QChar(0x0141)) << QByteArray("ab") << QByteArray("ab");
    QTest::newRow("empty data")            << "key" << QByteArray() << QByteArray();
}

void tst_MCrypt::xorKeyStream()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, expected);
    QCOMPARE(MCrypt::encryptXor(key, data), expected);
    QCOMPARE(MCrypt::decryptXor(key, expected), data);
}

void tst_MCrypt::trivialTransforms()
{
    QCOMPARE(MCrypt::blankBytes(QStringLiteral("ignored"), QByteArray("abc")), QByteArray(3, '\0'));
    QCOMPARE(MCrypt::blankBytes(QString(), QByteArray()), QByteArray());
    QVERIFY(MCrypt::emptyBytes().isEmpty());
}

QTEST_GUILESS_MAIN(tst_MCrypt)
#include "tst_MCrypt.moc"
