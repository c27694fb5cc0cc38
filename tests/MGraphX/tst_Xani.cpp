#include "HangBound.h"
#include "ChildRun.h"
#include "HangBound.h"
#include "HostileFile.h"

#include "MGraphX/Xani.h"
#include "MTools/FileReading.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using MGraphX::Xani;
using MGraphX::XaniFrame;

namespace {

QImage solid(QRgb colour, int w = 4, int h = 3)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

XaniFrame frameOf(const QImage &image, const QString &name, int duration = 40, bool background = false)
{
    XaniFrame frame;
    frame.setImage(image);
    frame.setName(name);
    frame.setDuration(duration);
    frame.setBackground(background);
    return frame;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, -1);
    return bytes;
}

QByteArray field(qint64 value)
{
    return QByteArray::number(value, 16).leftJustified(16, ' ');
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_Xani : public QObject
{
    Q_OBJECT

private slots:
    void frameRecord();
    void baseName_data();
    void baseName();
    void frameList();
    void nextFrameWrapsAround();
    void nextFrameWithoutFramesStops();
    void receiverMayDeleteTheAnimationOnATick();
    void setCurrentIndexOutOfRange_data();
    void setCurrentIndexOutOfRange();
    void startTicksEverySecond();
    void copyAndAssignment();
    void fileLayout();
    void emptyAnimationFile();
    void namesAndFormatsAreEscapedAndNotExpanded();
    void unencodableFrameAddsNoBytes();
    void failedSaveKeepsTheOldFile();
    void saveToAFolderFails();
    void saveLargerThanTheReaderTakesIsRefused();
    void readDescription();
    void longDescriptionIsLoggedInPart();
    void readDescriptionOfBadFiles_data();
    void readDescriptionOfBadFiles();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();

private:
    QTemporaryDir m_dir;
};

void tst_Xani::frameRecord()
{
    XaniFrame frame;
    QVERIFY(frame.image().isNull());
    QCOMPARE(frame.name(), QString());
    QCOMPARE(frame.format(), QString("PNG"));
    QCOMPARE(frame.duration(), -1);
    QCOMPARE(frame.background(), false);
    QCOMPARE(frame.start(), qint64(-1));
    QCOMPARE(frame.size(), qint64(-1));
    frame.setFormat("BMP");
    frame.setStart(40);
    frame.setSize(Q_INT64_C(5000000000));
    QCOMPARE(frame.format(), QString("BMP"));
    QCOMPARE(frame.start(), qint64(40));
    QCOMPARE(frame.size(), Q_INT64_C(5000000000));
}

void tst_Xani::baseName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::newRow("up to the first dot") << "walk.cycle.png" << "walk";
    QTest::newRow("no dot") << "walk" << "walk";
    QTest::newRow("leading dot") << ".hidden" << "";
    QTest::newRow("empty") << "" << "";
}

void tst_Xani::baseName()
{
    QFETCH(QString, name);
    QFETCH(QString, base);
    XaniFrame frame;
    frame.setName(name);
    QCOMPARE(frame.baseName(), base);
}

void tst_Xani::frameList()
{
    Xani animation;
    QCOMPARE(animation.loop(), 1);
    QCOMPARE(animation.frameDuration(), 1000);
    QCOMPARE(animation.appendFrame(frameOf(solid(qRgb(1, 0, 0)), "a")), 1);
    QCOMPARE(animation.appendFrame(frameOf(solid(qRgb(2, 0, 0)), "b")), 2);
    QCOMPARE(animation.frameCount(), 2);
    QCOMPARE(animation.frame(1).name(), QString("b"));
    QCOMPARE(animation.frame(2).name(), QString());
    QCOMPARE(animation.frame(-1).format(), QString("PNG"));
    QVERIFY(animation.frame(-1).image().isNull());
    animation.replaceFrame(0, frameOf(solid(qRgb(3, 0, 0)), "c"));
    animation.replaceFrame(-1, frameOf(solid(qRgb(4, 0, 0)), "d"));
    animation.replaceFrame(2, frameOf(solid(qRgb(5, 0, 0)), "e"));
    QCOMPARE(animation.frame(0).name(), QString("c"));
    QCOMPARE(animation.frame(1).name(), QString("b"));
    QCOMPARE(animation.frameCount(), 2);
    animation.clearFrames();
    QCOMPARE(animation.frameCount(), 0);
}

