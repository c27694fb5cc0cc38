#include "MTools/FrameCount.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QRegularExpression unknownMessage(int operation)
{
    return QRegularExpression(QStringLiteral("^unexpected ERROR in\\s+\\S*FrameCount\\.cpp : %1$").arg(operation));
}

QString timecodeText(const FrameCount &count, int offset, bool pulldown, int phase)
{
    int hh = -1, mm = -1, ss = -1, ff = -1;
    count.timecodeFromFrameCount(hh, mm, ss, ff, false, offset, pulldown, phase);
    return QString::asprintf("%02d:%02d:%02d:%02d", hh, mm, ss, ff);
}

} // namespace

class tst_FrameCount : public QObject
{
    Q_OBJECT

private slots:
    void timecodeBothWays_data();
    void timecodeBothWays();
    void dayWraps_data();
    void dayWraps();
    void packedWithoutDropFlagTakesTheNominalRate();
    void textOfTheWrongShapeGivesNoCount_data();
    void textOfTheWrongShapeGivesNoCount();
    void packedCacheFollowsChanges();
    void copiesAndComparisons();
    void unknownCountReportsEachOperation();
    void rateConversion_data();
    void rateConversion();
    void unusableRates();
    void pulldownMapsVideoFramesToFilmFrames();
    void pulldownRoundTripsEveryFirstVideoFrame();
    void pulldownCarriesAndBorrowsSeconds();
    void pulldownRefusesValuesOutsideItsTables();
    void largeTimecodeWrapsIn32Bits();
    void unitConversions_data();
    void unitConversions();
    void timestampHasItsForm();
};

void tst_FrameCount::timecodeBothWays_data()
{
    QTest::addColumn<float>("rate");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("frames");
    QTest::newRow("24: one hour") << 24.0f << "01:00:00:00" << qint64(86400);
    QTest::newRow("24: last frame of a second") << 24.0f << "00:00:01:23" << qint64(47);
    QTest::newRow("25: one hour") << 25.0f << "01:00:00:00" << qint64(90000);
    QTest::newRow("25: mixed") << 25.0f << "10:20:30:24" << qint64(((10 * 60 + 20) * 60 + 30) * 25 + 24);
    QTest::newRow("30: one minute") << 30.0f << "00:01:00:00" << qint64(1800);
    QTest::newRow("30: last frame of the day") << 30.0f << "23:59:59:29" << qint64(2591999);
    QTest::newRow("29.97: before the first drop") << 29.97f << "00;00;59;29" << qint64(1799);
    QTest::newRow("29.97: first minute skips two numbers") << 29.97f << "00;01;00;02" << qint64(1800);
    QTest::newRow("29.97: tenth minute drops none") << 29.97f << "00;10;00;00" << qint64(17982);
    QTest::newRow("29.97: one hour") << 29.97f << "01;00;00;00" << qint64(107892);
    QTest::newRow("29.97: last frame of the day") << 29.97f << "23;59;59;29" << qint64(17982 * 144 - 1);
    QTest::newRow("23.98: first minute skips two numbers") << 23.98f << "00;01;00;02" << qint64(1440);
    QTest::newRow("23.98: tenth minute") << 23.98f << "00;10;00;00" << qint64(14382);
}

void tst_FrameCount::timecodeBothWays()
{
    QFETCH(float, rate);
    QFETCH(QString, text);
    QFETCH(qint64, frames);
    const int hh = text.midRef(0, 2).toInt();
    const int mm = text.midRef(3, 2).toInt();
    const int ss = text.midRef(6, 2).toInt();
    const int ff = text.midRef(9, 2).toInt();

    QCOMPARE(FrameCount(hh, mm, ss, ff, rate).frameCount(), frames);
    FrameCount count(frames, rate);
    QCOMPARE(count.timecodeString(), text);
    QCOMPARE(count.frameCountFromString(text), frames);

    // Packed and back: the drop-frame flag keeps the rate.
    const quint32 packed = count.smpteTimecode();
    QCOMPARE(bool(packed & 0x40u), text.contains(QLatin1Char(';')));
    QCOMPARE(int(packed & 0xFu) + 10 * int((packed >> 4) & 0x3u), ff);
    QCOMPARE(int((packed >> 24) & 0xFu) + 10 * int((packed >> 28) & 0x3u), hh);
    const FrameCount back(packed, rate, false);
    QCOMPARE(back.rate(), rate);
    QCOMPARE(back.frameCount(), frames);
}

