#include "TestApp.h"

#include "QMWidgets/widgets/CheckButton.h"

#include <QSignalSpy>

using QMWidgets::CheckButton;

class tst_CheckButton : public QObject
{
    Q_OBJECT

private slots:
    void clicksReportEachChange()
    {
        CheckButton button;
        QVERIFY(button.isCheckable());
        QVERIFY(!button.isChecked());
        QSignalSpy on(&button, &CheckButton::onClicked);
        QSignalSpy off(&button, &CheckButton::offClicked);

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(on.count(), 1);
        QCOMPARE(off.count(), 0);

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(on.count(), 1);
        QCOMPARE(off.count(), 1);

        // A change made in code is reported the same way; setting the same state is no change.
        button.setChecked(true);
        button.setChecked(true);
        QCOMPARE(on.count(), 2);
        QCOMPARE(off.count(), 1);
    }
};

TARSEL_APP_TEST_MAIN(tst_CheckButton)
#include "tst_CheckButton.moc"
