#include "scripting/engine/IncludedFile.h"

#include "MTools/FileReading.h"
#include "scripting/engine/ScriptEngine.h"

#include <QFile>
#include <QScriptEngine>
#include <QStringList>

namespace QMMistlark {

QString checkIncludedFile(const QString &fileName, ScriptEngine *runEngine, QString *content)
{
    // The problem is shown as HTML: its own parts (a backtrace's "<global>", a name with "&") are escaped.
    const QString shownName = fileName.toHtmlEscaped();
    if (!QFile::exists(fileName))
        return QStringLiteral("Error: The included file\"") + shownName + QStringLiteral("\" does not exist");
    QByteArray bytes;
    QString reason;
    if (!MTools::readFileBounded(fileName, MTools::ScriptFileBound, &bytes, &reason))
        return QStringLiteral("Error: The included file\"") + shownName + QStringLiteral("\" can not be opened: ")
            + reason.toHtmlEscaped();
    // The text ends at the first zero byte, as in the expansion that puts it before the program.
    const QString text = QString::fromUtf8(bytes.constData());
    bytes = QByteArray();
    if (content)
        *content = text;

    // An engine without the published objects and functions: a file that uses them at its top level fails here.
    // A syntax error surfaces as the evaluation's exception, with its line.
    QScriptEngine engine;
    if (runEngine) {
        // A file that loops for ever would otherwise hold the window before its run has even begun.
        engine.setProcessEventsInterval(runEngine->processEventsInterval());
        QObject::connect(runEngine, &ScriptEngine::waitsCancelled, &engine, [&engine] { engine.abortEvaluation(); });
        if (runEngine->isStopped())
            return QString();
    }
    const QScriptValue result = engine.evaluate(text, QString(), 1);
    if (!engine.hasUncaughtException())
        return QString();
    return QStringLiteral("Evaluation Error in included file:\"") + shownName + QStringLiteral("\"<BR>nLine")
        + QString::number(engine.uncaughtExceptionLineNumber()) + QStringLiteral("<BR>") + result.toString().toHtmlEscaped()
        + QStringLiteral("<BR>Backtrace: ") + engine.uncaughtExceptionBacktrace().join(QLatin1Char('\n')).toHtmlEscaped();
}

} // namespace QMMistlark