void tst_FrameCount::dayWraps_data()
{
    QTest::addColumn<float>("rate");
    QTest::addColumn<qint64>("frames");
    QTest::addColumn<bool>("keepFullDay");
    QTest::addColumn<QString>("text");
    QTest::newRow("minus one frame") << 30.0f << qint64(-1) << false << "23:59:59:29";
    QTest::newRow("one day") << 30.0f << qint64(2592000) << false << "00:00:00:00";
    QTest::newRow("one day kept whole") << 30.0f << qint64(2592000) << true << "24:00:00:00";
    QTest::newRow("two days kept whole") << 30.0f << qint64(2 * 2592000) << true << "24:00:00:00";
    QTest::newRow("a day and a frame") << 30.0f << qint64(2592001) << true << "00:00:00:01";
    QTest::newRow("minus one day") << 25.0f << qint64(-2160000) << true << "00:00:00:00";
    QTest::newRow("drop-frame day kept whole") << 29.97f << qint64(17982 * 144) << true << "24;00;00;00";
    QTest::newRow("drop-frame minus one") << 29.97f << qint64(-1) << false << "23;59;59;29";
}

void tst_FrameCount::dayWraps()
{
    QFETCH(float, rate);
    QFETCH(qint64, frames);
    QFETCH(bool, keepFullDay);
    QFETCH(QString, text);
    QCOMPARE(FrameCount(frames, rate).timecodeString(keepFullDay), text);
}

void tst_FrameCount::packedWithoutDropFlagTakesTheNominalRate()
{
    FrameCount count;
    QCOMPARE(count.setSmpteTimecode(0x01020304u, 29.97f), qint64(111694));
    QCOMPARE(count.rate(), 30.0f);
    QCOMPARE(count.smpteTimecode(), 0x01020304u);
    // With the flag set the rate stays drop-frame: 62 minutes less their 6 tenth minutes drop two each.
    QCOMPARE(count.setSmpteTimecode(0x01020344u, 29.97f), qint64(111694 - 2 * (62 - 6)));
    QCOMPARE(count.rate(), 29.97f);
    QCOMPARE(count.setSmpteTimecode(0x00000010u, 23.98f), qint64(10));
    QCOMPARE(count.rate(), 24.0f);
    // Any other rate is read as 30.
    QCOMPARE(count.setSmpteTimecode(0x00000100u, 50.0f), qint64(30));
    QCOMPARE(count.rate(), 30.0f);
}

void tst_FrameCount::textOfTheWrongShapeGivesNoCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ten characters") << "1:00:00:00";
    QTest::newRow("twelve characters") << "01:00:00:000";
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "aa:bb:cc:dd";
    QTest::newRow("one field not a number") << "01:0x:00:00";
}

void tst_FrameCount::textOfTheWrongShapeGivesNoCount()
{
    QFETCH(QString, text);
    QCOMPARE(FrameCount(0, 25.0f).frameCountFromString(text), FrameCount::noCount);
}

void tst_FrameCount::packedCacheFollowsChanges()
{
    FrameCount count(1800, 30.0f);
    QCOMPARE(count.smpteTimecode(), 0x00010000u);
    count.setFrameCount(1801);
    QCOMPARE(count.smpteTimecode(), 0x00010001u);
    count.setRate(25.0f); // 1801 frames at 30 are 1501 at 25: 00:01:00:01
    QCOMPARE(count.frameCount(), qint64(1501));
    QCOMPARE(count.smpteTimecode(), 0x00010001u);
    count.setFrameCount(25);
    QCOMPARE(count.smpteTimecode(), 0x00000100u);

    FrameCount other(3, 25.0f);
    other.smpteTimecode();
    other = count;
    QCOMPARE(other.smpteTimecode(), 0x00000100u);

    count.clear();
    QTest::ignoreMessage(QtDebugMsg, "FrameCount::smpteTimecode() wille framecount is unkonwn");
    QCOMPARE(count.smpteTimecode(), 0u);
    QCOMPARE(count.rate(), 30.0f);
}

void tst_FrameCount::copiesAndComparisons()
{
    const FrameCount five(5, 30.0f);
    const FrameCount six(6, 30.0f);
    QVERIFY(five < six);
    QVERIFY(six > five);
    QVERIFY(!(five > six));
    QVERIFY(five == FrameCount(5, 30.0f));
    QVERIFY(!(five == FrameCount(5, 25.0f)));

    FrameCount unknown(7, 25.0f);
    unknown.clear();
    const FrameCount copy(unknown);
    QVERIFY(copy == unknown);
    FrameCount assigned(9, 24.0f);
    assigned = five;
    QVERIFY(assigned == five);
    assigned = assigned;
    QVERIFY(assigned == five);

    QCOMPARE(FrameCount().rate(), 30.0f);
    QCOMPARE(FrameCount().frameCount(), FrameCount::noCount);
}

