#include "HangBound.h"
#include "TestApp.h"

#include "QMWidgets/widgets/NoScreeShotFilter.h"
#include "QMWidgets/widgets/NoScreenShotWidget.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using QMWidgets::NoScreeShotFilter;
using QMWidgets::NoScreenShotWidget;

namespace {

// A window with a field outside the shield and, inside it, a field, a nested button, a button hidden on
// purpose and a stack whose second page is hidden by the stack.
struct Fixture
{
    QWidget window;
    QLineEdit *outside = new QLineEdit;
    NoScreenShotWidget *shield = new NoScreenShotWidget;
    QLineEdit *field = new QLineEdit;
    QWidget *box = new QWidget;
    QPushButton *nested = new QPushButton("Nested", box);
    QPushButton *hiddenOnPurpose = new QPushButton("Hidden");
    QStackedWidget *stack = new QStackedWidget;
    QLabel *firstPage = new QLabel("first");
    QLabel *secondPage = new QLabel("second");

    Fixture()
    {
        auto inner = new QVBoxLayout(shield);
        inner->addWidget(field);
        inner->addWidget(box);
        inner->addWidget(hiddenOnPurpose);
        inner->addWidget(stack);
        stack->addWidget(firstPage);
        stack->addWidget(secondPage);
        hiddenOnPurpose->hide();
        auto outer = new QVBoxLayout(&window);
        outer->addWidget(outside);
        outer->addWidget(shield);
    }

    bool activate()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // The inner widgets a user sees while the application is active.
    QList<QWidget *> shown() const { return { field, box, nested, stack, firstPage }; }
    QList<QWidget *> keptHidden() const { return { hiddenOnPurpose, secondPage }; }
};

bool allHidden(const QList<QWidget *> &widgets)
{
    for (QWidget *widget : widgets) {
        if (widget->isVisible())
            return false;
    }
    return true;
}

bool allVisible(const QList<QWidget *> &widgets)
{
    for (QWidget *widget : widgets) {
        if (!widget->isVisible())
            return false;
    }
    return true;
}

} // namespace

class tst_NoScreenShotWidget : public QObject
{
    Q_OBJECT

private slots:
    void defaultText();
    void inactiveApplicationHidesInnerWidgets();
    void stackShowsOnlyItsCurrentPageAgain_data();
    void stackShowsOnlyItsCurrentPageAgain();
    void windowWithoutFocusableWidgetsComesBack();
    void keyPressHidesAndIsSwallowed();
    void setChildWidgetsVisibleReachesEveryDescendant();
};

void tst_NoScreenShotWidget::defaultText()
{
    QCOMPARE(NoScreenShotWidget().text(), QString("<H1><CENTER>No!</CENTER></H1>"));
    QCOMPARE(NoScreenShotWidget(QString()).text(), QString("<H1><CENTER>No!</CENTER></H1>"));
    QCOMPARE(NoScreenShotWidget("Hidden for now").text(), QString("Hidden for now"));
}

