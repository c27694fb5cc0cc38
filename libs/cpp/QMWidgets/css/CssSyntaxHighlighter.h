#pragma once

#include <QStringList>
#include <QSyntaxHighlighter>

namespace QMWidgets {

// Colours the style-sheet editor's text: comments, "#" lines, digits, strings and a fixed word list.
// One state passes from line to line, so comments and strings may span lines.
class CssSyntaxHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit CssSyntaxHighlighter(QTextDocument *document);

    // The first word of the list found at the position, or the empty text.
    QString keywordAt(int position, const QString &text) const;

protected:
    void highlightBlock(const QString &text) override;

private:
    QStringList m_keywords;
};

} // namespace QMWidgets
