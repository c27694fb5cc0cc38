#include "scripting/engine/ScriptEngine.h"

#include "MTools/Delay.h"
#include "scripting/engine/RunDialogs.h"
#include "scripting/engine/Timer.h"

#include <QDialog>
#include <QPointer>
#include <QVector>

namespace QMMistlark {

namespace {

QVector<ScriptEngine *> &allEngines()
{
    static QVector<ScriptEngine *> engines;
    return engines;
}

} // namespace

ScriptEngine::ScriptEngine(QObject *parent)
    : QScriptEngine(parent)
{
    allEngines().append(this);
    RunDialogs::watch();
}

ScriptEngine::~ScriptEngine()
{
    allEngines().removeOne(this);
    RunDialogs::forget(this);
    m_extension.reset();
}

void ScriptEngine::setRunning(bool running)
{
    m_running = running;
}

bool ScriptEngine::isRunning() const
{
    return m_running;
}

bool ScriptEngine::isLive() const
{
    return m_running || isEvaluating() || Timer::hasPending(this);
}

QList<ScriptEngine *> ScriptEngine::liveEngines()
{
    QList<ScriptEngine *> live;
    for (ScriptEngine *engine : qAsConst(allEngines())) {
        if (engine->isLive())
            live << engine;
    }
    return live;
}

void ScriptEngine::setExtension(std::unique_ptr<Extension> extension)
{
    m_extension = std::move(extension);
}

ScriptEngine::Extension *ScriptEngine::extension() const
{
    return m_extension.get();
}

void ScriptEngine::reportRefusal(const QString &text)
{
    emit refusalReported(text);
}

void ScriptEngine::requestStop()
{
    emit stopRequested();
}

void ScriptEngine::setScriptFileName(const QString &fileName)
{
    m_scriptFileName = fileName;
}

QString ScriptEngine::scriptFileName() const
{
    return m_scriptFileName;
}

void ScriptEngine::setOutputArea(QTextEdit *outputArea)
{
    m_outputArea = outputArea;
}

QTextEdit *ScriptEngine::outputArea() const
{
    return m_outputArea;
}

void ScriptEngine::cancelWaits()
{
    RunDialogs::cancelOpenedFor(this);
    // Last: a wait that ends may end what holds the engine.
    emit waitsCancelled();
}

void ScriptEngine::setStopped(bool stopped)
{
    m_stopped = stopped;
}

bool ScriptEngine::isStopped() const
{
    return m_stopped;
}

void waitCancellably(QScriptEngine *engine, int milliseconds)
{
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    if (scriptEngine && scriptEngine->isStopped())
        return;
    MTools::Delay wait;
    // Stop reaches the Editor while the script sits in this wait; it must not have to sit out the rest of it.
    if (scriptEngine)
        QObject::connect(scriptEngine, &ScriptEngine::waitsCancelled, &wait, &MTools::Delay::cancel);
    wait.wait(milliseconds);
}

int execCancellably(QScriptEngine *engine, QDialog *dialog)
{
    const QPointer<QDialog> guarded = dialog;
    auto *scriptEngine = qobject_cast<ScriptEngine *>(engine);
    if (scriptEngine && scriptEngine->isStopped())
        return QDialog::Rejected;
    if (scriptEngine)
        QObject::connect(scriptEngine, &ScriptEngine::waitsCancelled, dialog, &QDialog::reject);
    // Window-modal without a parent: the dialog holds the script, not the windows.
    dialog->setWindowModality(Qt::WindowModal);
    const int result = guarded->exec();
    return guarded ? result : int(QDialog::Rejected);
}

} // namespace QMMistlark
