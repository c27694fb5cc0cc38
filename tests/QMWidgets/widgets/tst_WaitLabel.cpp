#include "HangBound.h"
#include "QMWidgets/widgets/WaitLabel.h"

#include "PaintedText.h"
#include "ScaledRun.h"
#include "resources/Resources.h"

#include <QLayout>
#include <QMovie>
#include <QPointer>
#include <QtTest>

using QMWidgets::WaitLabel;

class tst_WaitLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Resources::init();
    }

    void translucentWindowOnTop()
    {
        QWidget owner;
        WaitLabel label(QStringLiteral("Checking for updates"), &owner);
        QVERIFY(label.isWindow());
        const Qt::WindowFlags flags = label.windowFlags();
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(qAbs(label.windowOpacity() - 0.5) < 0.01); // kept in 8 bits
        QCOMPARE(label.text(), QString("Checking for updates"));
        QCOMPARE(label.minimumHeight(), 300);
        QCOMPARE(label.maximumHeight(), 300);
        QCOMPARE(label.minimumWidth(), label.maximumWidth());
        QCOMPARE(label.layout()->contentsMargins(), QMargins(20, 20, 20, 20));
        QCOMPARE(label.layout()->spacing(), 10);
    }

    // The animation plays from construction on, in a label five pixels larger than its frames.
    void animationRunsBeforeTheFirstShow()
    {
        WaitLabel label(QStringLiteral("Please wait"));
        auto *animation = label.findChild<QLabel *>();
        QVERIFY(animation);
        QMovie *movie = animation->movie();
        QVERIFY(movie);
        QVERIFY2(movie->isValid(), qPrintable(movie->lastErrorString()));
        QCOMPARE(movie->state(), QMovie::Running);
        QVERIFY(!movie->currentPixmap().isNull());
        QCOMPARE(animation->minimumSize(), movie->currentPixmap().size() + QSize(5, 5));
        QCOMPARE(animation->maximumSize(), animation->minimumSize());
        QSignalSpy frames(movie, &QMovie::frameChanged);
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 3, HangBoundMs);
    }

    // The animation and the message each keep a place of their own, under the application style sheet too.
    void animationLeavesTheMessageFree()
    {
        WaitLabel label(QStringLiteral("Please wait\u2026"));
        label.setStyleSheet(Resources::styleSheet());
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        const QRect animation = label.findChild<QLabel *>()->geometry();
        const QRectF message = paintedBox(paintedTexts(label), QStringLiteral("Please wait"));
        QVERIFY2(!message.isNull(), "no message drawn");
        QVERIFY(QRectF(label.rect()).contains(message));
        QVERIFY2(!message.intersects(QRectF(animation)),
                 qPrintable(QString("message from y %1 to %2, animation from %3 to %4")
                                .arg(message.top()).arg(message.bottom()).arg(animation.top()).arg(animation.bottom() + 1)));
    }

    void animationLeavesTheMessageFreeAtRatioTwo()
    {
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QSKIP("this run is the scaled one");
        const ScaledRun run = runScaled({"animationLeavesTheMessageFree"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
    }

    void movieIsFreedWithTheLabel()
    {
        auto *label = new WaitLabel(QStringLiteral("Please wait"));
        const QPointer<QMovie> movie = label->findChild<QLabel *>()->movie();
        QVERIFY(movie);
        delete label;
        QVERIFY(movie.isNull());
    }
};

QTEST_MAIN(tst_WaitLabel)
#include "tst_WaitLabel.moc"
