#include "ButtonLookup.h"

#include "scripting/editor/AliasesWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using QMMistlark::AliasesWidget;

using AliasMap = QMap<QString, QString>;

class tst_AliasesWidget : public QObject
{
    Q_OBJECT

private slots:
    void copiesMapInKeyOrder_data();
    void copiesMapInKeyOrder();
    void treeListsAliasThenFullName();
};

void tst_AliasesWidget::copiesMapInKeyOrder_data()
{
    QTest::addColumn<AliasMap>("aliases");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty map copies an empty text") << AliasMap() << QString();
    QTest::newRow("one entry ends in a line feed")
        << AliasMap{{"QPushButton", "PB"}} << QStringLiteral("PB\tQPushButton\n");
    // Key order, not alias order: the aliases sort the other way round.
    QTest::newRow("entries follow the full names")
        << AliasMap{{"QLabel", "Z"}, {"QCheckBox", "Y"}, {"QWidget", "A"}}
        << QStringLiteral("Y\tQCheckBox\nZ\tQLabel\nA\tQWidget\n");
}

void tst_AliasesWidget::copiesMapInKeyOrder()
{
    QFETCH(AliasMap, aliases);
    QFETCH(QString, expected);

    QApplication::clipboard()->setText(QStringLiteral("left over"));
    AliasesWidget widget(aliases);
    // The tree's sort order must not change the copied text.
    widget.findChild<QTreeWidget *>()->sortByColumn(0, Qt::DescendingOrder);
    QPushButton *copy = buttonWithText(&widget, QStringLiteral("&Copy to clipboard"));
    QVERIFY(copy);
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void tst_AliasesWidget::treeListsAliasThenFullName()
{
    AliasesWidget widget(AliasMap{{"QLabel", "LB"}, {"QCheckBox", "CB"}});
    QTreeWidget *tree = widget.findChild<QTreeWidget *>();
    QVERIFY(tree);
    QCOMPARE(tree->headerItem()->text(0), QStringLiteral("Alias"));
    QCOMPARE(tree->headerItem()->text(1), QStringLiteral("Full Name"));
    QCOMPARE(tree->topLevelItemCount(), 2);
    tree->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("CB"));
    QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral("QCheckBox"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("LB"));
}

QTEST_MAIN(tst_AliasesWidget)
#include "tst_AliasesWidget.moc"
