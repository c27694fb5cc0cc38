#include "QMWidgets/widgets/RadioBox.h"

#include <QPushButton>
#include <QtTest>

using QMWidgets::RadioBox;

class tst_RadioBox : public QObject
{
    Q_OBJECT

private slots:
    void lastClickedStaysChecked()
    {
        RadioBox box(QBoxLayout::LeftToRight);
        QPushButton a("a"), b("b"), c("c");
        box.addButton(&a);
        box.addButton(&b);
        box.addButton(&c);
        box.addButton(nullptr);
        box.show();
        QTest::mouseClick(&b, Qt::LeftButton);
        QVERIFY(!a.isChecked());
        QVERIFY(b.isChecked());
        QVERIFY(!c.isChecked());
        QTest::mouseClick(&b, Qt::LeftButton); // a click on the checked one leaves it checked
        QVERIFY(b.isChecked());
        QTest::mouseClick(&c, Qt::LeftButton);
        QVERIFY(!b.isChecked());
        QVERIFY(c.isChecked());
        QVERIFY(c.x() > b.x()); // laid out in the direction given
    }

    void backgroundIsGreen()
    {
        RadioBox box(QBoxLayout::TopToBottom);
        QCOMPARE(box.palette().color(QPalette::Active, box.backgroundRole()), QColor(Qt::green));
        QCOMPARE(box.palette().color(QPalette::Disabled, box.backgroundRole()), QColor(Qt::green));
    }

    void callFromElsewhereChangesNothing()
    {
        RadioBox box(QBoxLayout::LeftToRight);
        QPushButton a("a");
        box.addButton(&a);
        a.setChecked(true);
        box.slotButtonClicked(); // no sender
        QVERIFY(a.isChecked());
    }
};

QTEST_MAIN(tst_RadioBox)
#include "tst_RadioBox.moc"
