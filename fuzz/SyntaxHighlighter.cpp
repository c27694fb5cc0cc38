// The highlighter colours whatever text a script file holds, carrying open comments and strings from line
// to line. Any text, and any edit that opens or closes a comment above it, must highlight without a crash.

#include "scripting/editor/SyntaxHighlighter.h"

#include <QByteArray>
#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cstdint>
#include <cstdlib>

namespace {

// Made once and never destroyed: the process ends with the fuzzer, and a static destructor
// would run after Qt's own globals are gone.
QGuiApplication *s_application = nullptr;
QTextDocument *s_document = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    s_application = new QGuiApplication(*argc, *argv);
    s_document = new QTextDocument;
    // A document without a layout reports no changes to highlight, as it has no view.
    s_document->documentLayout();
    new QMMistlark::SyntaxHighlighter(s_document);
    s_document->setPlainText(QStringLiteral("var x;"));
    if (s_document->firstBlock().layout()->formats().isEmpty())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    s_document->setPlainText(text);

    // Opening a comment or a string at the top changes the state that every later line starts in.
    QTextCursor top(s_document);
    const char *const openers[] = {"/*", "\"", "'", "*/"};
    for (const char *opener : openers) {
        top.insertText(QLatin1String(opener));
        top.movePosition(QTextCursor::Start);
        top.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, int(qstrlen(opener)));
        top.removeSelectedText();
    }
    // And a line break in the middle splits a block that may hold an open comment.
    QTextCursor middle(s_document);
    middle.setPosition(s_document->characterCount() / 2);
    middle.insertText(QStringLiteral("\n"));
    return 0;
}