void tst_FrameCount::unknownCountReportsEachOperation()
{
    FrameCount unknown;
    unknown.clear();
    const FrameCount known(1, 30.0f);

    QTest::ignoreMessage(QtDebugMsg, unknownMessage(258));
    QVERIFY(!(unknown > known));
    QTest::ignoreMessage(QtDebugMsg, unknownMessage(276));
    QVERIFY(!(known < unknown));
    QTest::ignoreMessage(QtDebugMsg, unknownMessage(286));
    QCOMPARE(unknown.frameCount(), qint64(-1));
    QTest::ignoreMessage(QtDebugMsg, unknownMessage(349));
    QCOMPARE(timecodeText(unknown, 0, false, 1), QStringLiteral("00:00:00:00"));
    QTest::ignoreMessage(QtDebugMsg, unknownMessage(633));
    QCOMPARE(unknown.frameCountAtRate(25.0f), FrameCount::noCount);

    QTest::ignoreMessage(QtDebugMsg, "frame =  1");
    known.debugPrint();
    unknown.debugPrint(); // says nothing
}

void tst_FrameCount::rateConversion_data()
{
    QTest::addColumn<qint64>("frames");
    QTest::addColumn<float>("rate");
    QTest::addColumn<float>("newRate");
    QTest::addColumn<qint64>("converted");
    QTest::newRow("25 to 50 doubles") << qint64(100) << 25.0f << 50.0f << qint64(200);
    QTest::newRow("rounds half up") << qint64(1) << 30.0f << 25.0f << qint64(1);
    QTest::newRow("negative stored rate is its magnitude") << qint64(100) << -25.0f << 50.0f << qint64(200);
    QTest::newRow("negative new rate is its magnitude") << qint64(100) << 25.0f << -50.0f << qint64(200);
    // Only rate 0 is guarded: time-lapse rates below 1 follow the formula, 100 / 30 * 0.5 + 0.5 truncated.
    QTest::newRow("new rate below 1 converts") << qint64(100) << 30.0f << 0.5f << qint64(2);
    QTest::newRow("new rate 0 gives 0") << qint64(100) << 25.0f << 0.0f << qint64(0);
    QTest::newRow("stored rate 0 has no count") << qint64(100) << 0.0f << 25.0f << FrameCount::noCount;
    QTest::newRow("stored rate below 1 converts") << qint64(100) << 0.5f << 1.0f << qint64(200);
    QTest::newRow("negative stored rate below 1") << qint64(100) << -0.5f << 1.0f << qint64(200);
    QTest::newRow("beyond 64 bits") << std::numeric_limits<qint64>::max() << 1.0f << 1000.0f << FrameCount::noCount;
    QTest::newRow("NaN rate") << qint64(100) << std::nanf("") << 25.0f << FrameCount::noCount;
}

void tst_FrameCount::rateConversion()
{
    QFETCH(qint64, frames);
    QFETCH(float, rate);
    QFETCH(float, newRate);
    QFETCH(qint64, converted);
    FrameCount count(frames, rate);
    QCOMPARE(count.frameCountAtRate(newRate), converted);
    if (rate < 0)
        QCOMPARE(count.rate(), -rate);
}

void tst_FrameCount::unusableRates()
{
    QCOMPARE(FrameCount(1800, -29.97f).timecodeString(), QStringLiteral("00;01;00;02"));
    QCOMPARE(FrameCount(1, 2, 3, 4, -25.0f).frameCount(), qint64(((60 + 2) * 60 + 3) * 25 + 4));
    for (float rate : {0.0f, 0.5f, -0.99f, std::nanf(""), std::numeric_limits<float>::infinity(), 3e38f}) {
        FrameCount count(100, rate);
        QVERIFY(count.timecodeString().isEmpty() || count.timecodeString() == QLatin1String("00:00:00:00"));
        QCOMPARE(count.frameCountFromTimecode(0, 0, 1, 0), FrameCount::noCount);
        QCOMPARE(timecodeText(count, 0, false, 1), QStringLiteral("00:00:00:00"));
    }
    QVERIFY(FrameCount(100, 0.5f).timecodeString().isEmpty());
}

