#include "HangBound.h"
#include "scripting/automation/DropSimulator.h"
#include "scripting/automation/TargetMainWidget.h"

#include "DropTarget.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>
#include <QtTest>

#include <memory>

using QMMistlark::DropSimulator;

namespace {

// What the target and the target main widget received, in order.
QStringList s_log;

class MainWidget : public QWidget
{
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        s_log << QStringLiteral("key %1").arg(event->key(), 0, 16);
    }
};

// A drag left with its source, as one is while the platform runs it. The offscreen platform ends a
// drag at once and deletes it, so the source keeps it here.
QDrag *pendingDrag(QWidget *source, const QString &text)
{
    auto *drag = new QDrag(source);
    auto *data = new QMimeData;
    data->setText(text);
    drag->setMimeData(data);
    return drag;
}

} // namespace

class tst_DropSimulator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dropsTheLatestDragOnTheTarget_data();
    void dropsTheLatestDragOnTheTarget();
    void missingEndsSendNothing_data();
    void missingEndsSendNothing();
};

void tst_DropSimulator::init()
{
    s_log.clear();
}

void tst_DropSimulator::cleanup()
{
    QMMistlark::setTargetMainWidget(nullptr);
}

void tst_DropSimulator::dropsTheLatestDragOnTheTarget_data()
{
    QTest::addColumn<bool>("withMainWidget");
    QTest::addColumn<QStringList>("expected");

    const QStringList drop = {"enter (12,34) second", "move (12,34) second", "drop (12,34) second"};
    QTest::newRow("no target main widget: no Escape") << false << drop;
    QTest::newRow("Escape to the target main widget after the drop") << true << drop + QStringList{"key 1000000"};
}

void tst_DropSimulator::dropsTheLatestDragOnTheTarget()
{
    QFETCH(bool, withMainWidget);
    QFETCH(QStringList, expected);

    QWidget source;
    pendingDrag(&source, QStringLiteral("first"));
    pendingDrag(&source, QStringLiteral("second"));
    DropTarget target(&s_log);
    MainWidget mainWidget;
    if (withMainWidget)
        QMMistlark::setTargetMainWidget(&mainWidget);

    QPointer<DropSimulator> simulator = new DropSimulator;
    simulator->setSource(&source);
    simulator->setTarget(&target, QPoint(12, 34));
    simulator->start(5);
    QVERIFY(s_log.isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(simulator.isNull(), HangBoundMs);
    QCOMPARE(s_log, expected);
}

void tst_DropSimulator::missingEndsSendNothing_data()
{
    QTest::addColumn<bool>("startDrag");
    QTest::addColumn<bool>("setSource");
    QTest::addColumn<bool>("setTarget");
    QTest::addColumn<bool>("destroySource");
    QTest::addColumn<bool>("destroyTarget");

    QTest::newRow("source never started a drag") << false << true << true << false << false;
    QTest::newRow("no source set") << true << false << true << false << false;
    QTest::newRow("no target set") << true << true << false << false << false;
    QTest::newRow("source destroyed before the drop") << true << true << true << true << false;
    QTest::newRow("target destroyed before the drop") << true << true << true << false << true;
}

// Nothing reaches the target or the target main widget, and the simulator still goes away.
void tst_DropSimulator::missingEndsSendNothing()
{
    QFETCH(bool, startDrag);
    QFETCH(bool, setSource);
    QFETCH(bool, setTarget);
    QFETCH(bool, destroySource);
    QFETCH(bool, destroyTarget);

    auto source = std::make_unique<QWidget>();
    if (startDrag)
        pendingDrag(source.get(), QStringLiteral("payload"));
    auto target = std::make_unique<DropTarget>(&s_log);
    MainWidget mainWidget;
    QMMistlark::setTargetMainWidget(&mainWidget);

    QPointer<DropSimulator> simulator = new DropSimulator;
    if (setSource)
        simulator->setSource(source.get());
    if (setTarget)
        simulator->setTarget(target.get(), QPoint(5, 5));
    simulator->start(5);
    if (destroySource)
        source.reset();
    if (destroyTarget)
        target.reset();

    QTRY_VERIFY_WITH_TIMEOUT(simulator.isNull(), HangBoundMs);
    QCOMPARE(s_log, QStringList());
}

QTEST_MAIN(tst_DropSimulator)
#include "tst_DropSimulator.moc"
