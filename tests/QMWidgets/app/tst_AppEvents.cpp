#include "HangBound.h"
#include "QMWidgets/app/App.h"
#include "AppFixtures.h"
#include "TestApp.h"

#include <QExposeEvent>
#include <QFileOpenEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>

using QMWidgets::App;
using namespace AppTest;

namespace {

// Notes where its presses and releases land, and whether the application had announced the press before.
class PressProbe : public QWidget
{
public:
    explicit PressProbe(QSignalSpy *announced)
        : m_announced(announced)
    {
    }

    QList<QPoint> presses;
    QList<QPoint> releases;
    QList<int> announcedBeforePress;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        presses.append(event->pos());
        announcedBeforePress.append(m_announced ? m_announced->count() : -1);
    }
    void mouseReleaseEvent(QMouseEvent *event) override { releases.append(event->pos()); }

private:
    QSignalSpy *m_announced;
};

} // namespace

class tst_AppEvents : public FreshAppTest
{
    Q_OBJECT

private slots:
    void fileOpenEventIsHandled();
    void pressIsSignalledBeforeDelivery();
    void activationFollowsEvents();
    void exposeIsSignalled();
    void postedClickLandsAtClickPoint_data();
    void postedClickLandsAtClickPoint();
    void blenderCoversMainWidget();
    void findWidgetByClassName();
    void isChildOf();
};

void tst_AppEvents::fileOpenEventIsHandled()
{
    App *app = makeApp();
    QSignalSpy requests(app, &App::fileOpenRequest);
    QFileOpenEvent event(QStringLiteral("D:/x.js"));
    QVERIFY(QCoreApplication::sendEvent(app, &event));
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.first().first().toString(), QString("D:/x.js"));
}

void tst_AppEvents::pressIsSignalledBeforeDelivery()
{
    App *app = makeApp();
    QSignalSpy presses(app, &App::mouseButtonPress);
    PressProbe probe(&presses);
    probe.resize(40, 40);
    probe.show();

    QTest::mousePress(&probe, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(probe.announcedBeforePress, QList<int>{1});
    QTest::mouseRelease(&probe, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    // Only presses are announced, and the release still reaches the widget.
    QCOMPARE(presses.count(), 1);
    QCOMPARE(probe.releases.count(), 1);
}

void tst_AppEvents::activationFollowsEvents()
{
    App *app = makeApp();
    QSignalSpy activated(app, &App::applicationActivated);
    QSignalSpy deactivated(app, &App::applicationDeactivated);
    QVERIFY(!app->isInactive());

    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(app, &deactivate);
    QVERIFY(app->isInactive());
    QCOMPARE(deactivated.count(), 1);

    QEvent activate(QEvent::ApplicationActivate);
    QCoreApplication::sendEvent(app, &activate);
    QVERIFY(!app->isInactive());
    QCOMPARE(activated.count(), 1);
}

void tst_AppEvents::exposeIsSignalled()
{
    App *app = makeApp();
    QSignalSpy exposed(app, &App::applicationExposed);
    QObject receiver;
    QExposeEvent event{QRegion(0, 0, 10, 10)};
    QCoreApplication::sendEvent(&receiver, &event);
    QCOMPARE(exposed.count(), 1);
}

void tst_AppEvents::postedClickLandsAtClickPoint_data()
{
    QTest::addColumn<QPoint>("requested");
    QTest::addColumn<QPoint>("landed");
    QTest::newRow("middle, halves truncated") << QPoint(-1, -1) << QPoint(50, 25);
    QTest::newRow("middle of the height only") << QPoint(10, -1) << QPoint(10, 25);
    QTest::newRow("exact point") << QPoint(3, 4) << QPoint(3, 4);
}

void tst_AppEvents::postedClickLandsAtClickPoint()
{
    QFETCH(QPoint, requested);
    QFETCH(QPoint, landed);
    makeApp();
    PressProbe probe(nullptr);
    probe.resize(101, 51);
    QCOMPARE(App::clickPoint(&probe, requested.x(), requested.y()), landed);

    App::postMouseClick(&probe, requested.x(), requested.y());
    App::postMouseClick(nullptr, 1, 1); // nothing to post to
    QVERIFY(probe.presses.isEmpty()); // posted, not sent
    QTRY_COMPARE_WITH_TIMEOUT(probe.releases.count(), 1, HangBoundMs);
    QCOMPARE(probe.presses, QList<QPoint>{landed});
    QCOMPARE(probe.releases, QList<QPoint>{landed});
}

void tst_AppEvents::blenderCoversMainWidget()
{
    App *app = makeApp();
    QVERIFY(!app->mainWidget());
    app->slotSetBlendMainWidget(true); // nothing registered: nothing happens

    QWidget window;
    auto *child = new QLabel(QStringLiteral("content"), &window);
    window.resize(300, 200);
    window.show();
    app->setMainWidget(&window);
    QCOMPARE(app->mainWidget(), &window);

    auto *blender = window.findChild<QLabel *>(QStringLiteral("MainWidgetBlender"));
    QVERIFY(blender);
    QCOMPARE(blender->metaObject()->className(), "QMWidgets::BlenderWidget");
    QVERIFY(blender->autoFillBackground());
    QVERIFY(!blender->isVisible());

    app->slotSetBlendMainWidget(true);
    QVERIFY(blender->isVisible());
    QCOMPARE(blender->size(), QSize(300, 200));
    QCOMPARE(blender->pos(), QPoint(0, 0));
    QCOMPARE(window.childAt(150, 100), blender); // above the window's other children
    QVERIFY(child->isVisible());

    // The size is fixed at each showing and does not follow the window.
    window.resize(400, 250);
    QCOMPARE(blender->size(), QSize(300, 200));
    app->slotSetBlendMainWidget(false);
    QVERIFY(!blender->isVisible());
    app->slotSetBlendMainWidget(true);
    QCOMPARE(blender->size(), QSize(400, 250));
}

void tst_AppEvents::findWidgetByClassName()
{
    makeApp();
    QCOMPARE(App::findWidgetByClassName("QSpinBox"), nullptr);

    QWidget first;
    auto *nested = new QSpinBox(new QWidget(&first));
    QCOMPARE(App::findWidgetByClassName("QSpinBox"), nested);

    // A top-level widget of the class wins over descendants.
    QSpinBox topLevel;
    QCOMPARE(App::findWidgetByClassName("QSpinBox"), &topLevel);
    QCOMPARE(App::findWidgetByClassName("QCheckBox"), nullptr);
}

void tst_AppEvents::isChildOf()
{
    makeApp();
    QWidget parent;
    auto *child = new QWidget(&parent);
    auto *grandChild = new QLineEdit(child);
    QWidget stranger;
    QVERIFY(App::isChildOf(child, &parent));
    QVERIFY(App::isChildOf(grandChild, &parent));
    QVERIFY(!App::isChildOf(&parent, &parent));
    QVERIFY(!App::isChildOf(&stranger, &parent));
    QVERIFY(!App::isChildOf(&parent, child));
    QVERIFY(!App::isChildOf(nullptr, &parent));
}

QTEST_APPLESS_MAIN(tst_AppEvents)
#include "tst_AppEvents.moc"
