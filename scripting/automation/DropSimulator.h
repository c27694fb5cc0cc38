#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace QMMistlark {

// Finishes a drag that a script started with a press and a move on the source: once the source's own
// mouse handling has created its QDrag, the enter, move and drop events are sent to the target. One
// simulator serves one gesture and deletes itself after it has run.
//
// A source that runs its drag with QDrag::exec gets it back at once on some platforms, and the drag
// deletes itself before the simulator runs; on others exec waits for a real mouse release in a loop of
// its own, in which the simulator then runs. So the simulator keeps an executed drag alive until it has
// dropped its data, and ends a drag that is still running once the drop is done.
class DropSimulator : public QObject
{
    Q_OBJECT

public:
    explicit DropSimulator(QObject *parent = nullptr);
    ~DropSimulator() override;

    // Sees the drags that the source makes, and holds back the deletion of those whose exec is over.
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Watches the source from now on for the drags that it starts.
    void setSource(QWidget *source);
    // The point is in the target's coordinates.
    void setTarget(QWidget *target, const QPoint &point);
    // Runs simulate() once the time is up and no script is busy in its own code: the steps go on
    // where the script waits, as the script's own timers do.
    void start(int milliseconds);

public slots:
    void simulate();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    QBasicTimer m_timer;
    // Weak: a widget destroyed before the drop counts as not set.
    QPointer<QWidget> m_source;
    QPointer<QWidget> m_target;
    QPoint m_dropPoint;

    bool liesBelowSource(const QObject *object) const;
    bool runsInsideExec(const QObject *drag) const;
    void releaseHeldDrags();

    bool m_simulated = false;
    // The event-loop depth at which each object below the source was created: a drag created at one
    // depth while the simulator runs deeper has its exec loop running around the simulator.
    QHash<const QObject *, int> m_creationDepths;
    // Drags whose exec is over and whose deletion waits for the drop.
    QList<QPointer<QObject>> m_heldDrags;
};

} // namespace QMMistlark