void tst_FrameCount::pulldownMapsVideoFramesToFilmFrames()
{
    const FrameCount count(0, 30.0f);
    int field = 9;
    // Video frame 2 of phase 1 is the second field of film frame 1.
    QCOMPARE(count.frameCountFromTimecode(0, 0, 1, 2, true, 1, &field), qint64(24 + 1));
    QCOMPARE(field, 1);
    QCOMPARE(count.frameCountFromTimecode(0, 0, 1, 3, true, 1, &field), qint64(24 + 2));
    QCOMPARE(field, 0);
    // Video frame 0 of phase 3 still shows the last film frame of the second before.
    QCOMPARE(count.frameCountFromTimecode(0, 0, 1, 0, true, 3, &field), qint64(24));
    QCOMPARE(field, -1);
    QCOMPARE(timecodeText(FrameCount(25, 30.0f), 0, true, 1), QStringLiteral("00:00:01:01"));
}

void tst_FrameCount::pulldownRoundTripsEveryFirstVideoFrame()
{
    for (float rate : {30.0f, 29.97f}) {
        for (int phase = 1; phase <= 4; ++phase) {
            for (int video = 0; video < 30; ++video) {
                const FrameCount probe(0, rate);
                int field = -1;
                const qint64 frames = probe.frameCountFromTimecode(0, 0, 5, video, true, phase, &field);
                if (field != 0)
                    continue; // the second field of a film frame maps back to its first video frame
                const QString back = timecodeText(FrameCount(frames, rate), 0, true, phase);
                QCOMPARE(back, QString::asprintf("00:00:05:%02d", video));
            }
        }
    }
}

void tst_FrameCount::pulldownCarriesAndBorrowsSeconds()
{
    // Film frame 23 of phase 4 shows first in video frame 0 of the next second.
    QCOMPARE(timecodeText(FrameCount(24 + 23, 30.0f), 0, true, 4), QStringLiteral("00:00:02:00"));
    QCOMPARE(timecodeText(FrameCount(24, 30.0f), -1, true, 1), QStringLiteral("00:00:00:29"));
    QCOMPARE(timecodeText(FrameCount(24 + 22, 30.0f), 2, true, 1), QStringLiteral("00:00:02:00"));
    QCOMPARE(timecodeText(FrameCount(0, 30.0f), -1, true, 1), QStringLiteral("23:59:59:29"));
    QCOMPARE(timecodeText(FrameCount(24 * 86400 - 1, 30.0f), 1, true, 1), QStringLiteral("00:00:00:00"));
}

void tst_FrameCount::pulldownRefusesValuesOutsideItsTables()
{
    const FrameCount count(0, 30.0f);
    QCOMPARE(count.frameCountFromTimecode(0, 0, 0, 30, true, 1), FrameCount::noCount);
    QCOMPARE(count.frameCountFromTimecode(0, 0, 0, -1, true, 1), FrameCount::noCount);
    QCOMPARE(count.frameCountFromTimecode(0, 0, 0, 1, true, 0), FrameCount::noCount);
    QCOMPARE(count.frameCountFromTimecode(0, 0, 0, 1, true, 5), FrameCount::noCount);
    // A bad phase on the way out is reported and leaves the film frame as computed.
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^FrameCount::timecodeFromFrameCount wrong pulldown phase value:\\s+7$")));
    QCOMPARE(timecodeText(FrameCount(24 + 20, 30.0f), 0, true, 7), QStringLiteral("00:00:01:20"));
}

void tst_FrameCount::largeTimecodeWrapsIn32Bits()
{
    // 1,000,000 hours at 30 frames overflow 32 bits; the sum wraps as unsigned arithmetic does.
    const quint32 wrapped = 1000000u * 108000u;
    QCOMPARE(FrameCount(1000000, 0, 0, 0, 30.0f).frameCount(), qint64(qint32(wrapped)));
    const quint32 dropped = 1000000u * 108000u - 2u * (60000000u - 6000000u);
    QCOMPARE(FrameCount(1000000, 0, 0, 0, 29.97f).frameCount(), qint64(qint32(dropped)));
}

