// Any bytes may stand in a file the viewer is asked to show: loading them, then zooming and fitting the
// result, must neither crash nor read out of bounds, whatever size the picture turns out to have.

#include "FuzzInput.h"
#include "QMWidgets/desktop/ImageViewer.h"

#include <QApplication>

#include <cstdint>

namespace {
QMWidgets::ImageViewer *s_viewer = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    static QMWidgets::ImageViewer viewer;
    viewer.resize(320, 480);
    s_viewer = &viewer;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    s_viewer->slotLoad(writeFuzzInput(data, size, QStringLiteral("input")));
    s_viewer->slotZoom(1);
    s_viewer->slotZoom(37);
    s_viewer->slotFitScreen();
    return 0;
}
