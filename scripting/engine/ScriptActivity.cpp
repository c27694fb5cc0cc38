#include "scripting/engine/ScriptActivity.h"

#include <QScriptEngine>
#include <QVector>


namespace QMMistlark {

namespace {

struct Frame
{
    QScriptEngine *engine;
    QScriptContext *context;
    bool suspended;
};

QVector<Frame> &frames()
{
    static QVector<Frame> stack;
    return stack;
}

// The innermost frame of the engine, or null.
Frame *innermost(const QScriptEngine *engine)
{
    QVector<Frame> &stack = frames();
    for (int i = stack.size() - 1; i >= 0; --i) {
        if (stack[i].engine == engine)
            return &stack[i];
    }
    return nullptr;
}

bool frameIsBusy(const Frame &frame)
{
    return !frame.suspended && frame.engine->currentContext() == frame.context;
}

} // namespace

ScriptActivity::Scope::Scope(QScriptEngine *engine)
    : m_engine(engine)
{
    if (m_engine)
        frames().append({m_engine, m_engine->currentContext(), false});
}

ScriptActivity::Scope::~Scope()
{
    if (!m_engine)
        return;
    QVector<Frame> &stack = frames();
    for (int i = stack.size() - 1; i >= 0; --i) {
        if (stack[i].engine == m_engine) {
            stack.remove(i);
            return;
        }
    }
}

bool ScriptActivity::isBusy(const QScriptEngine *engine)
{
    if (engine) {
        const Frame *frame = innermost(engine);
        return frame && frameIsBusy(*frame);
    }
    QVector<const QScriptEngine *> seen;
    const QVector<Frame> &stack = frames();
    for (int i = stack.size() - 1; i >= 0; --i) {
        if (seen.contains(stack[i].engine))
            continue;
        seen.append(stack[i].engine);
        if (frameIsBusy(stack[i]))
            return true;
    }
    return false;
}

void ScriptActivity::setSuspended(const QScriptEngine *engine, bool suspended)
{
    if (Frame *frame = innermost(engine))
        frame->suspended = suspended;
}

} // namespace QMMistlark
