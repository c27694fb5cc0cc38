#include "QMWidgets/widgets/DateWidget.h"
#include "ScaledRun.h"
#include "resources/Resources.h"

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtTest>

using QMWidgets::DateWidget;

class tst_DateWidget : public QObject
{
    Q_OBJECT

private:
    static QList<QComboBox *> combos(DateWidget &widget)
    {
        QList<QComboBox *> list = widget.findChildren<QComboBox *>();
        std::sort(list.begin(), list.end(), [](QComboBox *a, QComboBox *b) { return a->x() < b->x(); });
        return list;
    }

private slots:
    void freshWidget()
    {
        DateWidget widget;
        QCOMPARE(widget.day(), 1);
        QCOMPARE(widget.month(), 1);
        QCOMPARE(widget.year(), -1);
        QCOMPARE(widget.minimumWidth(), 300);
    }

    void yearListFollowsTheOffset_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("none") << 0;
        QTest::newRow("five ahead") << 5;
    }

    void yearListFollowsTheOffset()
    {
        QFETCH(int, offset);
        DateWidget widget(offset);
        widget.show();
        QComboBox *year = combos(widget).at(2);
        const int newest = QDate::currentDate().year() + offset;
        QCOMPARE(year->count(), 132);
        QCOMPARE(year->itemText(0), QString());
        QCOMPARE(year->itemText(1), QString::number(newest));
        QCOMPARE(year->itemText(131), QString::number(newest - 130));
    }

    void monthNamesAndDays()
    {
        DateWidget widget;
        widget.show();
        const QList<QComboBox *> list = combos(widget);
        QCOMPARE(list.at(0)->count(), 31);
        QCOMPARE(list.at(0)->itemText(30), QString("31"));
        QCOMPARE(list.at(1)->count(), 12);
        QCOMPARE(list.at(1)->itemText(0), QString("January"));
        QCOMPARE(list.at(1)->itemText(11), QString("December"));
    }

    // Under the application style sheet's padding every item fits the field that shows it, "December" too, when
    // the widget has the width it asks for (on a small screen a window is narrowed to its minimum of 300 first).
    void itemsFitTheirFields()
    {
        Resources::init();
        DateWidget widget;
        widget.setStyleSheet(Resources::styleSheet());
        widget.ensurePolished();
        widget.resize(widget.sizeHint());
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        for (QComboBox *combo : combos(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            option.frame = combo->hasFrame();
            option.subControls = QStyle::SC_All;
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            const QFontMetrics metrics(combo->font(), combo);
            for (int i = 0; i < combo->count(); ++i) {
                const int needed = metrics.horizontalAdvance(combo->itemText(i));
                QVERIFY2(needed <= field.width(), qPrintable(QString("\"%1\" needs %2 pixels, the field has %3")
                                                               .arg(combo->itemText(i)).arg(needed).arg(field.width())));
            }
        }
    }

    void itemsFitTheirFieldsAtRatioTwo()
    {
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QSKIP("this run is the scaled one");
        const ScaledRun run = runScaled({"itemsFitTheirFields"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
    }

    void setters_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("expectedDay");
        QTest::addColumn<int>("expectedMonth");
        QTest::addColumn<int>("expectedYear");
        const int y = QDate::currentDate().year() - 20;
        QTest::newRow("plain") << 14 << 7 << y << 14 << 7 << y;
        QTest::newRow("31 February accepted") << 31 << 2 << y << 31 << 2 << y;
        QTest::newRow("zero and negatives") << 0 << -3 << 0 << 1 << 1 << -1;
        QTest::newRow("day clamped to 31") << 40 << 12 << y << 31 << 12 << y;
        QTest::newRow("month 13 clamped to December") << 5 << 13 << y << 5 << 12 << y;
        QTest::newRow("large month clamped to December") << 5 << 1000 << y << 5 << 12 << y;
        QTest::newRow("year outside the list") << 3 << 3 << 1800 << 3 << 3 << -1;
    }

    void setters()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        DateWidget widget;
        widget.setDay(day);
        widget.setMonth(month);
        widget.setYear(year);
        QTEST(widget.day(), "expectedDay");
        QTEST(widget.month(), "expectedMonth");
        QTEST(widget.year(), "expectedYear");
    }

    void zeroYearLeavesTheYear()
    {
        DateWidget widget;
        const int y = QDate::currentDate().year();
        widget.setYear(y);
        widget.setYear(0);
        QCOMPARE(widget.year(), y);
    }

    void userEditsSignalAndResetDoesNot()
    {
        DateWidget widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, &DateWidget::dataChanged);
        QComboBox *month = combos(widget).at(1);
        month->setFocus();
        QTest::keyClick(month, Qt::Key_Down);
        QCOMPARE(widget.month(), 2);
        QCOMPARE(changed.count(), 1);
        widget.setDay(5);
        widget.setYear(QDate::currentDate().year());
        QCOMPARE(changed.count(), 3);
        widget.reset();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(widget.day(), 1);
        QCOMPARE(widget.month(), 1);
        QCOMPARE(widget.year(), -1);
    }

    void dayOnlyHidesMonthAndYear()
    {
        DateWidget widget;
        widget.show();
        const QList<QComboBox *> list = combos(widget);
        widget.setDayOnly(true);
        QVERIFY(list.at(0)->isVisible());
        QVERIFY(list.at(1)->isHidden());
        QVERIFY(list.at(2)->isHidden());
        widget.setDayOnly(false);
        QVERIFY(list.at(2)->isVisible());
    }
};

QTEST_MAIN(tst_DateWidget)
#include "tst_DateWidget.moc"
