// Any bytes may sit in a file with the .xani name: reading its description must neither crash nor
// allocate from size fields that the file cannot back.

#include "FuzzInput.h"
#include "MGraphX/Xani.h"

#include <QCoreApplication>

#include <cstdint>

namespace {

void discardMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

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
    MGraphX::Xani animation;
    const QString description = animation.readDescription(writeFuzzInput(data, size, QStringLiteral("input.xani")));
    if (description.size() > int(size))
        __builtin_trap();
    return 0;
}
