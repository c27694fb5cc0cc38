#include "HangBound.h"
#include "QMWidgets/widgets/MovieLabel.h"

#include "resources/Resources.h"

#include <QMovie>
#include <QPointer>
#include <QtTest>

using QMWidgets::MovieLabel;

namespace {
const QString s_loading = QStringLiteral(":/pix/loading.gif");
}

class tst_MovieLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Resources::init();
    }

    void labelHoldsTheMovie()
    {
        MovieLabel label(s_loading);
        QCOMPARE(label.objectName(), QString("MovieLabel"));
        QCOMPARE(label.alignment(), Qt::AlignCenter);
        QMovie *movie = label.movie();
        QVERIFY(movie);
        QCOMPARE(movie->fileName(), s_loading);
        QVERIFY2(movie->isValid(), qPrintable(movie->lastErrorString()));
        QVERIFY(movie->frameCount() > 1);
        QCOMPARE(movie->state(), QMovie::NotRunning);
        label.setSpeed(250);
        QCOMPARE(movie->speed(), 250);
    }

    void playsUntilHidden_data()
    {
        QTest::addColumn<int>("stopAfter");
        QTest::newRow("no delay set") << -2;
        QTest::newRow("zero never stops") << 0;
        QTest::newRow("negative never stops") << -1;
    }

    void playsUntilHidden()
    {
        QFETCH(int, stopAfter);
        MovieLabel label(s_loading);
        if (stopAfter != -2)
            label.setStopAfter(stopAfter);
        QSignalSpy states(label.movie(), &QMovie::stateChanged);
        QSignalSpy frames(label.movie(), &QMovie::frameChanged);
        label.show();
        QCOMPARE(label.movie()->state(), QMovie::Running);
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 4, HangBoundMs);
        QCOMPARE(label.movie()->state(), QMovie::Running);
        label.hide();
        QCOMPARE(label.movie()->state(), QMovie::NotRunning);
        QCOMPARE(states.count(), 2);
    }

    void stopsAfterTheDelayOfEachShow()
    {
        MovieLabel label(s_loading);
        label.setStopAfter(300);
        QSignalSpy states(label.movie(), &QMovie::stateChanged);
        for (int showing = 0; showing < 2; ++showing) {
            QElapsedTimer clock;
            clock.start();
            label.show();
            QCOMPARE(label.movie()->state(), QMovie::Running);
            QTRY_COMPARE_WITH_TIMEOUT(label.movie()->state(), QMovie::NotRunning, HangBoundMs);
            QVERIFY2(clock.elapsed() >= 280, qPrintable(QString::number(clock.elapsed())));
            QVERIFY(label.isVisible());
            label.hide();
        }
        QCOMPARE(states.count(), 4);
    }

    // A stop meant for an earlier showing must not cut a later one short.
    void hideCancelsThePendingStop()
    {
        MovieLabel label(s_loading);
        label.setStopAfter(400);
        label.show();
        label.hide();
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() >= 250, HangBoundMs);
        clock.restart();
        label.show();
        QTRY_COMPARE_WITH_TIMEOUT(label.movie()->state(), QMovie::NotRunning, HangBoundMs);
        QVERIFY2(clock.elapsed() >= 370, qPrintable(QString::number(clock.elapsed())));
    }

    // 110 x 55 leaves the movie 100 x 50: a margin of about a tenth.
    void movieKeepsAMargin()
    {
        QWidget window;
        auto *label = new MovieLabel(s_loading, &window);
        window.show();
        label->resize(110, 55);
        QCOMPARE(label->movie()->scaledSize(), QSize(100, 50));
        label->resize(33, 22);
        QCOMPARE(label->movie()->scaledSize(), QSize(30, 20));
    }

    void missingFileLeavesAnEmptyLabel()
    {
        MovieLabel label(QStringLiteral(":/pix/no-such-movie.gif"));
        label.setStopAfter(50);
        label.resize(110, 55);
        label.show();
        QVERIFY(!label.movie()->isValid());
        QCOMPARE(label.movie()->state(), QMovie::NotRunning);
        label.hide();
    }

    void movieIsFreedWithTheLabel()
    {
        auto *label = new MovieLabel(s_loading);
        label->show();
        const QPointer<QMovie> movie = label->movie();
        QVERIFY(movie);
        delete label;
        QVERIFY(movie.isNull());
    }
};

QTEST_MAIN(tst_MovieLabel)
#include "tst_MovieLabel.moc"
