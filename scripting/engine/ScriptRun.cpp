#include "scripting/engine/ScriptRun.h"

#include "QMWidgets/app/WindowFit.h"
#include "scripting/engine/ScriptActivity.h"
#include "scripting/engine/ScriptEngine.h"
#include "scripting/engine/Timer.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QScopeGuard>
#include <QScriptContext>
#include <QScriptEngineDebugger>

#include <memory>

namespace QMMistlark {

namespace {

// Calls back when the watched window is asked to close.
class CloseWatcher : public QObject
{
public:
    CloseWatcher(QObject *watched, std::function<void()> closing)
        : QObject(watched)
        , m_closing(std::move(closing))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            m_closing();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_closing;
};

// Left to itself, or as it restores itself from its settings, the debugger's window can open with a code column a
// few letters wide: it opens at least large enough, within the screen, with narrow side docks.
void showDebuggerReadably(QMainWindow *window)
{
    window->resize(window->size().expandedTo(QSize(1000, 700)));
    QMWidgets::fitIntoScreen(window);
    QList<QDockWidget *> sideDocks;
    QList<int> widths;
    for (QDockWidget *dock : window->findChildren<QDockWidget *>()) {
        const Qt::DockWidgetArea area = window->dockWidgetArea(dock);
        if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
            sideDocks << dock;
            widths << window->width() / 6;
        }
    }
    window->resizeDocks(sideDocks, widths, Qt::Horizontal);
}

} // namespace

const char ScriptRun::StoppedByUser[] = "Script evaluation is stopped by user";

