#include "QMWidgets/widgets/UltraRadioBox.h"
#include "QMWidgets/widgets/UltraRadioBoxPopup.h"

#include "QMWidgets/app/App.h"
#include "TestApp.h"

#include <QPainter>
#include <QPushButton>
#include <QtTest>

using QMWidgets::UltraRadioBox;
using QMWidgets::UltraRadioBoxPopup;

namespace {
// A choice that paints itself in one colour, dark while checked.
class Choice : public QPushButton
{
public:
    explicit Choice(const QColor &colour, const QSize &size)
        : m_colour(colour)
    {
        resize(size);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), isChecked() ? m_colour.darker(200) : m_colour);
    }

private:
    QColor m_colour;
};

QRgb centreOf(QWidget &widget)
{
    return widget.grab().toImage().pixel(widget.width() / 2, widget.height() / 2);
}
}

class tst_UltraRadioBox : public QObject
{
    Q_OBJECT

private slots:
    void freshBoxShowsTheLastAddedChoice()
    {
        UltraRadioBox box;
        Choice first(Qt::red, QSize(40, 30));
        Choice second(Qt::blue, QSize(50, 36));
        box.addButton(&first, "First");
        box.addButton(&second, "Second");
        box.addButton(nullptr, "none");
        QCOMPARE(box.size(), QSize(50, 36));
        QCOMPARE(centreOf(box), QColor(Qt::blue).rgb());
        QVERIFY(box.toolTip().isEmpty());
        QVERIFY(!box.currentButton());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&box, &enter);
        QCOMPARE(centreOf(box), QColor(Qt::blue).rgb());
    }

    void clickingAChoiceMakesItCurrent()
    {
        UltraRadioBox box;
        auto *first = new Choice(Qt::red, QSize(40, 30));
        auto *second = new Choice(Qt::blue, QSize(40, 30));
        box.addButton(first, "First");
        box.addButton(second, "Second");
        box.show();
        QSignalSpy clicked(&box, &UltraRadioBox::buttonClicked);
        QSignalSpy action(&box, &UltraRadioBox::actionPerformed);
        QTest::mousePress(&box, Qt::LeftButton);
        auto *popup = box.findChild<UltraRadioBoxPopup *>();
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->pos(), box.mapToGlobal(QPoint(0, box.height())));
        QCOMPARE(action.count(), 1);
        QTest::mouseClick(first, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(popup->isHidden());
        QCOMPARE(box.currentButton(), first);
        QVERIFY(first->isChecked());
        QCOMPARE(box.toolTip(), QString("First"));
        QCOMPARE(centreOf(box), QColor(Qt::red).darker(200).rgb());
        QVERIFY(first->isHidden());
        QVERIFY(!second->isHidden());
        // Hover shows the choice unchecked, leaving restores it.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&box, &enter);
        QCOMPARE(centreOf(box), QColor(Qt::red).rgb());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&box, &leave);
        QCOMPARE(centreOf(box), QColor(Qt::red).darker(200).rgb());
        // A press that closes the popup is an action too.
        QTest::mousePress(&box, Qt::LeftButton);
        QTest::mousePress(&box, Qt::LeftButton);
        QVERIFY(popup->isHidden());
        QCOMPARE(action.count(), 3);
    }

    void captionClicksTheChoice()
    {
        UltraRadioBox box;
        auto *first = new Choice(Qt::red, QSize(40, 30));
        box.addButton(first, "First");
        box.show();
        QTest::mousePress(&box, Qt::LeftButton);
        QPushButton *caption = nullptr;
        for (QPushButton *each : box.findChildren<QPushButton *>())
            if (each->text() == "First")
                caption = each;
        QVERIFY(caption);
        QSignalSpy clicked(&box, &UltraRadioBox::buttonClicked);
        QTest::mouseClick(caption, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(box.currentButton(), first);
    }

    void hiddenChoicesStayHidden()
    {
        UltraRadioBox box;
        auto *a = new Choice(Qt::red, QSize(20, 20));
        auto *b = new Choice(Qt::green, QSize(20, 20));
        auto *c = new Choice(Qt::blue, QSize(20, 20));
        box.addButton(a, "A");
        box.addButton(b, "B");
        box.addButton(c, "C");
        box.setButtonVisible(b, false);
        box.setCurrentButton(a);
        box.setCurrentButton(c);
        box.setCurrentButton(nullptr);
        QCOMPARE(box.currentButton(), c);
        QVERIFY(b->isHidden());
        QVERIFY(!a->isHidden());
        for (QPushButton *each : box.findChildren<QPushButton *>())
            if (each->text() == "B")
                QVERIFY(each->isHidden());
        box.setButtonVisible(b, true);
        QVERIFY(!b->isHidden());
    }

    void popupOpacityFollowsTheSetting_data()
    {
        QTest::addColumn<QVariant>("percent");
        QTest::addColumn<double>("expected");
        QTest::newRow("absent") << QVariant() << 0.95;
        QTest::newRow("100") << QVariant(100) << 0.3;
        QTest::newRow("below 30 is opaque") << QVariant(10) << 1.0;
    }

    void popupOpacityFollowsTheSetting()
    {
        QFETCH(QVariant, percent);
        QFETCH(double, expected);
        auto *app = QMWidgets::App::instance();
        const QString key = "TransparencyParameters/UltraRadioPopups";
        if (percent.isValid())
            app->setValue(key, percent);
        else // the first row, in a fresh home
            QVERIFY(!app->value(key).isValid());
        UltraRadioBox box;
        box.addButton(new Choice(Qt::red, QSize(20, 20)), "A");
        auto *popup = box.findChild<UltraRadioBoxPopup *>();
        QVERIFY(qAbs(popup->windowOpacity() - 0.6) < 1.0 / 255);
        box.show();
        QTest::mousePress(&box, Qt::LeftButton);
        QVERIFY(qAbs(popup->windowOpacity() - expected) < 1.0 / 255);
    }

    void deactivationHidesThePopup()
    {
        UltraRadioBox box;
        box.addButton(new Choice(Qt::red, QSize(20, 20)), "A");
        box.show();
        QTest::mousePress(&box, Qt::LeftButton);
        auto *popup = box.findChild<UltraRadioBoxPopup *>();
        QVERIFY(popup->isVisible());
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(popup, &deactivate);
        QVERIFY(popup->isHidden());
    }
};

TARSEL_APP_TEST_MAIN(tst_UltraRadioBox)
#include "tst_UltraRadioBox.moc"
