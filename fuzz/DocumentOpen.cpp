// Opening a script file puts whatever bytes it holds into the document: any file must open without a
// crash, leave the document unmodified under the file's name, and highlight its text.

#include "FuzzInput.h"
#include "scripting/editor/DocWindow.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cstdint>
#include <cstdlib>

namespace {

// Made once and never destroyed: the process ends with the fuzzer, and a static destructor
// would run after Qt's own globals are gone.
QApplication *s_application = nullptr;
QMMistlark::DocWindow *s_document = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    s_application = new QApplication(*argc, *argv);
    s_document = new QMMistlark::DocWindow(nullptr);
    // The harness would prove nothing about the text's colouring if the highlighter did not run.
    s_document->setPlainText(QStringLiteral("var x;"));
    if (s_document->document()->firstBlock().layout()->formats().isEmpty())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeFuzzInput(data, size, QStringLiteral("script.js"));

    s_document->open(path);
    if (s_document->fileName() != path || s_document->isModified())
        std::abort();
    return 0;
}
