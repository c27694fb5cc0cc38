#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest difference of one channel between two pictures of the same size.
int largestDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        const QRgb *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const QRgb *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            largest = std::max({largest, std::abs(qRed(l[x]) - qRed(r[x])), std::abs(qGreen(l[x]) - qGreen(r[x])),
                                std::abs(qBlue(l[x]) - qBlue(r[x])), std::abs(qAlpha(l[x]) - qAlpha(r[x]))});
        }
    }
    return largest;
}

} // namespace

// The compiled-in pictures are what the generator draws today: a change to the generator that was not drawn
// again, or a generator that no longer builds, fails here. The pictures are compared as pixels, with room for
// the last bit of rounding that another processor's drawing or JPEG code may give.
class tst_DrawImages : public QObject
{
    Q_OBJECT

private slots:
    void compiledInPicturesAreCurrent()
    {
        QTemporaryDir drawn;
        QVERIFY2(drawn.isValid(), qPrintable(drawn.errorString()));
        QProcess generator;
        generator.start(QStringLiteral(TARSEL_DRAWIMAGES), {drawn.path()});
        QVERIFY2(generator.waitForFinished(60000), qPrintable(generator.errorString()));
        QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
        QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());

        const QDir kept(QStringLiteral(TARSEL_IMAGES_DIR));
        const QStringList names = QDir(drawn.path()).entryList(QDir::Files);
        QVERIFY(names.size() > 100);
        for (const QString &name : names) {
            const QImage now(QDir(drawn.path()).filePath(name));
            const QImage stored(kept.filePath(name));
            QVERIFY2(!now.isNull() && !stored.isNull(), qPrintable(name));
            QVERIFY2(now.size() == stored.size(), qPrintable(name));
            const int difference = largestDifference(now, stored);
            QVERIFY2(difference <= 2, qPrintable(QStringLiteral("%1 differs by %2").arg(name).arg(difference)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_DrawImages)
#include "tst_DrawImages.moc"
