#include "QMWidgets/widgets/CenterFilter.h"

#include <QDesktopWidget>
#include <QtTest>

using QMWidgets::CenterFilter;

// A 200 by 100 child of a 1000 by 500 window, with the filter installed on the child.
struct CenteredChild
{
    CenteredChild()
    {
        window.resize(1000, 500);
        child = new QWidget(&window);
        child->resize(200, 100);
        filter = new CenterFilter(&window);
        child->installEventFilter(filter);
    }

    QWidget window;
    QWidget *child = nullptr;
    CenterFilter *filter = nullptr;
};

class tst_CenterFilter : public QObject
{
    Q_OBJECT

private slots:
    void centresAtShow();
    void centresAgainOnResizeWhileVisible();
    void leavesHiddenWidgetOnResize();
    void showOfNonWidgetForgetsTheWidget();
    void forgetsDeletedWidget();
    void centresTopLevelOnTheDesktop();
};

void tst_CenterFilter::centresAtShow()
{
    CenteredChild fixture;
    fixture.child->move(3, 7);

    fixture.window.show();

    QCOMPARE(fixture.child->pos(), QPoint(400, 200));
}

void tst_CenterFilter::centresAgainOnResizeWhileVisible()
{
    CenteredChild fixture;
    fixture.window.show();
    fixture.window.resize(601, 301);
    fixture.child->resize(201, 101);

    fixture.filter->slotResized(0);

    // Halves are truncated: 300 - 100 and 150 - 50.
    QCOMPARE(fixture.child->pos(), QPoint(200, 100));
}

void tst_CenterFilter::leavesHiddenWidgetOnResize()
{
    CenteredChild fixture;
    fixture.window.show();
    fixture.child->hide();
    fixture.child->move(3, 7);

    fixture.filter->slotResized(0);

    QCOMPARE(fixture.child->pos(), QPoint(3, 7));
}

void tst_CenterFilter::showOfNonWidgetForgetsTheWidget()
{
    CenteredChild fixture;
    fixture.window.show();
    QObject notAWidget;
    notAWidget.installEventFilter(fixture.filter);
    QShowEvent show;

    QCoreApplication::sendEvent(&notAWidget, &show);
    fixture.child->move(3, 7);
    fixture.filter->slotResized(0);

    QCOMPARE(fixture.child->pos(), QPoint(3, 7));
}

// The filter lives on with the window; a screen change after the child went must not reach the child,
// and the filter still serves the next one.
void tst_CenterFilter::forgetsDeletedWidget()
{
    CenteredChild fixture;
    fixture.window.show();

    delete fixture.child;
    fixture.filter->slotResized(0);
    auto next = new QWidget(&fixture.window);
    next->resize(100, 50);
    next->installEventFilter(fixture.filter);
    next->show();

    QCOMPARE(next->pos(), QPoint(450, 225));
}

// Without a parent the reference is the desktop, 800 by 600 on the offscreen platform.
void tst_CenterFilter::centresTopLevelOnTheDesktop()
{
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(200, 100);
    CenterFilter filter(nullptr);
    window.installEventFilter(&filter);
    const QSize desktop = QApplication::desktop()->size();

    window.show();

    QCOMPARE(window.pos(), QPoint(desktop.width() / 2 - 100, desktop.height() / 2 - 50));
}

QTEST_MAIN(tst_CenterFilter)
#include "tst_CenterFilter.moc"
