// Times Editor::run() of a 100-line script beside a bare QScriptEngine::evaluate of the same program, without
// and with five includes. The pipeline's own cost is each run's time less the evaluation timed inside that same
// run: the difference of two separate timings is noise that can even go below zero.
// Prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "TestApp.h"

#include "scripting/editor/Editor.h"
#include "scripting/editor/OutputArea.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScriptEngine>
#include <QScriptEngineAgent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

static const int documentLines = 100;
static const int includeCount = 5;
static const int runsPerSample = 20;
static const int samples = 7;

// A script that computes and prints once at its end, the output pane being part of a run.
static QString documentBody(int lines)
{
    QString body;
    for (int line = 0; line < lines - 1; ++line) {
        if (line % 3 == 0)
            body += QStringLiteral("function step%1(x) { return (x * %1 + 7) % 13; }\n").arg(line);
        else if (line % 3 == 1)
            body += QStringLiteral("var total%1 = step%2(%1);\n").arg(line).arg(line - 1);
        else
            body += QStringLiteral("if (total%1 > 5) { total%1 = total%1 - 5; }\n").arg(line - 1);
    }
    body += QStringLiteral("printout(total1);");
    return body;
}

// Median over samples of the mean of a few runs, in milliseconds per run.
static double millisecondsPerRun(const std::function<void()> &work)
{
    QVector<double> means;
    for (int sample = 0; sample < samples; ++sample) {
        QElapsedTimer timer;
        timer.start();
        for (int run = 0; run < runsPerSample; ++run)
            work();
        means << double(timer.nsecsElapsed()) / 1e6 / runsPerSample;
    }
    std::sort(means.begin(), means.end());
    return means.at(samples / 2);
}

// The time the engine spends in its outermost evaluations, the program's and its callbacks'.
class EvaluationClock : public QScriptEngineAgent
{
public:
    explicit EvaluationClock(QScriptEngine *engine)
        : QScriptEngineAgent(engine)
    {
    }

    void functionEntry(qint64) override
    {
        if (m_depth++ == 0)
            m_timer.start();
    }

    void functionExit(qint64, const QScriptValue &) override
    {
        if (--m_depth == 0)
            m_nanoseconds += m_timer.nsecsElapsed();
    }

    qint64 takeNanoseconds()
    {
        const qint64 nanoseconds = m_nanoseconds;
        m_nanoseconds = 0;
        return nanoseconds;
    }

private:
    QElapsedTimer m_timer;
    qint64 m_nanoseconds = 0;
    int m_depth = 0;
};

// Median over samples of the mean of a few runs, less what the clock counted in them, in milliseconds per run;
// below zero when the clock counted nothing, which would make the whole run the pipeline's.
static double ownMillisecondsPerRun(const std::function<void()> &work, EvaluationClock *clock)
{
    QVector<double> means;
    for (int sample = 0; sample < samples; ++sample) {
        clock->takeNanoseconds();
        QElapsedTimer timer;
        timer.start();
        for (int run = 0; run < runsPerSample; ++run)
            work();
        const qint64 elapsed = timer.nsecsElapsed();
        const qint64 evaluating = clock->takeNanoseconds();
        if (evaluating <= 0)
            return -1;
        means << double(elapsed - evaluating) / 1e6 / runsPerSample;
    }
    std::sort(means.begin(), means.end());
    return means.at(samples / 2);
}

static QScriptValue doNothing(QScriptContext *, QScriptEngine *engine)
{
    return engine->nullValue();
}

// An engine for the program as the pipeline evaluates it; printout and include are the functions it calls.
static QScriptEngine *bareEngine()
{
    auto *engine = new QScriptEngine;
    engine->globalObject().setProperty(QStringLiteral("printout"), engine->newFunction(doNothing));
    engine->globalObject().setProperty(QStringLiteral("include"), engine->newFunction(doNothing));
    return engine;
}

static bool compare(const char *label, const QString &document, const QString &scriptFileName)
{
    QMMistlark::Editor editor;
    if (scriptFileName.isEmpty()) {
        editor.setText(document);
    } else {
        QFile file(scriptFileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(document.toUtf8()) < 0)
            return false;
        file.close();
        editor.open(scriptFileName);
    }
    editor.run();
    const QString printed = editor.findChild<QMMistlark::OutputArea *>()->toPlainText();
    // A benchmark of a failing run measures nothing.
    if (editor.hasError() || printed.isEmpty()) {
        std::fprintf(stderr, "bench_RunPipeline: %s: the run failed: %s\n", label, qPrintable(printed));
        return false;
    }
    const QString program = editor.buildPrologue() + document;

    QScriptEngine *engine = bareEngine();
    engine->evaluate(program, scriptFileName, 1);
    if (engine->hasUncaughtException())
        return false;

    const double pipeline = millisecondsPerRun([&] { editor.run(); });
    const double bare = millisecondsPerRun([&] { engine->evaluate(program, scriptFileName, 1); });
    delete engine;
    // Timed apart from the rows above: an agent slows the evaluation it watches.
    auto *clock = new EvaluationClock(editor.findChild<QScriptEngine *>());
    clock->engine()->setAgent(clock);
    const double own = ownMillisecondsPerRun([&] { editor.run(); }, clock);
    clock->engine()->setAgent(nullptr);
    delete clock;
    if (own < 0) {
        std::fprintf(stderr, "bench_RunPipeline: %s: the evaluation was not timed\n", label);
        return false;
    }

    std::printf("run(), %s\t%.3f\tms\t-\n", label, pipeline);
    std::printf("bare evaluate, %s\t%.3f\tms\t-\n", label, bare);
    printRow(QStringLiteral("pipeline's own cost, %1").arg(QLatin1String(label)), own, "ms", QStringLiteral("< 1"), 3);
    return true;
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    if (!compare("100 lines, no include", documentBody(documentLines), QString()))
        return 1;

    QString includes;
    for (int index = 0; index < includeCount; ++index) {
        const QString name = QStringLiteral("lib%1.js").arg(index);
        QFile file(QDir(dir.path()).filePath(name));
        QString library;
        for (int line = 0; line < 20; ++line)
            library += QStringLiteral("function lib%1_%2(x) { return x + %2; }\n").arg(index).arg(line);
        if (!file.open(QIODevice::WriteOnly) || file.write(library.toUtf8()) < 0)
            return 1;
        includes += QStringLiteral("include(\"%1\");\n").arg(name);
    }
    const QString document = includes + documentBody(documentLines - includeCount);
    if (!compare("100 lines, 5 includes", document, QDir(dir.path()).filePath(QStringLiteral("main.js"))))
        return 1;
    return 0;
}
