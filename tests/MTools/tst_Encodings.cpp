#include "MTools/Encodings.h"

#include "PseudoRandomBytes.h"

#include <QtEndian>
#include <QtTest>

class tst_Encodings : public QObject
{
    Q_OBJECT

private slots:
    void utf16Bytes_data();
    void utf16Bytes();
    void fromUtf16BytesOddLength_data();
    void fromUtf16BytesOddLength();
    void fromLatin1Bytes();
    void base64AgainstQt_data();
    void base64AgainstQt();
    void fromBase64SkipsStrayCharacters_data();
    void fromBase64SkipsStrayCharacters();
    void base64String_data();
    void base64String();
    void fromBase64ToString_data();
    void fromBase64ToString();
    void zlibCompress_data();
    void zlibCompress();
};

static quint32 adler32(const QByteArray &bytes)
{
    quint32 a = 1, b = 0;
    for (const char byte : bytes) {
        a = (a + uchar(byte)) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void tst_Encodings::utf16Bytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty")                   << QString() << QByteArray();
    QTest::newRow("high byte first")         << "A" << QByteArray::fromHex("0041");
    QTest::newRow("Latin-1 letter")          << QString(QChar(0xE9)) << QByteArray::fromHex("00e9");
    QTest::newRow("unit above Latin-1")      << QString(QChar(0x20AC)) << QByteArray::fromHex("20ac");
    QTest::newRow("surrogate pair as units") << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray::fromHex("d83dde00");
    QTest::newRow("zero unit kept")          << QString(QChar(0)) + "z" << QByteArray::fromHex("0000007a");
}

void tst_Encodings::utf16Bytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(MTools::toUtf16Bytes(text), bytes);
    QCOMPARE(MTools::fromUtf16Bytes(bytes), text);
}

void tst_Encodings::fromUtf16BytesOddLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("last byte is a high byte") << QByteArray::fromHex("004142") << QString("A") + QChar(0x4200);
    QTest::newRow("single byte")              << QByteArray::fromHex("ff") << QString(QChar(0xFF00));
}

void tst_Encodings::fromUtf16BytesOddLength()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(MTools::fromUtf16Bytes(bytes), text);
}

void tst_Encodings::fromLatin1Bytes()
{
    const unsigned char bytes[] = { 'a', 0x00, 0xFF, 0xE9 };
    const QString all = MTools::fromLatin1Bytes(bytes, 4);
    // Zero bytes are characters like any other here.
    QCOMPARE(all.size(), 4);
    QCOMPARE(all, QString("a") + QChar(0) + QChar(0xFF) + QChar(0xE9));
    QCOMPARE(MTools::fromLatin1Bytes(bytes, 1), QString("a"));
    QVERIFY(MTools::fromLatin1Bytes(bytes, 0).isEmpty());
    QVERIFY(MTools::fromLatin1Bytes(bytes, -1).isEmpty());
    QVERIFY(MTools::fromLatin1Bytes(nullptr, 4).isEmpty());
}

void tst_Encodings::base64AgainstQt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    const QByteArray word("foobar");
    for (int n = 1; n <= word.size(); ++n)
        QTest::addRow("%d bytes", n) << word.left(n);
    QTest::newRow("zero bytes")          << QByteArray(5, '\0');
    QTest::newRow("zeros and high bytes") << QByteArray::fromHex("00ff80007f01fe");
    QTest::newRow("4 KiB pseudo-random")  << pseudoRandomBytes(4096, 20240601);
    QTest::newRow("4099 bytes pseudo-random") << pseudoRandomBytes(4099, 7);
}

void tst_Encodings::base64AgainstQt()
{
    QFETCH(QByteArray, bytes);
    const QString expected = QString::fromLatin1(bytes.toBase64());
    QCOMPARE(MTools::bytesToBase64(bytes), expected);
    QCOMPARE(MTools::latin1ToBase64(QString::fromLatin1(bytes.constData(), bytes.size())), expected);
    QCOMPARE(MTools::fromBase64(expected), bytes);
    QCOMPARE(QByteArray::fromBase64(MTools::bytesToBase64(bytes).toLatin1()), bytes);
}

void tst_Encodings::fromBase64SkipsStrayCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("line breaks and blanks")      << "SG\nk\r\n h" << QByteArray("Hi!");
    QTest::newRow("missing padding")             << "SGk" << QByteArray("Hi");
    QTest::newRow("character outside Latin-1")   << QString("SG") + QChar(0x20AC) + "k=" << QByteArray("Hi");
    QTest::newRow("nothing but stray characters") << "!!**" << QByteArray();
}

void tst_Encodings::fromBase64SkipsStrayCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(MTools::fromBase64(text), bytes);
}

void tst_Encodings::base64String_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("base64");
    QTest::newRow("empty")            << QString() << QString();
    QTest::newRow("units as UTF-16")  << "A" << "AEE=";
    QTest::newRow("beyond Latin-1")   << QString(QChar(0x20AC)) + "1" << "IKwAMQ==";
    QTest::newRow("surrogate pair")   << QString::fromUtf8("\xF0\x9F\x98\x80") << "2D3eAA==";
}

void tst_Encodings::base64String()
{
    QFETCH(QString, text);
    QFETCH(QString, base64);
    QCOMPARE(MTools::toBase64String(text), base64);
    QCOMPARE(MTools::fromBase64String(base64), text);
}

void tst_Encodings::fromBase64ToString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cut at the zero byte")     << "QUIAQ0Q=" << "AB";
    QTest::newRow("stored link with a zero")  << "SGkAdGhlcmU=" << "Hi";
    QTest::newRow("no zero byte")             << "SGk=" << "Hi";
    QTest::newRow("high byte read as Latin-1") << "6Q==" << QString(QChar(0xE9));
    QTest::newRow("zero first")               << "AEE=" << "";
    QTest::newRow("empty")                    << "" << "";
}

void tst_Encodings::fromBase64ToString()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(MTools::fromBase64ToString(text), expected);
}

void tst_Encodings::zlibCompress_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty")               << QByteArray();
    QTest::newRow("one byte")            << QByteArray("a");
    QTest::newRow("4 KiB pseudo-random") << pseudoRandomBytes(4096, 99);
    QTest::newRow("64 KiB repetitive")   << QByteArray("tarsel ").repeated(64 * 1024 / 7);
}

void tst_Encodings::zlibCompress()
{
    QFETCH(QByteArray, bytes);
    const QByteArray stream = MTools::zlibCompress(bytes);

    // Header of a deflate stream at the best compression level, then the Adler-32 of the data.
    QVERIFY2(stream.size() >= 8, stream.toHex().constData());
    QCOMPARE(stream.left(2), QByteArray::fromHex("78da"));
    QCOMPARE(qFromBigEndian<quint32>(stream.constData() + stream.size() - 4), adler32(bytes));

    if (bytes.isEmpty()) {
        // qCompress writes no stream for empty data; this is what zlib itself writes at level 9.
        QCOMPARE(stream, QByteArray::fromHex("78da030000000001"));
    } else {
        // qUncompress wants the length prefix that zlibCompress strips.
        QByteArray prefixed(4, Qt::Uninitialized);
        qToBigEndian<quint32>(quint32(bytes.size()), prefixed.data());
        QCOMPARE(qUncompress(prefixed + stream), bytes);
    }
}

QTEST_GUILESS_MAIN(tst_Encodings)
#include "tst_Encodings.moc"
