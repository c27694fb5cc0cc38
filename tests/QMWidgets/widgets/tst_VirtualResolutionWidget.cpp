#include "TestApp.h"

#include "QMWidgets/widgets/VirtualResolutionWidget.h"

#include <QGraphicsView>
#include <QScrollBar>

using QMWidgets::VirtualResolutionWidget;

class tst_VirtualResolutionWidget : public QObject
{
    Q_OBJECT

private slots:
    void stretchesTheVirtualScreenOverTheView_data();
    void stretchesTheVirtualScreenOverTheView();
    void sideSlotsKeepTheOtherSide();
    void nothingHappensBeforeAWidgetIsSet();
    void instanceIsOneWidget();
};

void tst_VirtualResolutionWidget::stretchesTheVirtualScreenOverTheView_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("virtualSize");
    QTest::addColumn<bool>("setBeforeShow");
    QTest::newRow("same aspect") << QSize(960, 600) << QPoint(1920, 1200) << false;
    // Width and height are scaled independently, so a square window squeezes the picture.
    QTest::newRow("square window") << QSize(500, 500) << QPoint(1920, 1200) << false;
    QTest::newRow("smaller than the window") << QSize(800, 700) << QPoint(400, 300) << false;
    // The fit used the viewport of before the show, half the window's width.
    QTest::newRow("set before the first show") << QSize(960, 600) << QPoint(1920, 1200) << true;
}

void tst_VirtualResolutionWidget::stretchesTheVirtualScreenOverTheView()
{
    QFETCH(QSize, window);
    QFETCH(QPoint, virtualSize);
    QFETCH(bool, setBeforeShow);
    VirtualResolutionWidget widget;
    auto *hosted = new QWidget;
    widget.setWidget(hosted);
    widget.resize(window);
    if (setBeforeShow)
        widget.slotSetSize(virtualSize);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    if (!setBeforeShow)
        widget.slotSetSize(virtualSize);

    const QSize size(virtualSize.x(), virtualSize.y());
    QCOMPARE(hosted->minimumSize(), size);
    QCOMPARE(hosted->maximumSize(), size);
    QCOMPARE(hosted->size(), size);
    auto *view = widget.findChild<QGraphicsView *>();
    QCOMPARE(view->sceneRect(), QRectF(QPointF(0, 0), size));

    // The view always fits, so scroll bars would only take room from the picture: they used to leave it
    // 18 pixels short of the view.
    QVERIFY(!view->horizontalScrollBar()->isVisible());
    QVERIFY(!view->verticalScrollBar()->isVisible());
    // Each side is scaled on its own to the viewport, less the margin of two pixels the view keeps.
    const QRect viewport = view->viewport()->rect();
    QCOMPARE(viewport.width(), view->width() - 2 * view->frameWidth());
    QCOMPARE(viewport.height(), view->height() - 2 * view->frameWidth());
    const QTransform transform = view->transform();
    QVERIFY2(qAbs(qRound(transform.m11() * size.width()) - viewport.width()) <= 4,
             qPrintable(QString::number(transform.m11() * size.width()) + " in " + QString::number(viewport.width())));
    QVERIFY2(qAbs(qRound(transform.m22() * size.height()) - viewport.height()) <= 4,
             qPrintable(QString::number(transform.m22() * size.height()) + " in " + QString::number(viewport.height())));
    QCOMPARE(transform.m12(), 0.0);
    QCOMPARE(transform.m21(), 0.0);
}

void tst_VirtualResolutionWidget::sideSlotsKeepTheOtherSide()
{
    VirtualResolutionWidget widget;
    auto *hosted = new QWidget;
    widget.setWidget(hosted);
    widget.slotSetSize(QPoint(1920, 1200));

    QTest::ignoreMessage(QtDebugMsg, "Size1: QSize(1600, 1200)");
    widget.slotSetWidth(1600);
    QCOMPARE(hosted->size(), QSize(1600, 1200));
    QTest::ignoreMessage(QtDebugMsg, "Size2: QSize(1600, 900)");
    widget.slotSetHeight(900);
    QCOMPARE(hosted->size(), QSize(1600, 900));
    QCOMPARE(widget.findChild<QGraphicsView *>()->sceneRect(), QRectF(0, 0, 1600, 900));
}

void tst_VirtualResolutionWidget::nothingHappensBeforeAWidgetIsSet()
{
    VirtualResolutionWidget widget;
    widget.slotSetSize(QPoint(1920, 1200));
    widget.slotSetWidth(1600);
    widget.slotSetHeight(900);
    widget.resize(300, 200);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCOMPARE(widget.findChild<QGraphicsView *>()->sceneRect(), QRectF(0, 0, 800, 800));

    // What the slots did not keep, a widget set later does not see.
    auto *hosted = new QWidget;
    hosted->resize(123, 45);
    widget.setWidget(hosted);
    QCOMPARE(hosted->size(), QSize(123, 45));
}

void tst_VirtualResolutionWidget::instanceIsOneWidget()
{
    VirtualResolutionWidget *first = VirtualResolutionWidget::instance();
    QVERIFY(first);
    QVERIFY(!first->parent());
    QCOMPARE(VirtualResolutionWidget::instance(), first);
}

TARSEL_APP_TEST_MAIN(tst_VirtualResolutionWidget)
#include "tst_VirtualResolutionWidget.moc"
