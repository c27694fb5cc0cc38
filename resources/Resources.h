#pragma once

#include <QString>

// The compiled-in images (":/backgroundbar.png", ":/Icon_run.png", ...) and the application style sheet.
namespace Resources {

// Registers the compiled-in files. They live in a static library, so a program that only names them
// through ":/" paths must call this once before it uses them; calling it again does no harm.
void init();

// The application style sheet: its rules as one line, read once.
QString styleSheet();

} // namespace Resources
