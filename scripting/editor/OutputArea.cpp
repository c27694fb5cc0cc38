#include "scripting/editor/OutputArea.h"

#include "MGraphX/OutsideResources.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace QMMistlark {

const char OutputArea::ReportColor[] = "#770000";

OutputArea::OutputArea(QWidget *parent)
    : QTextEdit(parent)
{
    document()->setMaximumBlockCount(KeptParagraphs);
    // The output goes on growing while a script runs; the trim waits for the next pass of the event loop, which a
    // busy script reaches at its interval.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_trimPending || document()->characterCount() <= KeptCharacters)
            return;
        m_trimPending = true;
        QMetaObject::invokeMethod(this, &OutputArea::trimToKeptCharacters, Qt::QueuedConnection);
    });
}

void OutputArea::appendRedReport(const QString &html)
{
    // Parsed as the report used to be when it followed the whole pane's HTML, so that it falls into the same
    // paragraphs (the first line break of a report starts a new one), but on its own.
    QTextDocument scratch;
    scratch.setHtml(QTextDocument().toHtml() + QStringLiteral("<FONT COLOR=") + QLatin1String(ReportColor)
                    + QStringLiteral(">") + html + QStringLiteral("</FONT><FONT COLOR=#000000></FONT>"));
    QTextCursor report(&scratch);
    report.movePosition(QTextCursor::NextBlock);
    report.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);

    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.beginEditBlock();
    end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertFragment(report.selection());
    end.endEditBlock();

    // The pane's cursor went along when it stood at the end; append() takes its format for what comes next.
    const QTextCursor shown = textCursor();
    if (!shown.hasSelection() && shown.atEnd()) {
        QTextCharFormat black;
        black.setForeground(QColor(0, 0, 0));
        setCurrentCharFormat(black);
    }
}

QVariant OutputArea::loadResource(int type, const QUrl &name)
{
    return MGraphX::loadTextResource(type, name);
}

void OutputArea::trimToKeptCharacters()
{
    m_trimPending = false;
    QTextDocument *text = document();
    if (text->characterCount() <= KeptCharacters)
        return;
    // A tenth below the bound, so that the next trim is some output away.
    const int target = KeptCharacters - KeptCharacters / 10;
    QTextBlock block = text->begin();
    int removed = 0;
    while (block.isValid() && block.next().isValid() && text->characterCount() - removed > target) {
        removed += block.length();
        block = block.next();
    }
    QTextCursor oldest(text);
    oldest.setPosition(block.position(), QTextCursor::KeepAnchor);
    oldest.removeSelectedText();
}

} // namespace QMMistlark
