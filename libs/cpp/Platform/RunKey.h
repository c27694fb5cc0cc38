#pragma once

#include <memory>

class QSettings;

namespace Platform {

// Stands in for the machine's list of programs started at log-on, the registry key
// "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run": one value a program, its
// command line as the data. Outside Windows it is the INI file "autostart-run.ini" in the
// user's configuration folder (QStandardPaths::GenericConfigLocation), which nothing else reads.
std::unique_ptr<QSettings> openRunKey();

} // namespace Platform
