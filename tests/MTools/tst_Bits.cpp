#include "MTools/Bits.h"

#include "StreamCapture.h"

#include <QtTest>

#include <cstring>

#include <iostream>
#include <sstream>

using MTools::Bits;

namespace {

// Bits from position 0 upward as the characters '0' and '1'.
Bits bitsOf(const char *text)
{
    const int count = int(std::strlen(text));
    Bits bits(count);
    for (int i = 0; i < count; ++i)
        bits.setBit(unsigned(i), text[i] == '1');
    return bits;
}

QByteArray textOf(const Bits &bits)
{
    QByteArray text;
    for (int i = 0; i < bits.count(); ++i)
        text += char('0' + bits.getBit(unsigned(i)));
    return text;
}

} // namespace

class tst_Bits : public QObject
{
    Q_OBJECT

private slots:
    void newArrayIsZero();
    void valueAndCode();
    void getCodeAbove32KeepsTheLow32Bits();
    void outOfRangeWritesMessages();
    void moves_data();
    void moves();
    void removeLow_data();
    void removeLow();
    void appendPutsTheOtherAbove();
    void logicWithAShorterArray();
    void invertFlipsSpareBitsToo();
    void printOrders();
    void copiesAreIndependent();
};

void tst_Bits::newArrayIsZero()
{
    const Bits bits(10);
    QCOMPARE(bits.count(), 10);
    QCOMPARE(bits.byteCount(), 2);
    QCOMPARE(textOf(bits), QByteArray("0000000000"));
    QCOMPARE(bits.getBit(10), -1);
    QCOMPARE(bits.toInt(), 0);
    QCOMPARE(Bits(-3).count(), 0);
}

void tst_Bits::valueAndCode()
{
    Bits bits(32);
    bits.setValue(5);
    QCOMPARE(bits.getBit(0), 1);
    QCOMPARE(bits.getBit(1), 0);
    QCOMPARE(bits.getBit(2), 1);
    QCOMPARE(bits.toInt(), 5);
    QCOMPARE(bits.getCode(3), 5);
    bits.setValue(-2);
    QCOMPARE(bits.toInt(), -2);
    QCOMPARE(bits.getCode(32), -2);

    Bits bytes(16);
    bytes.setData("\x34\x12");
    QCOMPARE(bytes.toInt(), 0x1234);
}

void tst_Bits::getCodeAbove32KeepsTheLow32Bits()
{
    Bits bits(39);
    for (unsigned i = 0; i < 39; ++i)
        bits.setBit(i, i % 3 == 0);
    unsigned low = 0;
    for (unsigned i = 0; i < 32; ++i)
        low |= unsigned(i % 3 == 0) << i;
    for (unsigned n = 32; n <= 39; ++n)
        QCOMPARE(bits.getCode(n), int(low));
}

void tst_Bits::outOfRangeWritesMessages()
{
    StreamCapture capture(std::cerr);
    Bits bits(4);
    bits.setBit(4, 1);
    bits.setBit(unsigned(-1), 1);
    QCOMPARE(textOf(bits), QByteArray("0000"));
    QCOMPARE(bits.getCode(0), 0);
    QCOMPARE(bits.getCode(5), 0);
    QCOMPARE(Bits(48).getCode(40), 0);
    const std::string setBitLine = "Bits::setBit(int,int) Position is out of range\n";
    const std::string getCodeLine = "Bits::getCode(int) Out Of Range\n";
    QCOMPARE(capture.text(), setBitLine + setBitLine + getCodeLine + getCodeLine + getCodeLine);

    // One message for each position from the count to 31.
    StreamCapture shortValue(std::cerr);
    Bits thirty(30);
    thirty.setValue(-1);
    QCOMPARE(shortValue.text(), setBitLine + setBitLine);
    QCOMPARE(thirty.getCode(30), (1 << 30) - 1);
}

