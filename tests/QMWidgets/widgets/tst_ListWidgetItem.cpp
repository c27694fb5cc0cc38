#include "TestApp.h"

#include "QMWidgets/widgets/ListWidgetItem.h"

#include <QListWidget>

using QMWidgets::ListWidgetItem;

class tst_ListWidgetItem : public QObject
{
    Q_OBJECT

private slots:
    void payloadTravelsWithTheRow()
    {
        QListWidget view;
        auto plain = new ListWidgetItem(&view);
        auto texted = new ListWidgetItem("Second", &view, QListWidgetItem::UserType + 1);
        auto iconed = new ListWidgetItem(QIcon(), "Third", &view);
        QCOMPARE(view.count(), 3);
        QCOMPARE(texted->type(), int(QListWidgetItem::UserType + 1));
        for (auto item : { plain, texted, iconed })
            QVERIFY(item->payload().isEmpty());

        texted->setPayload("/home/user/second.js");
        QCOMPARE(static_cast<ListWidgetItem *>(view.item(1))->payload(), QString("/home/user/second.js"));
        QCOMPARE(view.item(1)->text(), QString("Second"));

        // Deleting a row through its base class runs the whole destructor.
        delete view.takeItem(0);
        QCOMPARE(view.count(), 2);
    }

    // A copy is a new row: it shows the same text but carries no key.
    void copiesCarryNoPayload()
    {
        ListWidgetItem original("Row");
        original.setPayload("key");

        const ListWidgetItem copy(original);
        QCOMPARE(copy.text(), QString("Row"));
        QVERIFY(copy.payload().isEmpty());

        const QListWidgetItem &base = original;
        const ListWidgetItem fromBase(base);
        QVERIFY(fromBase.payload().isEmpty());

        // Assignment used to hand the key over as well.
        ListWidgetItem assigned("Other");
        assigned.setPayload("own key");
        assigned = original;
        QCOMPARE(assigned.text(), QString("Row"));
        QCOMPARE(assigned.payload(), QString("own key"));

        std::unique_ptr<QListWidgetItem> clone(original.clone());
        QCOMPARE(clone->text(), QString("Row"));
        QVERIFY(!dynamic_cast<ListWidgetItem *>(clone.get()));
    }
};

TARSEL_APP_TEST_MAIN(tst_ListWidgetItem)
#include "tst_ListWidgetItem.moc"
