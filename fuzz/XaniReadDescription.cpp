// Any bytes may sit in a file with the .xani name: reading its description must neither crash nor
// allocate from size fields that the file cannot back.

#include "MGraphX/Xani.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>

namespace {

void discardMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

QString inputPath()
{
    static const QString path = QDir::temp().filePath(QStringLiteral("fuzz-xani-%1.xani").arg(QCoreApplication::applicationPid()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // The reader logs every description it reads.
    qInstallMessageHandler(discardMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QFile file(inputPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    MGraphX::Xani animation;
    const QString description = animation.readDescription(inputPath());
    if (description.size() > int(size))
        __builtin_trap();
    return 0;
}