void tst_Xani::nextFrameWrapsAround()
{
    Xani animation;
    animation.setLoop(0);
    const QRgb colours[3] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (QRgb colour : colours)
        animation.appendFrame(frameOf(solid(colour), "f"));
    QSignalSpy spy(&animation, &Xani::frameChanged);
    const int expected[5] = {0, 1, 2, 0, 1};
    for (int step = 0; step < 5; ++step) {
        animation.nextFrame();
        QCOMPARE(spy.count(), step + 1);
        QCOMPARE(animation.pixel(0, 0), colours[expected[step]]);
    }
}

void tst_Xani::nextFrameWithoutFramesStops()
{
    Xani animation;
    QSignalSpy spy(&animation, &Xani::frameChanged);
    animation.start();
    QVERIFY(animation.isRunning());
    animation.nextFrame();
    QVERIFY(!animation.isRunning());
    QCOMPARE(spy.count(), 0);
}

// The owner of an animation may delete it when a frame changes: the tick that said so reads nothing of it after.
void tst_Xani::receiverMayDeleteTheAnimationOnATick()
{
    RUN_ROW_IN_CHILD();
    QPointer<Xani> animation = new Xani;
    animation->appendFrame(frameOf(solid(qRgb(255, 0, 0)), "a"));
    animation->appendFrame(frameOf(solid(qRgb(0, 255, 0)), "b"));
    connect(animation.data(), &Xani::frameChanged, this, [animation] { delete animation.data(); });
    animation->start();
    QTRY_VERIFY_WITH_TIMEOUT(animation.isNull(), HangBoundMs);
}

void tst_Xani::setCurrentIndexOutOfRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("past the end") << 5;
    QTest::newRow("negative") << -1;
}

void tst_Xani::setCurrentIndexOutOfRange()
{
    QFETCH(int, index);
    Xani animation;
    animation.appendFrame(frameOf(solid(qRgb(255, 0, 0)), "a"));
    animation.appendFrame(frameOf(solid(qRgb(0, 255, 0)), "b"));
    animation.setCurrentIndex(1);
    QVERIFY(!animation.isNull());
    QSignalSpy spy(&animation, &Xani::frameChanged);
    animation.setCurrentIndex(index);
    QCOMPARE(spy.count(), 1);
    QVERIFY(animation.isNull());
    // The index of the next tick is not moved.
    animation.nextFrame();
    QCOMPARE(animation.pixel(0, 0), qRgb(255, 0, 0));
}

void tst_Xani::startTicksEverySecond()
{
    Xani animation;
    animation.setFrameDuration(40);
    animation.appendFrame(frameOf(solid(qRgb(255, 0, 0)), "a"));
    QSignalSpy spy(&animation, &Xani::frameChanged);
    animation.start();
    QCOMPARE(animation.interval(), 1000);
    QVERIFY(spy.wait(HangBoundMs));
    QCOMPARE(animation.pixel(0, 0), qRgb(255, 0, 0));
    animation.stop();
    QVERIFY(!animation.isRunning());
    QVERIFY(!animation.isNull());
}

