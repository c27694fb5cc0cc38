#include "QMWidgets/widgets/DirView.h"

#include <QHeaderView>
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QDirModel>
QT_WARNING_POP
#include <QTreeView>
#include <QtTest>

using QMWidgets::DirView;

class tst_DirView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void clickReportsFolderOrFile()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("folder"));
        QFile file(m_dir.filePath("file.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        DirView view;
        view.resize(300, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto *tree = view.findChild<QTreeView *>();
        QVERIFY(tree->isColumnHidden(1) && tree->isColumnHidden(2) && tree->isColumnHidden(3));
        QSignalSpy content(&view, &DirView::showContent);
        QSignalSpy item(&view, &DirView::showItem);
        auto *model = qobject_cast<QDirModel *>(tree->model());
        QVERIFY(model);
        for (const QString &name : {"folder", "file.txt"}) {
            const QModelIndex target = model->index(m_dir.filePath(name));
            QVERIFY(target.isValid());
            tree->scrollTo(target);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(target).center());
        }
        QCOMPARE(content.count(), 1);
        QCOMPARE(content.at(0).at(0).toString(), m_dir.filePath("folder"));
        QCOMPARE(item.count(), 1);
        QCOMPARE(item.at(0).at(0).toString(), m_dir.filePath("file.txt"));
    }

    void otherColumnsReportNothing()
    {
        DirView view;
        QSignalSpy content(&view, &DirView::showContent);
        QSignalSpy item(&view, &DirView::showItem);
        auto *tree = view.findChild<QTreeView *>();
        view.slotTreeViewClicked(tree->model()->index(0, 1));
        view.slotTreeViewClicked(QModelIndex());
        QCOMPARE(content.count() + item.count(), 0);
    }

    void treeFollowsTheFrame()
    {
        DirView view;
        view.resize(400, 300);
        view.show();
        auto *tree = view.findChild<QTreeView *>();
        QCOMPARE(tree->size(), QSize(400, 300));
        QCOMPARE(tree->header()->sectionSize(0), 400);
        QVERIFY(view.minimumSize() == QSize(180, 100));
        QPointer<QAbstractItemModel> model(tree->model());
        { DirView gone; model = gone.findChild<QTreeView *>()->model(); }
        QVERIFY(!model); // the view frees its model
    }
};

QTEST_MAIN(tst_DirView)
#include "tst_DirView.moc"
