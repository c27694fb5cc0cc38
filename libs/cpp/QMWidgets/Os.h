#pragma once

#include <QObject>
#include <QString>

namespace Platform { struct NativeMessage; }

namespace QMWidgets {

// Turns the system's power and session messages into signals. Made on first use, without
// parent; deleting it clears the instance, and a later instance() starts afresh.
class Os : public QObject
{
    Q_OBJECT

public:
    ~Os() override;

    static Os *instance();

    // Never consumes the message; does nothing while no instance exists.
    static bool handleNativeMessage(const Platform::NativeMessage &message);

signals:
    void atSwitchToStandBy();
    void atWakeUpFromStandBy();
    void atUserLogout();
    void atWorkspaceChanged(); // no system message leads here on Windows

private:
    Os();

    // Set between a suspend and the next wake-up, so repeated suspends report once.
    bool m_standBy = false;
};

// Shows the file selected in the system's file manager; when none can be started, opens its
// folder through the desktop's URL handler and returns what that reports.
bool revealInFileManager(const QString &path);

// Factor by which callers multiply pixel sizes.
double screenScaleFactor();

// The file name the system's loader expects of a dynamic library called baseName:
// "baseName.dll" on Windows, "libbaseName.dylib" on macOS, "libbaseName.so" elsewhere.
QString libraryFileName(const QString &baseName);

// The program's entry in the list of programs started at log-on (Platform::openRunKey).
// A write the system refuses is not reported.
bool isAutostartEnabled();
void setAutostart(bool enabled);

} // namespace QMWidgets
