#pragma once

#include <QtGlobal>

namespace Platform {

// Stands in for the Windows message record (MSG), reduced to what the framework reads of it.
// Ids and parameters are numbered as on Windows, so a native event filter there can copy a
// message in field by field; the names are our own so that they never meet the system's macros.
struct NativeMessage
{
    enum Id : quint32 {
        EndSession = 0x0016,     // the user's session is ending (log-off or shut-down)
        PowerBroadcast = 0x0218, // a power event; wParam says which
    };

    // Power events, carried in wParam of a PowerBroadcast message.
    enum PowerEvent : quintptr {
        PowerSuspend = 4,            // the machine is about to sleep
        PowerResumeAutomatic = 0x12, // the machine woke up, with or without a user present
    };

    quint32 message = 0;
    quintptr wParam = 0;
    qintptr lParam = 0;
};

} // namespace Platform
