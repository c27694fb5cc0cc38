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
class DropSimulator : public QObject
{
    Q_OBJECT

public:
    explicit DropSimulator(QObject *parent = nullptr);

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
};

} // namespace QMMistlark
