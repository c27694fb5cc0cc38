// Any text may be shown as rich text by a script, a file or a server: checking the resources it names, and
// loading them for a label that shows a text the check passes, must neither crash nor read past the bounds,
// whatever it names.

#include "MGraphX/OutsideResources.h"
#include "MTools/FileOpenJudge.h"

#include <QApplication>
#include <QLabel>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // As in the program: every file opened by name is judged from before the application object on.
    MTools::judgeFilesOpenedByName();
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    // The program shows only what the check lets pass: that must lay out and draw in bounded time and memory.
    if (!MGraphX::richTextRefusal(text).isEmpty())
        return 0;
    QLabel label;
    label.setText(text);
    MGraphX::boundLabelResources(&label);
    label.resize(label.sizeHint().boundedTo(QSize(2000, 2000)));
    label.grab();
    return 0;
}