void tst_FrameCount::unitConversions_data()
{
    QTest::addColumn<qint64>("result");
    QTest::addColumn<qint64>("expected");
    const qint64 smallest = std::numeric_limits<qint64>::min();
    const qint64 largest = std::numeric_limits<qint64>::max();
    QTest::newRow("frames to milliseconds") << MTools::toTimeBase(48, 2, 24.0f, 0, 1000) << qint64(2000);
    QTest::newRow("ticks to milliseconds") << MTools::toTimeBase(90000, 3, 0.0f, 90000, 1000) << qint64(1000);
    QTest::newRow("same tick rate passes") << MTools::toTimeBase(5, 3, 0.0f, 1000, 1000) << qint64(5);
    QTest::newRow("frame rate 0") << MTools::toTimeBase(5, 2, 0.0f, 0, 1000) << qint64(0);
    QTest::newRow("tick rate 0") << MTools::toTimeBase(5, 3, 24.0f, 0, 1000) << qint64(0);
    QTest::newRow("other kind passes") << MTools::toTimeBase(7, 9, 24.0f, 1, 2) << qint64(7);
    QTest::newRow("truncated toward zero") << MTools::toTimeBase(-1, 2, 3.0f, 0, 1) << qint64(0);
    QTest::newRow("to: beyond 64 bits") << MTools::toTimeBase(largest, 3, 0.0f, 1, 1000) << smallest;
    QTest::newRow("milliseconds to frames") << MTools::fromTimeBase(2000, 2, 24.0f, 0, 1000) << qint64(48);
    QTest::newRow("milliseconds to ticks") << MTools::fromTimeBase(1000, 3, 0.0f, 90000, 1000) << qint64(90000);
    QTest::newRow("from: source rate 0") << MTools::fromTimeBase(1000, 3, 0.0f, 90000, 0) << qint64(0);
    QTest::newRow("from: beyond 64 bits") << MTools::fromTimeBase(largest, 2, 1000.0f, 0, 1) << smallest;
    QTest::newRow("ticks to frames via a base") << MTools::ticksToFramesVia(90000, 25.0f, 90000, 1000) << qint64(25);
    QTest::newRow("frames to ticks via a base") << MTools::framesToTicksVia(25, 25.0f, 90000, 1000) << qint64(90000);
    QTest::newRow("via base 0") << MTools::framesToTicksVia(25, 25.0f, 90000, 0) << qint64(0);
    QTest::newRow("ticks to frames") << MTools::ticksToFrames(90000, 29.97f, 90000) << qint64(29);
    QTest::newRow("ticks to frames, negative rate keeps its sign") << MTools::ticksToFrames(90000, -25.0f, 90000) << qint64(-25);
    QTest::newRow("ticks to frames, tick rate 0") << MTools::ticksToFrames(90000, 25.0f, 0) << qint64(0);
    QTest::newRow("frames to ticks") << MTools::framesToTicks(30, 30.0f, 90000) << qint64(90000);
    QTest::newRow("frames to ticks, rate 0") << MTools::framesToTicks(1, 0.0f, 90000) << qint64(0);
    QTest::newRow("frames to ticks, NaN rate") << MTools::framesToTicks(1, std::nanf(""), 90000) << smallest;
    // Time-lapse: a rate below one frame per second still converts; only 0 means none.
    QTest::newRow("time-lapse: to") << MTools::toTimeBase(10, 2, 0.5f, 0, 50) << qint64(1000);
    QTest::newRow("time-lapse: from") << MTools::fromTimeBase(1000, 2, 0.5f, 0, 50) << qint64(10);
    QTest::newRow("time-lapse: ticks to frames, 20 s") << MTools::ticksToFrames(1800000, 0.25f, 90000) << qint64(5);
    QTest::newRow("time-lapse: frames to ticks") << MTools::framesToTicks(3, 0.5f, 90000) << qint64(540000);
    QTest::newRow("time-lapse: ticks to frames via a base") << MTools::ticksToFramesVia(900000, 0.5f, 90000, 1000) << qint64(5);
    QTest::newRow("time-lapse: frames to ticks via a base") << MTools::framesToTicksVia(5, 0.5f, 90000, 1000) << qint64(900000);
    QTest::newRow("to: negative rate keeps its sign") << MTools::toTimeBase(48, 2, -24.0f, 0, 1000) << qint64(-2000);
    QTest::newRow("from: negative rate keeps its sign") << MTools::fromTimeBase(2000, 2, -0.5f, 0, 1000) << qint64(-1);
    QTest::newRow("frames to ticks, negative rate keeps its sign") << MTools::framesToTicks(1, -0.5f, 90000) << qint64(-180000);
    QTest::newRow("to: tiny rate beyond 64 bits") << MTools::toTimeBase(largest, 2, 1e-30f, 0, 1) << smallest;
}

void tst_FrameCount::unitConversions()
{
    QFETCH(qint64, result);
    QFETCH(qint64, expected);
    QCOMPARE(result, expected);
}

void tst_FrameCount::timestampHasItsForm()
{
    const QString stamp = MTools::timestamp();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d:\\d\\d:\\d\\d:\\d{3}$")).match(stamp).hasMatch(),
             qPrintable(stamp));
    QCOMPARE(stamp.left(10), QDate::currentDate().toString(Qt::ISODate));
}

QTEST_APPLESS_MAIN(tst_FrameCount)
#include "tst_FrameCount.moc"
