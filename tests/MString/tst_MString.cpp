#include "MString/MString.h"

#include "StreamCapture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <string>

Q_DECLARE_METATYPE(std::string)

namespace {

std::string bytesOf(const MString &text)
{
    return std::string(text.constData() ? text.constData() : "", text.length());
}

MString fromStd(const std::string &bytes)
{
    return MString(bytes.data(), unsigned(bytes.size()));
}

// Counts the calls that reach the primitives, to show that composite operations go through them.
class CountingString : public MString
{
public:
    using MString::MString;
    MString &append(const MString &other) override
    {
        ++appends;
        return MString::append(other);
    }
    bool equals(const MString &) const override
    {
        ++comparisons;
        return true;
    }
    int appends = 0;
    mutable int comparisons = 0;
};

} // namespace

class tst_MString : public QObject
{
    Q_OBJECT

private slots:
    void ordering_data();
    void ordering();
    void find_data();
    void find();
    void defaultStringAppends();
    void appendsKeepEveryByte();
    void numericText_data();
    void numericText();
    void midClampsItsBounds_data();
    void midClampsItsBounds();
    void printWritesZeroBytesAsSpaces();
    void editing();
    void fileRoundTripKeepsEveryByte();
    void loadPartOfAFile_data();
    void loadPartOfAFile();
    void fileFailuresThrowTheirTexts();
    void instanceCounterFollowsTemporaries();
    void compositeOperationsGoThroughPrimitives();
};

void tst_MString::ordering_data()
{
    QTest::addColumn<std::string>("left");
    QTest::addColumn<std::string>("right");
    QTest::addColumn<int>("order");
    QTest::newRow("prefix is less") << std::string("ab") << std::string("abc") << -1;
    QTest::newRow("first unequal byte decides") << std::string("b") << std::string("abc") << 1;
    QTest::newRow("byte 0x80 sorts below A") << std::string("\x80") << std::string("A") << -1;
    QTest::newRow("byte 0xff sorts below 0x00") << std::string("\xff") << std::string(1, '\0') << -1;
    QTest::newRow("equal") << std::string("same") << std::string("same") << 0;
    QTest::newRow("two empty strings") << std::string() << std::string() << 0;
}

void tst_MString::ordering()
{
    QFETCH(std::string, left);
    QFETCH(std::string, right);
    QFETCH(int, order);
    MString a = fromStd(left);
    const MString b = fromStd(right);
    QCOMPARE(a < b, order < 0);
    QCOMPARE(a > b, order > 0);
    QCOMPARE(a == b, order == 0);
    QCOMPARE(a != b, order != 0);
    QCOMPARE(a <= b, order <= 0);
    QCOMPARE(a >= b, order >= 0);
}

void tst_MString::find_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("sub");
    QTest::addColumn<unsigned>("from");
    QTest::addColumn<int>("position");
    QTest::newRow("found inside") << std::string("xaby") << std::string("ab") << 0u << 1;
    QTest::newRow("restart after a partial match") << std::string("aab") << std::string("ab") << 0u << 1;
    QTest::newRow("first of two from the start") << std::string("abab") << std::string("ab") << 0u << 0;
    QTest::newRow("second of two from past the first") << std::string("abab") << std::string("ab") << 1u << 2;
    QTest::newRow("longer sub") << std::string("ab") << std::string("abc") << 0u << -1;
    QTest::newRow("not there") << std::string("abc") << std::string("x") << 0u << -1;
    QTest::newRow("from at the end") << std::string("abc") << std::string("c") << 3u << -1;
    QTest::newRow("from past the end") << std::string("abc") << std::string("a") << 9u << -1;
    QTest::newRow("empty sub never matches") << std::string("abc") << std::string() << 0u << -1;
    QTest::newRow("zero and high bytes") << std::string("a\0\xff\x80", 4) << std::string("\xff\x80") << 0u << 2;
    QTest::newRow("zero byte in sub") << std::string("ab\0cd", 5) << std::string("b\0c", 3) << 0u << 1;
    // Every position is a long partial match: a search that starts over at each one takes their product.
    QTest::newRow("long sub after long partial matches") << std::string(5000, 'a') + "b" << std::string(1000, 'a') + "b"
                                                         << 0u << 4000;
    QTest::newRow("long sub that only matches in part") << std::string(5000, 'a') << std::string(1000, 'a') + "b"
                                                        << 0u << -1;
    QTest::newRow("periodic sub") << std::string("abcabcabdabcabcabcabd") << std::string("abcabcabd") << 1u << 12;
}