void tst_Bits::moves_data()
{
    QTest::addColumn<QString>("move");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<uint>("k");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("result");
    QTest::newRow("rotate down 1") << "rotateDown" << QByteArray("1000") << 1u << QByteArray("0001") << 1;
    QTest::newRow("shift down 1") << "shiftDown" << QByteArray("1000") << 1u << QByteArray("0000") << 1;
    QTest::newRow("rotate down 3") << "rotateDown" << QByteArray("11010") << 3u << QByteArray("10110") << 0;
    QTest::newRow("shift down 2") << "shiftDown" << QByteArray("11011") << 2u << QByteArray("01100") << 1;
    QTest::newRow("rotate up 1") << "rotateUp" << QByteArray("0001") << 1u << QByteArray("1000") << 1;
    QTest::newRow("shift up 1") << "shiftUp" << QByteArray("0001") << 1u << QByteArray("0000") << 1;
    QTest::newRow("rotate up 2") << "rotateUp" << QByteArray("11010") << 2u << QByteArray("10110") << 1;
    QTest::newRow("shift up 2") << "shiftUp" << QByteArray("11011") << 2u << QByteArray("00110") << 1;
    QTest::newRow("rotate by the count is whole") << "rotateDown" << QByteArray("1101") << 4u << QByteArray("1101") << 1;
    QTest::newRow("rotate down past the count") << "rotateDown" << QByteArray("1100") << 6u << QByteArray("0011") << 1;
    QTest::newRow("rotate up past the count") << "rotateUp" << QByteArray("1100") << 5u << QByteArray("0110") << 0;
    QTest::newRow("shift down by the count") << "shiftDown" << QByteArray("0011") << 4u << QByteArray("0000") << 1;
    QTest::newRow("shift down past the count") << "shiftDown" << QByteArray("1111") << 9u << QByteArray("0000") << 0;
    QTest::newRow("shift up past the count") << "shiftUp" << QByteArray("1111") << 1000000u << QByteArray("0000") << 0;
    QTest::newRow("zero places") << "shiftDown" << QByteArray("1011") << 0u << QByteArray("1011") << 0;
    QTest::newRow("count 1 rotates onto itself") << "rotateDown" << QByteArray("1") << 3u << QByteArray("1") << 1;
    QTest::newRow("empty array") << "rotateUp" << QByteArray() << 3u << QByteArray() << 0;
    QTest::newRow("empty array shifted") << "shiftDown" << QByteArray() << 2u << QByteArray() << 0;
}

void tst_Bits::moves()
{
    QFETCH(QString, move);
    QFETCH(QByteArray, before);
    QFETCH(uint, k);
    QFETCH(QByteArray, after);
    QFETCH(int, result);
    Bits bits = bitsOf(before.constData());
    int returned = -1;
    if (move == QLatin1String("rotateDown"))
        returned = bits.rotateDown(k);
    else if (move == QLatin1String("shiftDown"))
        returned = bits.shiftDown(k);
    else if (move == QLatin1String("rotateUp"))
        returned = bits.rotateUp(k);
    else
        returned = bits.shiftUp(k);
    QCOMPARE(textOf(bits), after);
    QCOMPARE(returned, result);
}

void tst_Bits::removeLow_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<uint>("k");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("two of five") << QByteArray("10110") << 2u << QByteArray("110");
    QTest::newRow("across a byte") << QByteArray("0000000011") << 8u << QByteArray("11");
    QTest::newRow("all") << QByteArray("101") << 3u << QByteArray();
    QTest::newRow("more than there are") << QByteArray("101") << 7u << QByteArray();
    QTest::newRow("from an empty array") << QByteArray() << 1u << QByteArray();
}

void tst_Bits::removeLow()
{
    QFETCH(QByteArray, before);
    QFETCH(uint, k);
    QFETCH(QByteArray, after);
    Bits bits = bitsOf(before.constData());
    bits.removeLow(k);
    QCOMPARE(textOf(bits), after);
    QCOMPARE(bits.byteCount(), (after.size() + 7) / 8);
}

void tst_Bits::appendPutsTheOtherAbove()
{
    Bits bits = bitsOf("01");
    bits.append(bitsOf("111"));
    QCOMPARE(textOf(bits), QByteArray("01111"));
    bits.append(bits);
    QCOMPARE(textOf(bits), QByteArray("0111101111"));
    QCOMPARE(bits.byteCount(), 2);
}

void tst_Bits::logicWithAShorterArray()
{
    const Bits other = bitsOf("01");
    Bits anded = bitsOf("1111");
    anded.andWith(other);
    QCOMPARE(textOf(anded), QByteArray("0100"));
    Bits xored = bitsOf("1111");
    xored.xorWith(other);
    QCOMPARE(textOf(xored), QByteArray("1011"));
    Bits ored = bitsOf("0000");
    ored.orWith(other);
    QCOMPARE(textOf(ored), QByteArray("0100"));
}

void tst_Bits::invertFlipsSpareBitsToo()
{
    Bits bits(10);
    bits.invert();
    QCOMPARE(bits.toInt(), 65535);
    QCOMPARE(bits.getCode(10), 1023);
}

void tst_Bits::printOrders()
{
    const Bits bits = bitsOf("1100");
    std::ostringstream stream;
    bits.print(stream);
    QCOMPARE(stream.str(), std::string("0011"));
    StreamCapture capture(std::cout);
    bits.printLine();
    QCOMPARE(capture.text(), std::string("1100\n"));
}

void tst_Bits::copiesAreIndependent()
{
    Bits original = bitsOf("101");
    Bits copy(original);
    Bits assigned(1);
    assigned = original;
    original.invert();
    QCOMPARE(textOf(copy), QByteArray("101"));
    QCOMPARE(textOf(assigned), QByteArray("101"));
    assigned = assigned;
    QCOMPARE(textOf(assigned), QByteArray("101"));
}

QTEST_APPLESS_MAIN(tst_Bits)
#include "tst_Bits.moc"
