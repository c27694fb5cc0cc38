#include "MTools/Base32.h"

#include "PseudoRandomBytes.h"

#include <QRegularExpression>
#include <QtTest>

#include <climits>
#include <vector>

using MTools::Base32;

class tst_Base32 : public QObject
{
    Q_OBJECT

private slots:
    void rfcVectors_data();
    void rfcVectors();
    void decode_data();
    void decode();
    void strayCharacters_data();
    void strayCharacters();
    void counts_data();
    void counts();
    void decodedCapacity_data();
    void decodedCapacity();
    void groupsStopAtTheLastByte();
    void encodeIntoStaysInItsBuffer_data();
    void encodeIntoStaysInItsBuffer();
    void decodeIntoStaysInItsCapacity_data();
    void decodeIntoStaysInItsCapacity();
    void roundTripAgainstQtBase64_data();
    void roundTripAgainstQtBase64();
};

// Guard bytes after the region a call may write; they must come back untouched.
static const char guardByte = '#';
static const int guardLength = 8;

void tst_Base32::rfcVectors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("empty")  << "" << "";
    QTest::newRow("f")      << "f" << "MY======";
    QTest::newRow("fo")     << "fo" << "MZXQ====";
    QTest::newRow("foo")    << "foo" << "MZXW6===";
    QTest::newRow("foob")   << "foob" << "MZXW6YQ=";
    QTest::newRow("fooba")  << "fooba" << "MZXW6YTB";
    QTest::newRow("foobar") << "foobar" << "MZXW6YTBOI======";
}

void tst_Base32::rfcVectors()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(Base32::encodeText(text), encoded);
    QCOMPARE(Base32::encode(text.toLatin1()), encoded);
    QCOMPARE(Base32::decode(encoded), text.toLatin1());
    QCOMPARE(Base32::decodeText(encoded), text);
}

void tst_Base32::decode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lower case accepted")           << "mzxw6===" << QByteArray("foo");
    QTest::newRow("mixed case accepted")           << "MzXw6YtB" << QByteArray("fooba");
    QTest::newRow("length not a multiple of 8")    << "MZXW6" << QByteArray();
    QTest::newRow("one character short of a group") << "MZXW6YTBOI=====" << QByteArray();
    QTest::newRow("padding ends the whole decode") << "MY======MZXW6===" << QByteArray("f");
    QTest::newRow("zero bytes kept")               << "AAAAA===" << QByteArray(3, '\0');
    QTest::newRow("high bytes")                    << "77776===" << QByteArray::fromHex("ffffff");
}

void tst_Base32::decode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Base32::decode(text), bytes);
}

void tst_Base32::strayCharacters_data()
{
    // Stray characters spoil the bytes they touch but never change how many bytes come out.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("byteCount");
    QTest::addColumn<QByteArray>("untouched");
    QTest::newRow("digit outside the alphabet")   << "MZXW0===" << 3 << QByteArray("fo");
    QTest::newRow("'=' at an untested place")     << "MZX=6===" << 3 << QByteArray("f");
    QTest::newRow("'=' at the second place")      << "M=======" << 1 << QByteArray();
    QTest::newRow("character outside Latin-1")    << QString("MZXW6YT") + QChar(0x20AC) << 5 << QByteArray("foob");
    QTest::newRow("all stray")                    << "!!!!!!!!" << 5 << QByteArray();
    QTest::newRow("all '='")                      << "========" << 1 << QByteArray();

    // Every Latin-1 character in order: the first '=' at a tested place (61, the sixth of the
    // eighth group) ends the decode after 7 groups and 3 bytes.
    QString everyCharacter;
    for (int c = 0; c < 256; ++c)
        everyCharacter += QChar(c);
    QTest::newRow("every Latin-1 character")      << everyCharacter << 38 << QByteArray();
}

void tst_Base32::strayCharacters()
{
    QFETCH(QString, text);
    QFETCH(int, byteCount);
    QFETCH(QByteArray, untouched);
    const QByteArray bytes = Base32::decode(text);
    QCOMPARE(bytes.size(), byteCount);
    QCOMPARE(bytes.left(untouched.size()), untouched);
}

