// Any server reply is possible build information: reading it must neither crash nor misbehave, and one
// beyond the bound is not read.
// The reading needs the application object for the build date; it gets a home of its own.

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/UpdateCheck.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QTemporaryDir home;
    const QByteArray path = QFile::encodeName(home.path());
    qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    qputenv("XDG_CACHE_HOME", path + "/.cache");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QMWidgets::App app(*argc, *argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As the update check reads a reply: Latin-1 up to the first NUL byte.
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QString text = QString::fromLatin1(bytes);
    const QMWidgets::UpdateStatus status = QMWidgets::updateStatus(text);
    // Too long a reply is no information, whatever it holds.
    if (text.size() > QMWidgets::MaxBuildInfoBytes && status != QMWidgets::UpdateStatus::Unknown)
        std::abort();
    return 0;
}