void tst_Xani::copyAndAssignment()
{
    Xani original;
    original.setLoop(3);
    original.setFrameDuration(25);
    original.appendFrame(frameOf(solid(qRgb(255, 0, 0)), "a"));
    original.setCurrentIndex(0);
    original.readDescription(m_dir.filePath("none.xani"));
    const Xani copy(original);
    QCOMPARE(copy.loop(), 3);
    QCOMPARE(copy.frameDuration(), 25);
    QCOMPARE(copy.frameCount(), 1);
    QCOMPARE(copy.path(), QString());
    QVERIFY(copy.isNull());
    QCOMPARE(copy.parent(), nullptr);

    Xani assigned;
    assigned.appendFrame(frameOf(solid(qRgb(0, 0, 255)), "x"));
    assigned.appendFrame(frameOf(solid(qRgb(0, 0, 255)), "y"));
    assigned = original;
    QCOMPARE(assigned.loop(), 3);
    QCOMPARE(assigned.frameCount(), 1);
    QCOMPARE(assigned.frame(0).name(), QString("a"));
    // The assigned animation keeps its own timer connection.
    QSignalSpy spy(&assigned, &Xani::frameChanged);
    assigned.nextFrame();
    QCOMPARE(spy.count(), 1);
}

void tst_Xani::fileLayout()
{
    Xani animation;
    animation.setLoop(2);
    animation.setFrameDuration(80);
    const QImage first = solid(qRgb(255, 0, 0), 5, 5);
    const QImage second = solid(qRgb(0, 0, 255), 30, 20);
    animation.appendFrame(frameOf(first, "first.png", 40));
    XaniFrame bmp = frameOf(second, "second", 120, true);
    bmp.setFormat("BMP");
    animation.appendFrame(bmp);
    const QString path = m_dir.filePath("layout.xani");
    QVERIFY(animation.save(path, -1));

    const QByteArray a = encoded(first, "PNG");
    const QByteArray b = encoded(second, "BMP");
    const qint64 images = a.size() + b.size();
    const QByteArray description = "<Xani loop = \"2\" frameduration=\"80\" framecount=\"2\">\n"
                                   "<Image index=\"0\" name=\"first.png\" format=\"PNG\" duration=\"40\" background=\"false\">\n"
                                   "  <data start=\"40\" size=\"" + QByteArray::number(a.size()) + "\">\n"
                                   "</Image>\n"
                                   "<Image index=\"1\" name=\"second\" format=\"BMP\" duration=\"120\" background=\"true\">\n"
                                   "  <data start=\"" + QByteArray::number(40 + a.size()) + "\" size=\"" + QByteArray::number(b.size()) + "\">\n"
                                   "</Image>\n"
                                   "</Xani>";
    const QByteArray expected = "XANI" + field(60 + images + description.size()) + "BIND" + field(images) + a + b + "XMLD"
        + field(description.size()) + description;
    const QByteArray actual = readAll(path);
    QCOMPARE(actual.size(), expected.size());
    QCOMPARE(actual, expected);
    QCOMPARE(actual.mid(4, 16), field(actual.size()));
}

void tst_Xani::emptyAnimationFile()
{
    Xani animation;
    const QString path = m_dir.filePath("empty.xani");
    QVERIFY(animation.save(path, -1));
    const QByteArray description = "<Xani loop = \"1\" frameduration=\"1000\" framecount=\"0\">\n</Xani>";
    const QByteArray actual = readAll(path);
    QCOMPARE(actual.size(), 60 + description.size());
    QCOMPARE(actual.mid(24, 16), QByteArray("0               "));
    QCOMPARE(actual.mid(4, 16), field(60 + description.size()));
    QCOMPARE(actual.mid(40, 4), QByteArray("XMLD"));
    QCOMPARE(actual.mid(60), description);
}

