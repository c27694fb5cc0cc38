// Any bytes may stand in a file the viewer is asked to show: loading them, then zooming and fitting the
// result, must neither crash nor read out of bounds, whatever size the picture turns out to have.

#include "QMWidgets/ImageViewer.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {
QMWidgets::ImageViewer *s_viewer = nullptr;
QString s_path;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    static QTemporaryDir folder;
    s_path = folder.filePath(QStringLiteral("input"));
    static QMWidgets::ImageViewer viewer;
    viewer.resize(320, 480);
    s_viewer = &viewer;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QFile file(s_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    s_viewer->slotLoad(s_path);
    s_viewer->slotZoom(1);
    s_viewer->slotZoom(37);
    s_viewer->slotFitScreen();
    return 0;
}
