#pragma once

#include <QStringList>
#include <QSyntaxHighlighter>

class QTextDocument;

namespace QMMistlark {

// Colours a script: keywords and operators blue, digits black, strings red, comments dark green.
// Only the foreground colour changes; block states carry open comments and strings to the next line.
class SyntaxHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit SyntaxHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    QString keywordAt(const QString &text, int position) const;

    QStringList m_keywords;
};

} // namespace QMMistlark
