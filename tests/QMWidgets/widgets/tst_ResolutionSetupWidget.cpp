#include "TestApp.h"

#include "QMWidgets/widgets/ResolutionSetupWidget.h"

#include <QSlider>
#include <QSpinBox>

using QMWidgets::ResolutionSetupWidget;

class tst_ResolutionSetupWidget : public QObject
{
    Q_OBJECT

private slots:
    void presetsFillTheBoxes();
    void groupWithoutPresetsIgnoresTheSlider();
    void boxesHoldOnlyTheirRange_data();
    void boxesHoldOnlyTheirRange();
};

void tst_ResolutionSetupWidget::presetsFillTheBoxes()
{
    ResolutionSetupWidget group;
    auto *slider = group.findChild<QSlider *>();
    group.addResolution(640, 480);
    group.addResolution(1280, 720);
    group.addResolution(50, 40000);
    // Adding shows the first preset, not the last one added, and leaves the slider where it was.
    QCOMPARE(group.resolution(), QPoint(640, 480));
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 2);
    QCOMPARE(slider->value(), 0);

    QSignalSpy changed(&group, &ResolutionSetupWidget::resolutionChanged);
    slider->setValue(1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toPoint(), QPoint(1280, 720));
    // The signal carries what the boxes hold, after their range.
    slider->setValue(2);
    QCOMPARE(changed.at(1).at(0).toPoint(), QPoint(100, 30000));
    QCOMPARE(group.resolution(), QPoint(100, 30000));
}

void tst_ResolutionSetupWidget::groupWithoutPresetsIgnoresTheSlider()
{
    ResolutionSetupWidget group;
    auto *slider = group.findChild<QSlider *>();
    QCOMPARE(slider->maximum(), 99);
    const QPoint before = group.resolution();
    QSignalSpy changed(&group, &ResolutionSetupWidget::resolutionChanged);
    slider->setValue(50);
    group.slotValueChanged(-1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(group.resolution(), before);
}

void tst_ResolutionSetupWidget::boxesHoldOnlyTheirRange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("held");
    QTest::newRow("within") << "2560" << 2560;
    QTest::newRow("the largest") << "30000" << 30000;
    QTest::newRow("above the largest is refused") << "30001" << 3000;
    QTest::newRow("below the smallest is fixed up") << "99" << 100;
}

void tst_ResolutionSetupWidget::boxesHoldOnlyTheirRange()
{
    QFETCH(QString, typed);
    QFETCH(int, held);
    ResolutionSetupWidget group;
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    for (QSpinBox *box : group.findChildren<QSpinBox *>()) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Enter);
        box->clearFocus();
        QCOMPARE(box->value(), held);
    }
}

TARSEL_APP_TEST_MAIN(tst_ResolutionSetupWidget)
#include "tst_ResolutionSetupWidget.moc"