// Widgets hidden for their own reasons (a hidden button, the stack's other page) stay hidden when the
// shield shows its content again; showing them would garble the window.
void tst_NoScreenShotWidget::inactiveApplicationHidesInnerWidgets()
{
    Fixture f;
    QVERIFY(f.activate());
    f.field->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(f.field->hasFocus(), HangBoundMs);
    QVERIFY(allVisible(f.shown()));

    QApplication::setActiveWindow(nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(allHidden(f.shown()), HangBoundMs);
    QVERIFY(f.shield->isVisible());
    QVERIFY(f.outside->isVisible());

    QApplication::setActiveWindow(&f.window);
    QTRY_VERIFY_WITH_TIMEOUT(allVisible(f.shown()), HangBoundMs);
    for (QWidget *widget : f.keptHidden())
        QVERIFY2(widget->isHidden(), qPrintable(widget->metaObject()->className()));

    // The stack still switches pages as before.
    f.stack->setCurrentWidget(f.secondPage);
    QVERIFY(f.secondPage->isVisible());
    QVERIFY(!f.firstPage->isVisible());
}

void tst_NoScreenShotWidget::stackShowsOnlyItsCurrentPageAgain_data()
{
    QTest::addColumn<QList<int>>("pagesWhileInactive");
    QTest::addColumn<int>("current");
    // The page it left used to come back beside the new one.
    QTest::newRow("changed page") << QList<int>{ 1 } << 1;
    QTest::newRow("changed page and back") << QList<int>{ 1, 0 } << 0;
}

// A stack may change its page while the application is inactive, by a timer or a script.
void tst_NoScreenShotWidget::stackShowsOnlyItsCurrentPageAgain()
{
    QFETCH(QList<int>, pagesWhileInactive);
    QFETCH(int, current);
    Fixture f;
    QVERIFY(f.activate());

    QApplication::setActiveWindow(nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(allHidden(f.shown()), HangBoundMs);
    for (int page : pagesWhileInactive)
        f.stack->setCurrentIndex(page);

    QApplication::setActiveWindow(&f.window);
    QTRY_VERIFY_WITH_TIMEOUT(f.stack->isVisible(), HangBoundMs);
    QCOMPARE(f.stack->currentIndex(), current);
    QVERIFY(f.stack->widget(current)->isVisible());
    QVERIFY(f.stack->widget(1 - current)->isHidden());
    QVERIFY(allVisible({ f.field, f.box, f.nested }));
    QVERIFY(f.hiddenOnPurpose->isHidden());
}

// Once its inner widgets hide, the window has nothing to give the focus to, so its return to the front
// brings no change of focus.
void tst_NoScreenShotWidget::windowWithoutFocusableWidgetsComesBack()
{
    NoScreenShotWidget shield;
    auto picture = new QLabel("picture");
    auto caption = new QLabel("caption");
    auto layout = new QVBoxLayout(&shield);
    layout->addWidget(picture);
    layout->addWidget(caption);
    shield.show();
    shield.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shield));

    QApplication::setActiveWindow(nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(allHidden({ picture, caption }), HangBoundMs);

    QApplication::setActiveWindow(&shield);
    QTRY_VERIFY_WITH_TIMEOUT(allVisible({ picture, caption }), HangBoundMs);
}

void tst_NoScreenShotWidget::keyPressHidesAndIsSwallowed()
{
    Fixture f;
    f.shield->installKeyFilters();
    auto late = new QLineEdit; // made after the filters were installed, so it has none
    f.shield->layout()->addWidget(late);
    QVERIFY(f.activate());

    late->setFocus();
    QTest::keyClicks(late, "b");
    QCOMPARE(late->text(), QString("b"));
    QVERIFY(allVisible(f.shown()));

    f.field->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(f.field->hasFocus(), HangBoundMs);
    QTest::keyClick(f.field, Qt::Key_A);
    QCOMPARE(f.field->text(), QString());
    QVERIFY(allHidden(f.shown()));
    QVERIFY(f.outside->isVisible());

    // The next change of focus while the application is active brings them back. Hiding the field may
    // have moved the focus to the outside field already, so it is taken away and given back.
    f.outside->clearFocus();
    f.outside->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(allVisible(f.shown()), HangBoundMs);
    for (QWidget *widget : f.keptHidden())
        QVERIFY(widget->isHidden());
}

void tst_NoScreenShotWidget::setChildWidgetsVisibleReachesEveryDescendant()
{
    Fixture f;
    QMWidgets::setChildWidgetsVisible(f.shield, false);
    for (QWidget *widget : f.shown())
        QVERIFY(widget->isHidden());

    // Unlike the shield, the plain function shows everything, also what was hidden on purpose.
    QMWidgets::setChildWidgetsVisible(f.shield, true);
    for (QWidget *widget : f.shown() + f.keptHidden())
        QVERIFY(!widget->isHidden());

    QMWidgets::setChildWidgetsVisible(nullptr, false);

    // A filter without a shield hides the children of whatever parent it has.
    QWidget parent;
    auto child = new QWidget(&parent);
    NoScreeShotFilter filter(&parent);
    child->installEventFilter(&filter);
    QTest::keyClick(child, Qt::Key_A);
    QVERIFY(child->isHidden());
}

TARSEL_APP_TEST_MAIN(tst_NoScreenShotWidget)
#include "tst_NoScreenShotWidget.moc"
