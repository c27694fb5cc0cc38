#include "QMWidgets/widgets/MobileSimulator.h"

#include <QLabel>
#include <QLayout>
#include <QtTest>

using QMWidgets::MobileSimulator;

class tst_MobileSimulator : public QObject
{
    Q_OBJECT

private slots:
    void mobileSimulatorFrame()
    {
        MobileSimulator frame;
        QCOMPARE(frame.objectName(), QString("MobileSimulator"));
        QCOMPARE(frame.layout()->contentsMargins(), QMargins(5, 5, 5, 5));
        QCOMPARE(frame.layout()->count(), 0);
        frame.setWidget(nullptr);
        QCOMPARE(frame.layout()->count(), 0);
        auto *inner = new QLabel("screen");
        frame.setWidget(inner);
        QCOMPARE(inner->parentWidget(), &frame);
        frame.resize(100, 80);
        frame.show();
        QCOMPARE(inner->geometry(), QRect(5, 5, 90, 70));
    }
};

QTEST_MAIN(tst_MobileSimulator)
#include "tst_MobileSimulator.moc"
