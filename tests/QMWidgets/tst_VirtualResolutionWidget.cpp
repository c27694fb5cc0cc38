#include "TestApp.h"

#include "QMWidgets/VirtualResolutionWidget.h"

#include <QGraphicsView>

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
    QTest::newRow("same aspect") << QSize(960, 600) << QPoint(1920, 1200);
    // Width and height are scaled independently, so a square window squeezes the picture.
    QTest::newRow("square window") << QSize(500, 500) << QPoint(1920, 1200);
    QTest::newRow("smaller than the window") << QSize(800, 700) << QPoint(400, 300);
}

void tst_VirtualResolutionWidget::stretchesTheVirtualScreenOverTheView()
{
    QFETCH(QSize, window);
    QFETCH(QPoint, virtualSize);
    VirtualResolutionWidget widget;
    auto *hosted = new QWidget;
    widget.setWidget(hosted);
    widget.resize(window);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.slotSetSize(virtualSize);

    const QSize size(virtualSize.x(), virtualSize.y());
    QCOMPARE(hosted->minimumSize(), size);
    QCOMPARE(hosted->maximumSize(), size);
    QCOMPARE(hosted->size(), size);
    auto *view = widget.findChild<QGraphicsView *>();
    QCOMPARE(view->sceneRect(), QRectF(QPointF(0, 0), size));

    // Each side is scaled on its own to the viewport, less the few pixels of margin the view keeps.
    const QRectF viewport = view->viewport()->rect();
    const QTransform transform = view->transform();
    QVERIFY(qAbs(transform.m11() * size.width() - viewport.width()) <= 6);
    QVERIFY(qAbs(transform.m22() * size.height() - viewport.height()) <= 6);
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
