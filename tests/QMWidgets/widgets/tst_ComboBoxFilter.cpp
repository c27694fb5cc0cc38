#include "QMWidgets/widgets/ComboBoxFilter.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

using QMWidgets::ComboBoxFilter;

class tst_ComboBoxFilter : public QObject
{
    Q_OBJECT

private slots:
    void paintsTheComboFlat()
    {
        QComboBox combo;
        combo.addItem("one");
        combo.resize(120, 30);
        QPalette palette = combo.palette();
        palette.setColor(QPalette::Base, Qt::yellow);
        palette.setColor(QPalette::Text, Qt::blue);
        combo.setPalette(palette);
        ComboBoxFilter filter;
        combo.installEventFilter(&filter);
        const QImage image = combo.grab().toImage();
        QCOMPARE(image.pixelColor(10, 15), QColor(Qt::yellow));
        QCOMPARE(image.pixelColor(0, 15), QColor(Qt::blue)); // the outline
        // The corner mark ends 7 pixels in from the bottom-right corner.
        QCOMPARE(image.pixelColor(120 - 9, 30 - 9), QColor(Qt::blue));
    }

    void otherEventsPassAndOtherWidgetsAreNotPainted()
    {
        ComboBoxFilter filter;
        QLabel label;
        QPaintEvent paint(QRect(0, 0, 10, 10));
        QVERIFY(filter.eventFilter(&label, &paint));
        QEvent other(QEvent::Show);
        QVERIFY(!filter.eventFilter(&label, &other));
        QComboBox combo;
        QVERIFY(!filter.eventFilter(&combo, &other));
    }
};

QTEST_MAIN(tst_ComboBoxFilter)
#include "tst_ComboBoxFilter.moc"
