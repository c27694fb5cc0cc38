#include "scripting/SyntaxHighlighter.h"

#include <QTextDocument>

namespace QMMistlark {

// Tried in this order and the first entry that fits wins. Short operators come before long ones,
// so "===" or "->" is coloured one character at a time, which looks the same.
static const char *const keywords[] = {
    "|", ">", "with", "true", "prototype", ")", "<", "else", "const", "native",
    "(", ";", "this", "typeof", "boolean", "!", "-", "byte", "switch", "function",
    "&", "*", "char", "float", "throws", ".", "/", "enum", "return", "finally",
    "{", ",", "int", "import", "implements", "}", "->", "new", "short", "interface",
    "[", "<<", "for", "delete", "foreach", "]", ">>", "try", "false", "double",
    "+", "in", "var", "goto", "connect", "=", "do", "case", "throw", ">>>",
    ":", "if", "long", "export", "===",
};

namespace {

// Block states kept per line; any other value means the line ends in plain code.
enum BlockState {
    InsideComment = 0,
    InsideString = 1,
    PlainCode = -1,
};

// Only ASCII letters and digits make words: "_", "$" and other letters end a keyword.
bool isWordCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

} // namespace

SyntaxHighlighter::SyntaxHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    for (const char *keyword : keywords)
        m_keywords.append(QLatin1String(keyword));
}

QString SyntaxHighlighter::keywordAt(const QString &text, int position) const
{
    const bool startsWord = isWordCharacter(text.at(position));
    for (const QString &keyword : m_keywords) {
        if (text.midRef(position, keyword.length()) != keyword)
            continue;
        if (startsWord) {
            const int after = position + keyword.length();
            if (position > 0 && isWordCharacter(text.at(position - 1)))
                continue;
            if (after < text.length() && isWordCharacter(text.at(after)))
                continue;
        }
        return keyword;
    }
    return QString();
}

void SyntaxHighlighter::highlightBlock(const QString &text)
{
    int state = previousBlockState();
    int start = 0;
    int i = 0;
    const int length = text.length();

    while (i < length) {
        if (state == InsideComment) {
            if (text.midRef(i, 2) == QLatin1String("*/")) {
                setFormat(start, i + 2 - start, Qt::darkGreen);
                i += 2;
                state = PlainCode;
            } else {
                ++i;
            }
        } else if (state == InsideString) {
            // A quote right after a backslash is escaped; either kind of quote ends the literal.
            if (isQuote(text.at(i)) && (i == 0 || text.at(i - 1) != QLatin1Char('\\'))) {
                setFormat(start, i + 1 - start, Qt::red);
                state = PlainCode;
            }
            ++i;
        } else if (text.midRef(i, 2) == QLatin1String("//") || text.at(i) == QLatin1Char('#')) {
            setFormat(i, length - i, Qt::darkGreen);
            setCurrentBlockState(state);
            return;
        } else if (text.at(i).isNumber()) {
            setFormat(i, 1, Qt::black);
            ++i;
        } else if (text.midRef(i, 2) == QLatin1String("/*")) {
            // Only one step, so the "*" may also begin the closing "*/" and "/*/" is a whole comment.
            state = InsideComment;
            start = i;
            ++i;
        } else if (isQuote(text.at(i))) {
            state = InsideString;
            start = i;
            ++i;
        } else {
            const QString keyword = keywordAt(text, i);
            if (keyword.isEmpty()) {
                ++i;
            } else {
                setFormat(i, keyword.length(), Qt::blue);
                i += keyword.length();
            }
        }
    }

    if (state == InsideComment)
        setFormat(start, length - start, Qt::darkGreen);
    else if (state == InsideString)
        setFormat(start, length - start, Qt::red);
    setCurrentBlockState(state);
}

} // namespace QMMistlark