void tst_Xani::namesAndFormatsAreEscapedAndNotExpanded()
{
    Xani animation;
    animation.appendFrame(frameOf(solid(qRgb(1, 2, 3)), "a&b <\"c\">"));
    animation.appendFrame(frameOf(solid(qRgb(1, 2, 3)), "<!SIZE!> and <!START!>"));
    XaniFrame odd = frameOf(solid(qRgb(1, 2, 3)), "odd");
    odd.setFormat("PNG\" evil=\"1");
    animation.appendFrame(odd);
    const QString path = m_dir.filePath("names.xani");
    QVERIFY(animation.save(path, -1));
    const QByteArray file = readAll(path);
    QVERIFY(file.contains("name=\"a&amp;b &lt;&quot;c&quot;&gt;\" format=\"PNG\""));
    QVERIFY(file.contains("name=\"&lt;!SIZE!&gt; and &lt;!START!&gt;\" format=\"PNG\""));
    // A quote in the format must not end the attribute and start one of its own.
    QVERIFY(file.contains("name=\"odd\" format=\"PNG&quot; evil=&quot;1\" duration=\"40\""));
    QVERIFY(!file.contains("evil=\"1\""));
}

void tst_Xani::unencodableFrameAddsNoBytes()
{
    Xani animation;
    XaniFrame broken = frameOf(solid(qRgb(1, 2, 3)), "broken");
    broken.setFormat("NOSUCHFORMAT");
    animation.appendFrame(broken);
    animation.appendFrame(frameOf(solid(qRgb(1, 2, 3)), "fine"));
    const QString path = m_dir.filePath("broken.xani");
    QVERIFY(animation.save(path, -1));
    const QByteArray file = readAll(path);
    QVERIFY(file.contains("name=\"broken\" format=\"NOSUCHFORMAT\" duration=\"40\" background=\"false\">\n  <data start=\"40\" size=\"0\">"));
    QVERIFY(file.contains("name=\"fine\" format=\"PNG\" duration=\"40\" background=\"false\">\n  <data start=\"40\" size=\""));
}

void tst_Xani::failedSaveKeepsTheOldFile()
{
    const QString path = m_dir.filePath("kept.xani");
    QVERIFY(writeAll(path, "old contents"));
    Xani animation;
    XaniFrame big = frameOf(solid(qRgb(1, 2, 3), 300, 300), "big");
    big.setFormat("BMP");
    animation.appendFrame(big);
    // A file-size limit makes the write fail part way, as a full disk would.
    rlimit previous;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = animation.save(path, -1);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!saved);
    QCOMPARE(readAll(path), QByteArray("old contents"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter("kept"), QStringList{"kept.xani"});
}

void tst_Xani::saveToAFolderFails()
{
    Xani animation;
    QVERIFY(!animation.save(m_dir.path(), -1));
    QVERIFY(!animation.save(m_dir.filePath("no/such/folder/a.xani"), -1));
}

// readDescription refuses a file larger than its bound: an animation that would make one is not saved, rather than
// saved as a file that cannot be read again.
void tst_Xani::saveLargerThanTheReaderTakesIsRefused()
{
    RUN_ROW_IN_CHILD();
    const QString path = m_dir.filePath("large.xani");
    QVERIFY(writeAll(path, "old contents"));
    QImage picture(4096, 4096, QImage::Format_RGB888);
    picture.fill(qRgb(10, 20, 30));
    // 48 MB each as a BMP: six pass the 256 MB that the reader takes.
    XaniFrame frame = frameOf(picture, "f");
    frame.setFormat("BMP");
    Xani animation;
    for (int i = 0; i < 6; ++i)
        animation.appendFrame(frame);
    QString error;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("large\\.xani was not saved: The file would be larger than "
                                                          "256 MB"));
    QVERIFY(!animation.save(path, -1, &error));
    QCOMPARE(error, QString("The file would be larger than 256 MB, the most this program reads of such a file"));
    QCOMPARE(readAll(path), QByteArray("old contents"));
}

