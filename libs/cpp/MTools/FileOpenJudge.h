#pragma once

namespace MTools {

// Judges every file that this process opens by name through QFile, the program's own opens and Qt's alike
// (pictures, icons, text-document resources, a style sheet's url(), settings, image plugins), as the bounded
// reader does: a named pipe, a device, a socket or a folder is refused at once, without opening it, and a
// file that reports no size (as those under /proc do) gives a read error past MTools::SizelessFileBound
// instead of running on. Names of the program's resources (":/", "qrc:") pass untouched. Installed once for
// the process; call it before the application object, which opens files as it starts.
void judgeFilesOpenedByName();

} // namespace MTools