ScriptRun::ScriptRun(ScriptEngine *engine, Steps steps, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_steps(std::move(steps))
{
    // A callback that Stop ended comes back with the abort as its exception.
    connect(m_engine, &QScriptEngine::signalHandlerException, this, [this] {
        rearmLater();
        if (!m_callbackAbort)
            return;
        delete m_callbackAbort;
        m_steps.reportStopped();
    });
}

// The engine may be gone already: nothing of it is touched here.
ScriptRun::~ScriptRun()
{
    if (m_callbackAbort)
        m_callbackAbort->disconnect(this);
    delete m_callbackAbort;
}

bool ScriptRun::isRunning() const
{
    return m_running;
}

void ScriptRun::setRunning(bool running)
{
    m_running = running;
    m_engine->setRunning(running);
    if (!running)
        rearmLater();
    emit runningChanged(running);
}

bool ScriptRun::start()
{
    m_stoppedForGood = false;
    m_engine->setStopped(false);
    if (!m_steps.prepare())
        return false;
    // Stop may come while an included file is checked, before anything of the program ran.
    if (m_engine->isStopped()) {
        m_steps.reportStopped();
        return false;
    }
    return true;
}

bool ScriptRun::evaluate(QScriptValue *result)
{
    const QString program = m_steps.program();
    if (m_engine->isStopped()) {
        m_steps.reportStopped();
        return false;
    }
    const ScriptActivity::Scope script(m_engine);
    *result = m_engine->evaluate(program, m_engine->scriptFileName(), 1);
    return true;
}

// The window handles events while its script runs: nothing may start a second run or change the program under the
// running one.
void ScriptRun::runThrough(const std::function<void()> &evaluation)
{
    if (m_running)
        return;
    // A receiver of runningChanged may delete the owner, and this run with it: nothing of it is read then.
    const QPointer<ScriptRun> alive(this);
    setRunning(true);
    if (!alive)
        return;
    const auto finished = qScopeGuard([this, alive] {
        if (alive)
            setRunning(false);
    });
    if (start())
        evaluation();
}

void ScriptRun::run()
{
    runThrough([this] {
        QScriptValue result;
        if (evaluate(&result) && m_engine->hasUncaughtException())
            m_steps.reportException(result);
    });
}

void ScriptRun::debug()
{
    runThrough([this] { evaluateDebugged(); });
}

void ScriptRun::evaluateDebugged()
{
    // The debugger's own window shows an uncaught exception while it is attached; nothing is reported here.
    std::unique_ptr<QScriptEngineDebugger> debugger(new QScriptEngineDebugger);
    m_debugger = debugger.get();
    debugger->widget(QScriptEngineDebugger::CodeWidget)->setStyleSheet(QStringLiteral("background-color: white"));
    // While the debugger holds the evaluation, the script waits as in a dialog: its timers may fire.
    connect(debugger.get(), &QScriptEngineDebugger::evaluationSuspended, this, [this] {
        ScriptActivity::setSuspended(m_engine, true);
        // A stop that came before the debugger held the run: nobody is to continue it by hand.
        if (m_engine->isStopped() && m_debugger)
            m_debugger->action(QScriptEngineDebugger::ContinueAction)->trigger();
    });
    connect(debugger.get(), &QScriptEngineDebugger::evaluationResumed, this,
            [this] { ScriptActivity::setSuspended(m_engine, false); });
    // A closed debugger window would leave the evaluation held where nobody can continue it.
    new CloseWatcher(debugger->standardWindow(), [this] { stop(); });
    showDebuggerReadably(debugger->standardWindow());
    debugger->attachTo(m_engine);
    debugger->action(QScriptEngineDebugger::InterruptAction)->trigger();
    QScriptValue result;
    const bool evaluated = evaluate(&result);
    debugger->detach();
    // The debugger showed any other exception while it was attached; a stop is reported as a plain run's is.
    if (evaluated && m_engine->isStopped()) {
        if (m_engine->hasUncaughtException())
            m_steps.reportException(result);
        else
            m_steps.reportStopped();
    }
}

// Until the next run the script calls nothing more: its timers stop, every callback of it that starts is ended
// at its first check, and its waits, dialogs and include checks end at once.
void ScriptRun::stop()
{
    m_engine->setStopped(true);
    Timer::stopAll(m_engine);
    // The lasting abort is armed once this stop is through: as the run it ends returns, or as the abort it leaves
    // for a busy callback is withdrawn. The waits that end may end what holds this run: nothing of it is read then.
    const QPointer<ScriptRun> alive(this);
    const auto lasting = qScopeGuard([this, alive] {
        if (alive)
            m_stoppedForGood = true;
    });
    if (!m_engine->isEvaluating()) {
        m_engine->cancelWaits();
        if (alive)
            abortCallback();
        return;
    }
    const QScriptValue error =
        m_engine->currentContext()->throwError(QScriptContext::UnknownError, QLatin1String(StoppedByUser));
    m_engine->abortEvaluation(error);
    m_engine->cancelWaits();
    if (!alive)
        return;
    // A debugger that holds the evaluation must let it go on, or the stop would wait for the user. Its state()
    // tells a held run as running, so Continue goes out either way: a running debugger ignores it.
    if (m_debugger)
        m_debugger->action(QScriptEngineDebugger::ContinueAction)->trigger();
}

// A function of the script that a signal calls after run() has returned (a timer's callback, a widget's handler)
// runs outside any evaluation, and the engine takes an abort only during one. A busy callback still handles events
// at the engine's interval, so Stop arrives from within it: an evaluation context is opened for the abort, and the
// callback ends at its next check. Whether a callback is busy below cannot be asked, and an abort that none took
// would end the next callback at its first check. So a marker goes with the abort: Qt delivers its deferred delete
// only once control has left the event deliveries this call is nested in, when a busy callback below has taken the
// abort; what is left then is withdrawn.
void ScriptRun::abortCallback()
{
    delete m_callbackAbort;
    armAbort();
    m_callbackAbort = new QObject;
    connect(m_callbackAbort.data(), &QObject::destroyed, this, &ScriptRun::withdrawCallbackAbort);
    m_callbackAbort->deleteLater();
}

void ScriptRun::withdrawCallbackAbort()
{
    // Every evaluation starts with the engine's abort cleared.
    m_engine->evaluate(QString());
    rearmLater();
}

void ScriptRun::armAbort()
{
    m_engine->pushContext();
    const QScriptValue error =
        m_engine->currentContext()->throwError(QScriptContext::UnknownError, QLatin1String(StoppedByUser));
    m_engine->abortEvaluation(error);
    m_engine->popContext();
    m_engine->clearExceptions();
}

void ScriptRun::rearmLater()
{
    if (!m_stoppedForGood)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_stoppedForGood && !m_running && !m_engine->isEvaluating())
                armAbort();
        },
        Qt::QueuedConnection);
}

} // namespace QMMistlark
