#include "scripting/engine/ScriptEngine.h"
#include "scripting/engine/ScriptRun.h"
#include "scripting/engine/Timer.h"

#include <QScriptValue>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

using QMMistlark::ScriptEngine;
using QMMistlark::ScriptRun;

namespace {

// Sends what a script connects to, as a widget of the program would.
class Emitter : public QObject
{
    Q_OBJECT

signals:
    void fired();
};

// A run over a bare engine whose steps note what the run asked of them.
class Fixture
{
public:
    explicit Fixture(const QString &program, bool checksPass = true)
        : m_program(program)
    {
        m_engine.setProcessEventsInterval(10);
        m_engine.globalObject().setProperty(QStringLiteral("emitter"), m_engine.newQObject(&emitter));
        m_engine.globalObject().setProperty(QStringLiteral("log"), m_engine.newArray());
        m_run = std::make_unique<ScriptRun>(
            &m_engine,
            ScriptRun::Steps{[this, checksPass] {
                                 steps << QStringLiteral("prepare");
                                 return checksPass;
                             },
                             [this] {
                                 steps << QStringLiteral("program");
                                 return m_program;
                             },
                             [this](const QScriptValue &result) { steps << QStringLiteral("exception ") + result.toString(); },
                             [this] { steps << QStringLiteral("stopped"); }});
    }

    ScriptEngine *engine() { return &m_engine; }
    void setProgram(const QString &program) { m_program = program; }
    ScriptRun *run() { return m_run.get(); }
    QString logged() { return m_engine.globalObject().property(QStringLiteral("log")).toString(); }

    Emitter emitter;
    QStringList steps;

private:
    QString m_program;
    ScriptEngine m_engine;
    std::unique_ptr<ScriptRun> m_run;
};

// Lets the posted calls that a stop leaves behind run.
void settle()
{
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace

class tst_ScriptRun : public QObject
{
    Q_OBJECT

private slots:
    void runsFromStartToEnd();
    void failedChecksRunNothing();
    void stopEndsTheRun();
    void stopLastsForCallbacksAndTimers_data();
    void stopLastsForCallbacksAndTimers();
    void nextRunCallsBackAgain();
};

void tst_ScriptRun::runsFromStartToEnd()
{
    Fixture fixture(QStringLiteral("log.push('ran'); throw new Error('at the end');"));
    QSignalSpy running(fixture.run(), &ScriptRun::runningChanged);
    fixture.run()->run();
    QCOMPARE(fixture.logged(), QStringLiteral("ran"));
    QCOMPARE(fixture.steps, QStringList({"prepare", "program", "exception Error: at the end"}));
    QCOMPARE(running.size(), 2);
    QCOMPARE(running.at(0).at(0).toBool(), true);
    QCOMPARE(running.at(1).at(0).toBool(), false);
    QVERIFY(!fixture.run()->isRunning());
    QVERIFY(!fixture.engine()->isRunning());
}

void tst_ScriptRun::failedChecksRunNothing()
{
    Fixture fixture(QStringLiteral("log.push('ran');"), false);
    fixture.run()->run();
    QCOMPARE(fixture.steps, QStringList({"prepare"}));
    QCOMPARE(fixture.logged(), QString());
    QVERIFY(!fixture.run()->isRunning());
}

// A busy program lets the window handle events, and Stop that comes then ends it where it is.
void tst_ScriptRun::stopEndsTheRun()
{
    Fixture fixture(QStringLiteral("log.push('looping'); while (true) {}"));
    bool runningWhenStopped = false;
    QTimer::singleShot(50, fixture.run(), [&fixture, &runningWhenStopped] {
        runningWhenStopped = fixture.run()->isRunning();
        fixture.run()->stop();
    });
    fixture.run()->run();
    QVERIFY(runningWhenStopped);
    QVERIFY(!fixture.run()->isRunning());
    QCOMPARE(fixture.logged(), QStringLiteral("looping"));
    QCOMPARE(fixture.steps.last(), QStringLiteral("exception Error: ") + QLatin1String(ScriptRun::StoppedByUser));
}

void tst_ScriptRun::stopLastsForCallbacksAndTimers_data()
{
    QTest::addColumn<bool>("stoppedWhileRunning");
    QTest::newRow("stop during the run") << true;
    QTest::newRow("stop after the run") << false;
}

// A handler that stays busy for as long as the script's variable says, then notes that it finished.
const char s_busyHandler[] = "var busy = 3000;\n"
                             "emitter.fired.connect(function() {\n"
                             "    log.push('called');\n"
                             "    var start = new Date(); while (new Date() - start < busy) {}\n"
                             "    log.push('finished');\n"
                             "});\n";

// Until the next run the script calls nothing: a handler that a signal calls after the stop ends at its first
// check, and the script's timers are stopped.
void tst_ScriptRun::stopLastsForCallbacksAndTimers()
{
    QFETCH(bool, stoppedWhileRunning);
    Fixture fixture(QLatin1String(s_busyHandler)
                    + QStringLiteral("timer.timeout.connect(function() { log.push('timed'); });\n"
                                     "timer.start(20);\n")
                    + (stoppedWhileRunning ? QStringLiteral("while (true) {}") : QString()));
    QMMistlark::Timer timer;
    timer.setEngine(fixture.engine());
    fixture.engine()->globalObject().setProperty(QStringLiteral("timer"), fixture.engine()->newQObject(&timer));
    if (stoppedWhileRunning)
        QTimer::singleShot(50, fixture.run(), [&fixture] { fixture.run()->stop(); });
    fixture.run()->run();
    if (!stoppedWhileRunning)
        fixture.run()->stop();
    settle();

    QVERIFY(!timer.isActive());
    // A handler that ran on would have logged its end after its three seconds.
    emit fixture.emitter.fired();
    settle();
    QCOMPARE(fixture.logged(), QStringLiteral("called"));
}

void tst_ScriptRun::nextRunCallsBackAgain()
{
    Fixture fixture{QLatin1String(s_busyHandler)};
    fixture.run()->run();
    fixture.run()->stop();
    settle();
    emit fixture.emitter.fired();
    settle();
    QCOMPARE(fixture.logged(), QStringLiteral("called"));

    // The next run clears the stop: the handler connected before is called again and runs to its end.
    fixture.engine()->globalObject().setProperty(QStringLiteral("busy"), 0);
    fixture.setProgram(QStringLiteral("log = [];"));
    fixture.run()->run();
    emit fixture.emitter.fired();
    QCOMPARE(fixture.logged(), QStringLiteral("called,finished"));
}

QTEST_MAIN(tst_ScriptRun)
#include "tst_ScriptRun.moc"
