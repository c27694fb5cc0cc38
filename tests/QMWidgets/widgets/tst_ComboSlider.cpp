#include "QMWidgets/widgets/ComboSlider.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using QMWidgets::ComboSlider;

class tst_ComboSlider : public QObject
{
    Q_OBJECT

private slots:
    void sliderAndSpinBoxReportOnce()
    {
        ComboSlider combo;
        combo.setRange(0, 100);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        auto *slider = combo.findChild<QSlider *>();
        auto *spin = combo.findChild<QSpinBox *>();
        for (QLabel *label : combo.findChildren<QLabel *>())
            QVERIFY(!label->isVisible()); // no caption, no unit
        QSignalSpy moved(&combo, &ComboSlider::sliderMoved);
        slider->setFocus();
        slider->setSingleStep(40);
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(spin->value(), 40);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toInt(), 40);
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, "55");
        QCOMPARE(slider->value(), 55);
        QCOMPARE(combo.value(), 55);
        QCOMPARE(moved.last().at(0).toInt(), 55);
        const int typed = moved.count();
        combo.setValue(70);
        QCOMPARE(moved.count(), typed + 1);
        QCOMPARE(spin->value(), 70);
    }

    void rangeNeverReportsOutside_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("above the old maximum") << 200 << 300;
        QTest::newRow("below zero") << -50 << -10;
        QTest::newRow("inside") << 10 << 20;
    }

    void rangeNeverReportsOutside()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        ComboSlider combo("Size");
        QSignalSpy moved(&combo, &ComboSlider::sliderMoved);
        combo.setRange(minimum, maximum);
        for (const QList<QVariant> &row : moved) {
            QVERIFY(row.at(0).toInt() >= minimum);
            QVERIFY(row.at(0).toInt() <= maximum);
        }
        QCOMPARE(combo.findChild<QSpinBox *>()->value(), combo.value());
        QVERIFY(combo.value() >= minimum && combo.value() <= maximum);
    }

    void captionUnitAndSteps()
    {
        ComboSlider combo("Size");
        combo.show();
        QLabel *caption = nullptr;
        QLabel *unit = nullptr;
        for (QLabel *label : combo.findChildren<QLabel *>())
            (label->text() == "Size" ? caption : unit) = label;
        QVERIFY(caption->isVisible());
        QVERIFY(!unit->isVisible());
        combo.setUnitText("px");
        QVERIFY(unit->isVisible());
        QCOMPARE(unit->text(), QString("px"));
        combo.setUnitText(QString());
        QVERIFY(!unit->isVisible());
        combo.setSingleStep(7);
        combo.setTickInterval(5);
        QCOMPARE(combo.findChild<QSlider *>()->singleStep(), 7);
        QCOMPARE(combo.findChild<QSlider *>()->tickInterval(), 5);
        QCOMPARE(combo.findChild<QSpinBox *>()->singleStep(), 1);
    }
};

QTEST_MAIN(tst_ComboSlider)
#include "tst_ComboSlider.moc"
