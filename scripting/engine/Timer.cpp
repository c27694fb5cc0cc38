#include "scripting/engine/Timer.h"

#include "scripting/engine/ScriptActivity.h"
#include "scripting/engine/ScriptEngine.h"

#include <QScriptEngine>
#include <QTimerEvent>
#include <QVector>

#include <algorithm>

namespace QMMistlark {

namespace {

// Every live timer of the scripts; GUI thread only.
QVector<Timer *> &liveTimers()
{
    static QVector<Timer *> timers;
    return timers;
}

} // namespace

Timer::Timer(QObject *parent)
    : QTimer(parent)
{
    setSingleShot(true);
    liveTimers().append(this);
}

Timer::~Timer()
{
    liveTimers().removeOne(this);
}

void Timer::stopAll(const QScriptEngine *engine)
{
    const QVector<Timer *> timers = liveTimers();
    for (Timer *timer : timers) {
        if (timer->m_engine == engine)
            timer->halt();
    }
}

bool Timer::hasPending(const QScriptEngine *engine)
{
    const QVector<Timer *> &timers = liveTimers();
    return std::any_of(timers.cbegin(), timers.cend(), [engine](const Timer *timer) {
        return timer->m_engine == engine && (timer->isActive() || timer->m_heldTimerId != 0);
    });
}

void Timer::setEngine(QScriptEngine *engine)
{
    m_engine = engine;
}

void Timer::timerEvent(QTimerEvent *event)
{
    // A stopped script is called back by none of its timers until it runs again: a timer that calls a
    // function making the next timer would otherwise go on for ever.
    const auto *scriptEngine = qobject_cast<const ScriptEngine *>(m_engine.data());
    if (scriptEngine && scriptEngine->isStopped()) {
        halt();
        return;
    }
    if (event->timerId() == m_retry.timerId()) {
        if (ScriptActivity::isBusy(m_engine))
            return;
        m_retry.stop();
        const int held = m_heldTimerId;
        m_heldTimerId = 0;
        // Stopped or started again meanwhile: the held timeout belonged to a start that is over.
        if (held == timerId())
            deliver(held);
        return;
    }
    if (event->timerId() != timerId() || event->timerId() <= 0) {
        QTimer::timerEvent(event);
        return;
    }
    // A repeating timer that fires again while held adds nothing: the script sees one timeout.
    if (m_heldTimerId == timerId())
        return;
    if (ScriptActivity::isBusy(m_engine)) {
        m_heldTimerId = timerId();
        m_retry.start(0, this);
        return;
    }
    deliver(event->timerId());
}

void Timer::halt()
{
    m_retry.stop();
    m_heldTimerId = 0;
    stop();
}

void Timer::deliver(int timerId)
{
    // The callbacks are script code of their own: a timeout that comes while they are busy waits for them.
    ScriptActivity::Scope callbacks(m_engine);
    QTimerEvent event(timerId);
    QTimer::timerEvent(&event);
}

} // namespace QMMistlark
