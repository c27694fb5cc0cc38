#pragma once

#include <QString>

// Points HOME and the XDG folders at the given folder, so that a test reads and writes none of the user's
// files; done before any application object or settings store exists.
void pointHomeAt(const QString &home);
