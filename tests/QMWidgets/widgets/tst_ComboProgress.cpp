#include "QMWidgets/widgets/ComboProgress.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using QMWidgets::ComboProgress;

class tst_ComboProgress : public QObject
{
    Q_OBJECT

private slots:
    void progressShowsBarThenLabel()
    {
        ComboProgress progress;
        progress.show();
        auto *bar = progress.findChild<QProgressBar *>();
        auto *stop = progress.findChild<QPushButton *>("ComboProgressStop");
        QVERIFY(stop);
        QCOMPARE(stop->toolTip(), QString("Stop"));
        QVERIFY(progress.label()->isVisible());
        QVERIFY(!bar->isVisible());
        QVERIFY(!stop->isVisible());
        progress.slotSetProgress(10);
        QVERIFY(bar->isVisible());
        QVERIFY(stop->isVisible());
        QVERIFY(!progress.label()->isVisible());
        QCOMPARE(progress.value(), 10);
        progress.slotSetProgress(100);
        QVERIFY(progress.label()->isVisible());
        QVERIFY(!bar->isVisible());
        QCOMPARE(progress.value(), 10);
    }

    // The stop button is flat and has neither text nor icon: the style sheet's picture makes it visible.
    void stopButtonShowsAPicture()
    {
        Resources::init();
        ComboProgress progress;
        progress.setStyleSheet(Resources::styleSheet());
        progress.show();
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
        progress.slotSetProgress(10);
        QVERIFY(showsMoreThanBackground(*progress.findChild<QPushButton *>("ComboProgressStop")));
    }

    void stopShowsTheLabelUntilTheNextValue()
    {
        ComboProgress progress;
        progress.show();
        progress.slotSetProgress(30);
        auto *stop = progress.findChild<QPushButton *>("ComboProgressStop");
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(progress.isStopped());
        QVERIFY(progress.label()->isVisible());
        QVERIFY(!stop->isVisible());
        progress.slotSetProgress(20);
        QVERIFY(!progress.isStopped());
        QVERIFY(stop->isVisible());
        QCOMPARE(progress.value(), 20);
    }

    void progressSetBeforeTheFirstShowAppears()
    {
        ComboProgress progress;
        progress.slotSetProgress(40);
        progress.show();
        QVERIFY(progress.findChild<QProgressBar *>()->isVisible());
        QVERIFY(!progress.label()->isVisible());
        QCOMPARE(progress.value(), 40);
    }
};

QTEST_MAIN(tst_ComboProgress)
#include "tst_ComboProgress.moc"