void tst_Xani::readDescription()
{
    Xani animation;
    animation.setLoop(4);
    animation.appendFrame(frameOf(solid(qRgb(255, 0, 0)), "one"));
    const QString path = m_dir.filePath("read.xani");
    QVERIFY(animation.save(path, -1));
    const QByteArray file = readAll(path);
    const qint64 images = file.mid(24, 16).trimmed().toLongLong(nullptr, 16);
    const QByteArray description = file.mid(int(60 + images));

    Xani reader;
    QTest::ignoreMessage(QtDebugMsg, qPrintable("XXXX:" + QString::number(description.size(), 16)));
    QTest::ignoreMessage(QtDebugMsg, qPrintable("XXXX:" + QString::number(description.size())));
    QTest::ignoreMessage(QtDebugMsg, qPrintable("$$$$$$$$$$$$$$" + QString::fromLatin1(description)));
    QCOMPARE(reader.readDescription(path), QString::fromLatin1(description));
    QVERIFY(description.startsWith("<Xani loop = \"4\" frameduration=\"1000\" framecount=\"1\">\n"));
    QCOMPARE(reader.path(), path);
    QCOMPARE(reader.frameCount(), 0);
}

// The whole description comes back; the log gets its first 10,000 characters and how many it left out.
void tst_Xani::longDescriptionIsLoggedInPart()
{
    const QByteArray description = "<Xani" + QByteArray(30000 - 13, 'd') + "></Xani>";
    const QByteArray images(5000, 'i');
    const QString path = m_dir.filePath("long.xani");
    QVERIFY(writeAll(path, "XANI" + field(60 + images.size() + description.size()) + "BIND" + field(images.size())
                               + images + "XMLD" + field(description.size()) + description));
    Xani reader;
    QTest::ignoreMessage(QtDebugMsg, qPrintable("XXXX:" + QString::number(description.size(), 16)));
    QTest::ignoreMessage(QtDebugMsg, "XXXX:30000");
    QTest::ignoreMessage(QtDebugMsg, qPrintable("$$$$$$$$$$$$$$" + QString::fromLatin1(description.left(10000))
                                                + QString::fromUtf8("… (20000 more characters)")));
    QCOMPARE(reader.readDescription(path), QString::fromLatin1(description));
}

void tst_Xani::readDescriptionOfBadFiles_data()
{
    QTest::addColumn<QByteArray>("contents");
    const QByteArray description = "<Xani loop = \"1\" frameduration=\"1000\" framecount=\"0\">\n</Xani>";
    const QByteArray good = "XANI" + field(60 + description.size()) + "BIND" + field(0) + "XMLD" + field(description.size()) + description;
    QTest::newRow("truncated description") << good.left(good.size() - 5);
    QTest::newRow("head only") << good.left(40);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("image size past the end") << QByteArray(good).replace(24, 16, field(0x7fffffff));
    QTest::newRow("image size of 64 bits") << QByteArray(good).replace(24, 16, "7fffffffffffffff");
    QTest::newRow("image size that overflows") << QByteArray(good).replace(24, 16, "ffffffffffffffff");
    QTest::newRow("negative image size") << QByteArray(good).replace(24, 16, field(-20));
    QTest::newRow("description size past the end") << QByteArray(good).replace(44, 16, field(0x10000000));
    QTest::newRow("size that is not hexadecimal") << QByteArray(good).replace(44, 16, "zz              ");
    QTest::newRow("blank size") << QByteArray(good).replace(44, 16, QByteArray(16, ' '));
}

void tst_Xani::readDescriptionOfBadFiles()
{
    QFETCH(QByteArray, contents);
    const QString path = m_dir.filePath("bad.xani");
    QVERIFY(writeAll(path, contents));
    Xani reader;
    QCOMPARE(reader.readDescription(path), QString());
    QCOMPARE(reader.readDescription(m_dir.filePath("missing.xani")), QString());
}

void tst_Xani::hostileFilesAreRefused_data()
{
    addHostileFileRows();
}

void tst_Xani::hostileFilesAreRefused()
{
    RUN_ROW_IN_CHILD();
    const HostileFile hostile = makeHostileFile(m_dir.path(), MTools::AnimationFileBound);
    Xani animation;
    QString error;
    QCOMPARE(animation.readDescription(hostile.path, &error), QString());
    QCOMPARE(error, hostile.reason);
}

QTEST_MAIN(tst_Xani)
#include "tst_Xani.moc"