void tst_MString::find()
{
    QFETCH(std::string, text);
    QFETCH(std::string, sub);
    QFETCH(unsigned, from);
    QFETCH(int, position);
    QCOMPARE(fromStd(text).find(fromStd(sub), from), position);
}

void tst_MString::defaultStringAppends()
{
    MString empty;
    QCOMPARE(empty.length(), 0u);
    QVERIFY(empty.isEmpty());
    QCOMPARE(std::string(empty.c_str()), std::string());

    MString appended;
    appended.append(MString("ab"));
    QCOMPARE(bytesOf(appended), std::string("ab"));
    MString added;
    added += MString("cd");
    QCOMPARE(bytesOf(added), std::string("cd"));
    MString sum = MString() + MString("ef");
    QCOMPARE(bytesOf(sum), std::string("ef"));
    MString concatenated;
    concatenated.concat(MString("g")).concat(MString("h"));
    QCOMPARE(bytesOf(concatenated), std::string("gh"));
}

// Appends of every size, also of the string to itself and after c_str has given it a new buffer, against the
// standard library's string.
void tst_MString::appendsKeepEveryByte()
{
    MString text("");
    std::string model;
    for (int step = 0; step < 400; ++step) {
        if (step % 37 == 5 && model.size() < 20000) {
            text.append(text);
            model += model;
        } else {
            const std::string chunk(size_t(step * 7 % 130), char(step));
            text += fromStd(chunk);
            model += chunk;
        }
        if (step % 11 == 0)
            QCOMPARE(std::string(text.c_str(), text.length()), model);
        QCOMPARE(text.length(), unsigned(model.size()));
    }
    QCOMPARE(bytesOf(text), model);
    QCOMPARE(bytesOf(text + text), model + model);
    MString copy(text);
    copy.append(MString("end"));
    QCOMPARE(bytesOf(copy), model + "end");
    QCOMPARE(bytesOf(text), model);
}

void tst_MString::numericText_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("expected");
    QTest::newRow("int") << bytesOf(MString(-42)) << std::string("-42");
    QTest::newRow("long beyond 32 bits") << bytesOf(MString(1099511627776L)) << std::string("1099511627776");
    QTest::newRow("unsigned") << bytesOf(MString(4294967295u)) << std::string("4294967295");
    QTest::newRow("float") << bytesOf(MString(1.5f)) << std::string("1.500000");
    QTest::newRow("double keeps 16777217") << bytesOf(MString(16777217.0)) << std::string("16777217.000000");
    QTest::newRow("long double through float") << bytesOf(MString(16777217.0L)) << std::string("16777216.000000");
    QTest::newRow("char") << bytesOf(MString('x')) << std::string("x");
    char huge[512];
    std::snprintf(huge, sizeof huge, "%f", -1e300);
    QTest::newRow("double longer than 128 characters") << bytesOf(MString(-1e300)) << std::string(huge);
}

void tst_MString::numericText()
{
    QFETCH(std::string, text);
    QFETCH(std::string, expected);
    QCOMPARE(text, expected);
}

void tst_MString::midClampsItsBounds_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<std::string>("expected");
    QTest::newRow("inside") << 1 << 3 << std::string("bc");
    QTest::newRow("whole") << 0 << 4 << std::string("abcd");
    QTest::newRow("bounds beyond both ends") << -5 << 100 << std::string("abcd");
    QTest::newRow("to before from") << 3 << 1 << std::string();
    QTest::newRow("from past the end") << 7 << 9 << std::string();
}

void tst_MString::midClampsItsBounds()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(std::string, expected);
    MString part = MString("abcd").mid(from, to);
    QCOMPARE(bytesOf(part), expected);
}

void tst_MString::printWritesZeroBytesAsSpaces()
{
    MString text("a\0b", 3);
    std::ostringstream all;
    text.print(all);
    QCOMPARE(all.str(), std::string("a b"));
    std::ostringstream raw;
    text.printRaw(raw);
    QCOMPARE(raw.str(), std::string("a"));
}

