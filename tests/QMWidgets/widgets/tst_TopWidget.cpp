#include "HangBound.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/widgets/TopWidget.h"
#include "TestApp.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using QMWidgets::TopWidget;

using Ending = std::function<void(TopWidget &)>;
Q_DECLARE_METATYPE(Ending)
using Deletion = std::function<void(TopWidget *frame, QWidget *parent)>;
Q_DECLARE_METATYPE(Deletion)

namespace {

QPushButton *titleButton(TopWidget &frame, const char *name)
{
    return frame.findChild<QPushButton *>(QLatin1String(name));
}

} // namespace

class tst_TopWidget : public QObject
{
    Q_OBJECT

private slots:
    void execEndings_data();
    void execEndings();
    void deletionEndsExec_data();
    void deletionEndsExec();
    void secondExecAddsNoSecondEscape();
    void rejectOutsideExecHides();
    void titleAndButtons_data();
    void titleAndButtons();
    void contentLayouts();
    void overlayIsReplacedAndDeleted();
    void titleDragMovesWindow();
};

void tst_TopWidget::execEndings_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("result");
    QTest::newRow("accept") << Ending([](TopWidget &f) { f.accept(); }) << 1;
    QTest::newRow("reject") << Ending([](TopWidget &f) { f.reject(); }) << 0;
    QTest::newRow("close button") << Ending([](TopWidget &f) {
        QTest::mouseClick(titleButton(f, "TopWidgetClose"), Qt::LeftButton);
    }) << 0;
    QTest::newRow("escape") << Ending([](TopWidget &f) {
        QApplication::setActiveWindow(&f);
        QTest::keyClick(&f, Qt::Key_Escape);
    }) << 0;
    QTest::newRow("window close") << Ending([](TopWidget &f) { f.close(); }) << 0;
}

void tst_TopWidget::execEndings()
{
    QFETCH(Ending, ending);
    QFETCH(int, result);
    TopWidget frame(true);
    bool wasShown = false;
    QTimer::singleShot(0, &frame, [&] {
        wasShown = frame.isVisible() && frame.testAttribute(Qt::WA_ShowModal);
        ending(frame);
    });
    QCOMPARE(frame.exec(), result);
    QVERIFY(wasShown);
    QVERIFY(!frame.isVisible());
}

void tst_TopWidget::deletionEndsExec_data()
{
    QTest::addColumn<Deletion>("deletion");
    QTest::newRow("delete") << Deletion([](TopWidget *frame, QWidget *) { delete frame; });
    QTest::newRow("deleteLater") << Deletion([](TopWidget *frame, QWidget *) { frame->deleteLater(); });
    QTest::newRow("parent deleted") << Deletion([](TopWidget *, QWidget *parent) { delete parent; });
}

// The run's loop was part of the frame: deleted with it, exec() ran on in freed memory and never returned.
void tst_TopWidget::deletionEndsExec()
{
    QFETCH(Deletion, deletion);
    auto *parent = new QWidget;
    QPointer<QWidget> parentGuard(parent);
    auto *frame = new TopWidget(true, parent);
    QPointer<TopWidget> guard(frame);
    QTimer::singleShot(0, [&] { deletion(frame, parent); });
    QCOMPARE(frame->exec(), 0);
    QVERIFY(!guard);
    delete parentGuard.data();
}

void tst_TopWidget::secondExecAddsNoSecondEscape()
{
    TopWidget frame;
    QTimer::singleShot(0, &frame, [&] { frame.accept(); });
    QCOMPARE(frame.exec(), 1);
    const int actions = frame.actions().size();
    QCOMPARE(actions, 1);
    QTimer::singleShot(0, &frame, [&] {
        QApplication::setActiveWindow(&frame);
        QTest::keyClick(&frame, Qt::Key_Escape);
    });
    QCOMPARE(frame.exec(), 0);
    QCOMPARE(frame.actions().size(), actions);
}

void tst_TopWidget::rejectOutsideExecHides()
{
    TopWidget frame;
    frame.show();
    QVERIFY(frame.isVisible());
    frame.accept();
    QVERIFY(frame.isVisible());
    frame.reject();
    QVERIFY(!frame.isVisible());
    // A stray accept() before a run does not end the next one.
    frame.accept();
    QTimer::singleShot(0, &frame, [&] { frame.reject(); });
    QCOMPARE(frame.exec(), 0);
}

void tst_TopWidget::titleAndButtons_data()
{
    QTest::addColumn<bool>("storeEdition");
    QTest::newRow("independent edition: icon left, buttons right") << false;
    QTest::newRow("store edition: buttons left, icon centred") << true;
}

