#include "QMWidgets/WaitLabel.h"

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
        QTRY_VERIFY(frames.count() >= 3);
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