void tst_MString::editing()
{
    MString text("Hello, \xc4World");
    text.toUpper();
    QCOMPARE(bytesOf(text), std::string("HELLO, \xc4WORLD"));
    text.toLower().reverse();
    QCOMPARE(bytesOf(text), std::string("dlrow\xc4 ,olleh"));
    text.set(text);
    QCOMPARE(bytesOf(text), std::string("dlrow\xc4 ,olleh"));
    text.set("new");
    QCOMPARE(bytesOf(text), std::string("new"));
    text[0] = 'N';
    const MString &constant = text;
    QCOMPARE(constant[0], 'N');
    MString copy;
    copy = text;
    text.set("changed");
    QCOMPARE(bytesOf(copy), std::string("New"));
}

void tst_MString::fileRoundTripKeepsEveryByte()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(char(i));
    const QByteArray path = dir.filePath(QStringLiteral("bytes.bin")).toLocal8Bit();

    fromStd(bytes).save(path.constData());
    MString loaded;
    loaded.load(path.constData());
    QCOMPARE(bytesOf(loaded), bytes);

    // The path given as an MString, without a zero byte of its own.
    MString pathText(path.constData(), unsigned(path.size()));
    MString again;
    again.load(pathText);
    QCOMPARE(bytesOf(again), bytes);
    MString("x").save(pathText);
    again.load(pathText);
    QCOMPARE(bytesOf(again), std::string("x"));
}

void tst_MString::loadPartOfAFile_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<std::string>("expected");
    QTest::newRow("middle") << 2 << 3 << std::string("234");
    QTest::newRow("past the end keeps only the bytes read") << 7 << 10 << std::string("789");
    QTest::newRow("offset past the end") << 20 << 4 << std::string();
    QTest::newRow("negative size") << 0 << -3 << std::string();
}

void tst_MString::loadPartOfAFile()
{
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(std::string, expected);
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("digits.txt")).toLocal8Bit();
    MString("0123456789").save(path.constData());
    MString part("previous content");
    part.load(path.constData(), offset, size);
    QCOMPARE(bytesOf(part), expected);
}

void tst_MString::fileFailuresThrowTheirTexts()
{
    QTemporaryDir dir;
    const QByteArray missing = dir.filePath(QStringLiteral("missing.bin")).toLocal8Bit();
    MString text("kept");
    try {
        text.load(missing.constData());
        QFAIL("loading a missing file did not throw");
    } catch (const char *message) {
        QCOMPARE(QByteArray(message), QByteArray("can not open the file"));
    }
    try {
        text.load(missing.constData(), 0, 4);
        QFAIL("loading part of a missing file did not throw");
    } catch (const char *message) {
        QCOMPARE(QByteArray(message), QByteArray("can not open the file"));
    }
    QCOMPARE(bytesOf(text), std::string("kept"));

    const QByteArray inMissingFolder = dir.filePath(QStringLiteral("no/such/folder.bin")).toLocal8Bit();
    try {
        text.save(inMissingFolder.constData());
        QFAIL("saving into a missing folder did not throw");
    } catch (const char *message) {
        QCOMPARE(QByteArray(message), QByteArray("can not create the file"));
    }
}

void tst_MString::instanceCounterFollowsTemporaries()
{
    MString probe("abc");
    const int live = probe.instanceCount();
    QCOMPARE(*probe.instanceCounterAddress(), live);
    // The serial is the count before this object was added.
    QCOMPARE(QByteArray(probe.identity().c_str()), QByteArray("41c69b52-961b-4eee-b5aa-36a830fc3d81") + QByteArray::number(live - 1));
    QCOMPARE(probe.classId().length(), 36u);
    QCOMPARE(QByteArray(probe.className().c_str()), QByteArray("MString"));
    {
        const MString sum = probe + probe;
        const MString part = probe.mid(0, 1);
        QCOMPARE(probe.instanceCount(), live + 2);
        QCOMPARE(probe.classId().instanceCount(), live + 3);
    }
    QCOMPARE(probe.instanceCount(), live);
}

void tst_MString::compositeOperationsGoThroughPrimitives()
{
    CountingString text("a");
    text += MString("b");
    text.concat(MString("c"));
    QCOMPARE(text.appends, 2);
    QCOMPARE(bytesOf(text), std::string("abc"));
    QVERIFY(text == MString("different"));
    QVERIFY(text >= MString("zzz")); // > fails, then == is asked
    QCOMPARE(text.comparisons, 2);
}

QTEST_APPLESS_MAIN(tst_MString)
#include "tst_MString.moc"
