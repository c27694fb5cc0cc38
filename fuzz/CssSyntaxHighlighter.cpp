// Any text may be typed into the style-sheet editor: colouring it, also after an edit that changes the
// state carried from line to line, must neither crash nor read past a line.

#include "QMWidgets/css/CssSyntaxHighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    QTextDocument document;
    document.documentLayout();
    new QMWidgets::CssSyntaxHighlighter(&document);
    document.setPlainText(text);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("/*"));
    return 0;
}
