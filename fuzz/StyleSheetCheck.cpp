// Any text may be applied as a style sheet by the user or a script: checking the files its url()s name must
// neither crash nor read past the bounds, whatever it names.

#include "MGraphX/OutsideResources.h"
#include "MTools/FileOpenJudge.h"

#include <QGuiApplication>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    MTools::judgeFilesOpenedByName();
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MGraphX::styleSheetRefusal(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    return 0;
}