void tst_Base32::counts_data()
{
    QTest::addColumn<int>("byteCount");
    QTest::addColumn<int>("symbolCount");
    QTest::addColumn<int>("padCount");
    QTest::addColumn<int>("encodedLength");
    QTest::newRow("none")          << 0 << 0 << 0 << 0;
    QTest::newRow("1")             << 1 << 2 << 6 << 8;
    QTest::newRow("2")             << 2 << 4 << 4 << 8;
    QTest::newRow("3")             << 3 << 5 << 3 << 8;
    QTest::newRow("4")             << 4 << 7 << 1 << 8;
    QTest::newRow("full block")    << 5 << 8 << 0 << 8;
    QTest::newRow("6")             << 6 << 10 << 6 << 16;
    QTest::newRow("two blocks")    << 10 << 16 << 0 << 16;
    QTest::newRow("negative")      << -3 << 0 << 0 << 0;
    // 8 times the count overflows an int; the counts must not.
    QTest::newRow("largest that fits") << INT_MAX / 8 * 5 << INT_MAX / 8 * 8 << 0 << INT_MAX / 8 * 8;
}

void tst_Base32::counts()
{
    QFETCH(int, byteCount);
    QFETCH(int, symbolCount);
    QFETCH(int, padCount);
    QFETCH(int, encodedLength);
    QCOMPARE(Base32::symbolCount(byteCount), symbolCount);
    QCOMPARE(Base32::padCount(byteCount), padCount);
    QCOMPARE(Base32::encodedLength(byteCount), encodedLength);
}

void tst_Base32::decodedCapacity_data()
{
    QTest::addColumn<int>("symbolCount");
    QTest::addColumn<int>("capacity");
    QTest::newRow("none")                 << 0 << 0;
    QTest::newRow("one group")            << 8 << 12;
    QTest::newRow("not a multiple of 8")  << 12 << 0;
    QTest::newRow("two groups")           << 16 << 25;
    QTest::newRow("negative")             << -8 << 0;
}

void tst_Base32::decodedCapacity()
{
    QFETCH(int, symbolCount);
    QFETCH(int, capacity);
    QCOMPARE(Base32::decodedCapacity(symbolCount), capacity);
    // Whatever it is, it holds what a decode of that many symbols can produce.
    QVERIFY(capacity == 0 || capacity >= symbolCount / 8 * 5);
}

void tst_Base32::groupsStopAtTheLastByte()
{
    // Exactly sized heap buffers, so the address sanitizer sees any read past the input.
    const std::vector<char> f = { 'f' };
    QCOMPARE(Base32::group(0, f.data(), 1), 12);
    QCOMPARE(Base32::group(1, f.data(), 1), 24); // three bits of 'f', then zeros
    QCOMPARE(Base32::group(2, f.data(), 1), 0);
    QCOMPARE(Base32::group(7, f.data(), 1), 0);
    QCOMPARE(Base32::group(-1, f.data(), 1), 0);
    QCOMPARE(Base32::symbol(1, f.data(), 1), 'Y');

    const std::vector<char> foobar = { 'f', 'o', 'o', 'b', 'a', 'r' };
    QString symbols;
    for (int i = 0; i < 10; ++i)
        symbols += QLatin1Char(Base32::symbol(i, foobar.data(), int(foobar.size())));
    QCOMPARE(symbols, QString("MZXW6YTBOI"));
}

void tst_Base32::encodeIntoStaysInItsBuffer_data()
{
    QTest::addColumn<int>("outputLength");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("exact length")                    << 16 << QByteArray("MZXW6YTBOI======");
    QTest::newRow("short buffer takes what fits")    << 3 << QByteArray("MZX");
    QTest::newRow("buffer ends inside the padding")  << 12 << QByteArray("MZXW6YTBOI==");
    QTest::newRow("longer buffer filled with '='")   << 20 << QByteArray("MZXW6YTBOI==========");
    QTest::newRow("zero length writes nothing")      << 0 << QByteArray();
}

