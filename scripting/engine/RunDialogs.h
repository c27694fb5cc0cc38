#pragma once

#include <QObject>

class QScriptEngine;

namespace QMMistlark {

class ScriptEngine;

// Keeps Stop in reach while a script drives the program. A modal dialog of the program that opens while a script
// is live (running, in a callback, or with a timer pending) would shut every other window off, the script
// window's Stop and close among them, and a script that opens it again at once would hold the program for good.
// Such a dialog blocks no window instead, and the Stop of every script that was live when it opened closes it
// as Cancel would. GUI thread only.
class RunDialogs : public QObject
{
    Q_OBJECT

public:
    // Set on each dialog that was shown so, for whoever must find it although it is not modal.
    static constexpr char OpenedWhileLiveProperty[] = "openedWhileScriptLive";

    // Starts watching the application's dialogs; later calls do nothing.
    static void watch();
    // Cancels the dialogs that opened while the engine's script was live and are still up.
    static void cancelOpenedFor(const QScriptEngine *engine);
    // The engine goes: its list goes with it, and its dialogs stay.
    static void forget(const QScriptEngine *engine);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit RunDialogs(QObject *parent);
};

} // namespace QMMistlark
