#pragma once

#include <QBasicTimer>
#include <QPointer>
#include <QTimer>

class QScriptEngine;

namespace QMMistlark {

// The timer that createTimer and singleShotTimer hand to scripts: it fires once per start(). A timeout
// that comes while its script is busy is held and delivered where the script next waits, or after the run.
class Timer : public QTimer
{
    Q_OBJECT

public:
    explicit Timer(QObject *parent = nullptr);
    ~Timer() override;

    // Stops every timer of the engine's script, as its Stop does.
    static void stopAll(const QScriptEngine *engine);
    // True while a timer of the engine's script is started or holds a timeout.
    static bool hasPending(const QScriptEngine *engine);

    // The engine of the script that made the timer; without one, any busy script holds the timeout.
    void setEngine(QScriptEngine *engine);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void deliver(int timerId);
    // Stops the timer with any timeout it holds.
    void halt();

    QPointer<QScriptEngine> m_engine;
    // Looks again at every pass of the event loop whether the held timeout may go out.
    QBasicTimer m_retry;
    int m_heldTimerId = 0;
};

} // namespace QMMistlark
