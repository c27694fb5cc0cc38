#pragma once

#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QVector>

#include <array>

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
    int keywordLengthAt(const QString &text, int position) const;

    QStringList m_keywords;
    // Indices into m_keywords by first character, in list order: only those can match at a position.
    std::array<QVector<int>, 128> m_keywordsByFirstChar;
    QTextCharFormat m_keywordFormat;
    QTextCharFormat m_digitFormat;
    QTextCharFormat m_stringFormat;
    QTextCharFormat m_commentFormat;
};

} // namespace QMMistlark