void tst_TopWidget::titleAndButtons()
{
    QFETCH(bool, storeEdition);
    QMWidgets::App *app = QMWidgets::App::instance();
    app->setIndependentEdition(!storeEdition);
    // The program runs as the independent edition; put it back for the other tests.
    const std::unique_ptr<QMWidgets::App, void (*)(QMWidgets::App *)> restore(
        app, [](QMWidgets::App *a) { a->setIndependentEdition(true); });
    QCOMPARE(QMWidgets::App::isStoreEdition(), storeEdition);

    TopWidget frame;
    QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);
    frame.setTitle(QStringLiteral("X"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("X"));
    auto *title = frame.findChild<QLabel *>(QStringLiteral("TopWidgetTitle"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("X"));
    QCOMPARE(title->toolTip(), QStringLiteral("Title"));
    QCOMPARE(title->height() > 0 ? title->maximumHeight() : 28, 28);

    frame.setIcon(QPixmap(64, 32));
    frame.show();
    QPushButton *close = titleButton(frame, "TopWidgetClose");
    QPushButton *maximize = titleButton(frame, "TopWidgetMaximize");
    QPushButton *minimize = titleButton(frame, "TopWidgetMinimize");
    QVERIFY(close && maximize && minimize);
    QCOMPARE(close->toolTip(), QStringLiteral("Close"));
    QCOMPARE(maximize->toolTip(), QStringLiteral("Maximize"));
    QCOMPARE(minimize->toolTip(), QStringLiteral("Minimize"));
    QLabel *icon = nullptr;
    for (QLabel *label : title->findChildren<QLabel *>())
        if (label->pixmap() && !label->pixmap()->isNull())
            icon = label;
    QVERIFY(icon);
    QCOMPARE(icon->pixmap()->size(), QSize(24, 24));
    QVERIFY(icon->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(close->x() > 0, HangBoundMs);
    if (storeEdition) {
        QVERIFY(close->x() < maximize->x() && maximize->x() < minimize->x());
        QVERIFY(minimize->x() < icon->x());
    } else {
        QVERIFY(icon->x() < minimize->x());
        QVERIFY(minimize->x() < maximize->x() && maximize->x() < close->x());
    }

    frame.hideCloseButton();
    frame.hideMinimizeButton();
    QVERIFY(!close->isVisible() && !minimize->isVisible() && maximize->isVisible());
    frame.showCloseButton();
    QVERIFY(close->isVisible());
    frame.setTitleHeight(40);
    QCOMPARE(title->maximumHeight(), 40);
}

void tst_TopWidget::contentLayouts()
{
    TopWidget plain(false);
    auto *below = new QLabel(QStringLiteral("below"));
    plain.contentLayout()->addWidget(below);
    QCOMPARE(plain.layout(), plain.contentLayout());
    QCOMPARE(plain.contentLayout()->indexOf(below), 1);
    QVERIFY(!plain.findChild<QWidget *>(QStringLiteral("TopOverWidget")));

    TopWidget withContent(true);
    auto *inside = new QLabel(QStringLiteral("inside"));
    withContent.contentLayout()->addWidget(inside);
    auto *over = withContent.findChild<QWidget *>(QStringLiteral("TopOverWidget"));
    QVERIFY(over);
    QCOMPARE(inside->parentWidget(), over);
    QCOMPARE(over->layout(), withContent.contentLayout());
}

void tst_TopWidget::overlayIsReplacedAndDeleted()
{
    QPointer<QWidget> first = new QLabel(QStringLiteral("one"));
    QPointer<QWidget> second = new QLabel(QStringLiteral("two"));
    {
        TopWidget frame;
        frame.setTitleOverlay(first, QPoint(3, 4));
        QVERIFY(first->windowFlags() & Qt::ToolTip);
        frame.show();
        QTRY_VERIFY_WITH_TIMEOUT(first->isVisible(), HangBoundMs);
        auto *title = frame.findChild<QLabel *>(QStringLiteral("TopWidgetTitle"));
        QTRY_COMPARE_WITH_TIMEOUT(first->pos(), title->mapToGlobal(QPoint(3, 4)), HangBoundMs);
        frame.setTitleOverlay(second, QPoint(0, 0));
        QVERIFY(!first);
        frame.hide();
        QVERIFY(!second->isVisible());
        QPixmap picture(10, 6);
        picture.fill(Qt::red);
        frame.setTitleOverlayPixmap(picture, QPoint(1, 1));
        QVERIFY(!second);
    }
}

void tst_TopWidget::titleDragMovesWindow()
{
    TopWidget frame;
    frame.resize(300, 200);
    frame.move(100, 100);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto *title = frame.findChild<QLabel *>(QStringLiteral("TopWidgetTitle"));
    const QPoint grip(150, 10);
    QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, grip);
    const QPoint cursor = title->mapToGlobal(grip + QPoint(30, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)), QPointF(cursor), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &move);
    QTest::mouseRelease(title, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 20));
    // The window follows the cursor, keeping the pressed point of the title under it.
    QCOMPARE(frame.pos(), cursor - grip);
}

TARSEL_APP_TEST_MAIN(tst_TopWidget)
#include "tst_TopWidget.moc"