void tst_Base32::encodeIntoStaysInItsBuffer()
{
    QFETCH(int, outputLength);
    QFETCH(QByteArray, written);
    const std::vector<char> input = { 'f', 'o', 'o', 'b', 'a', 'r' };
    std::vector<char> output(size_t(outputLength + guardLength), guardByte);

    Base32::encodeInto(output.data(), outputLength, input.data(), int(input.size()));

    QCOMPARE(QByteArray(output.data(), outputLength), written);
    QCOMPARE(QByteArray(output.data() + outputLength, guardLength), QByteArray(guardLength, guardByte));
}

void tst_Base32::decodeIntoStaysInItsCapacity_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("capacity reached inside a group")  << QByteArray("MZXW6YTBOI======") << 2 << QByteArray("fo");
    QTest::newRow("capacity reached at a group's end") << QByteArray("MZXW6YTBOI======") << 5 << QByteArray("fooba");
    QTest::newRow("capacity one short")               << QByteArray("MZXW6YTB") << 4 << QByteArray("foob");
    QTest::newRow("room to spare")                    << QByteArray("MZXW6YTBOI======") << 7 << QByteArray("foobar");
    QTest::newRow("zero capacity")                    << QByteArray("MZXW6===") << 0 << QByteArray();
    QTest::newRow("length not a multiple of 8")       << QByteArray("MZXW6YT") << 12 << QByteArray();
    QTest::newRow("padding in the middle")            << QByteArray("MY======MZXW6===") << 1 << QByteArray("f");
    QTest::newRow("'=' at every place")               << QByteArray("================") << 12 << QByteArray::fromHex("37");
}

void tst_Base32::decodeIntoStaysInItsCapacity()
{
    QFETCH(QByteArray, text);
    QFETCH(int, capacity);
    QFETCH(QByteArray, bytes);
    const std::vector<char> input(text.cbegin(), text.cend());
    std::vector<char> output(size_t(capacity + guardLength), guardByte);

    const int produced = Base32::decodeInto(output.data(), capacity, input.data(), int(input.size()));

    QCOMPARE(produced, bytes.size());
    QCOMPARE(QByteArray(output.data(), produced), bytes);
    QCOMPARE(QByteArray(output.data() + capacity, guardLength), QByteArray(guardLength, guardByte));
}

void tst_Base32::roundTripAgainstQtBase64_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    const QByteArray word("foobar");
    for (int n = 1; n <= word.size(); ++n)
        QTest::addRow("%d bytes", n) << word.left(n);
    QTest::newRow("zero bytes")           << QByteArray(7, '\0');
    QTest::newRow("zeros and high bytes") << QByteArray::fromHex("00ff80007f01fe");
    QTest::newRow("4 KiB pseudo-random")  << pseudoRandomBytes(4096, 20240601);
    QTest::newRow("4099 bytes pseudo-random") << pseudoRandomBytes(4099, 7);
}

void tst_Base32::roundTripAgainstQtBase64()
{
    QFETCH(QByteArray, bytes);
    const QString encoded = Base32::encode(bytes);

    QCOMPARE(encoded.size(), Base32::encodedLength(bytes.size()));
    const QRegularExpression shape(QStringLiteral("^[A-Z2-7]*=*$"));
    QVERIFY2(shape.match(encoded).hasMatch(), qPrintable(encoded.left(64)));
    QCOMPARE(encoded.count(QLatin1Char('=')), Base32::padCount(bytes.size()));

    // Both encodings must carry the same bytes: Base32 back out, then through Qt's Base64.
    const QByteArray decoded = Base32::decode(encoded);
    QCOMPARE(QString::fromLatin1(decoded.toBase64()), QString::fromLatin1(bytes.toBase64()));
    QCOMPARE(Base32::decode(encoded.toLower()), bytes);
}

QTEST_GUILESS_MAIN(tst_Base32)
#include "tst_Base32.moc"
