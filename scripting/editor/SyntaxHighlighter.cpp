#include "scripting/editor/SyntaxHighlighter.h"

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

// The two characters at i, without building a substring: this runs for every character of the script.
bool pairAt(const QString &text, int i, char first, char second)
{
    return i + 1 < text.length() && text.at(i) == QLatin1Char(first) && text.at(i + 1) == QLatin1Char(second);
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

} // namespace

SyntaxHighlighter::SyntaxHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    for (const char *keyword : keywords) {
        m_keywordsByFirstChar[uchar(keyword[0])].append(m_keywords.size());
        m_keywords.append(QLatin1String(keyword));
    }
    m_keywordFormat.setForeground(QColor(Qt::blue));
    m_digitFormat.setForeground(QColor(Qt::black));
    // Pure red reads at 4.0:1 on the editor's white, too faint for text; this red of the same hue reads at 5.9:1.
    m_stringFormat.setForeground(QColor(204, 0, 0));
    m_commentFormat.setForeground(QColor(Qt::darkGreen));
}

int SyntaxHighlighter::keywordLengthAt(const QString &text, int position) const
{
    const QChar first = text.at(position);
    if (first.unicode() >= m_keywordsByFirstChar.size())
        return 0;
    const bool startsWord = isWordCharacter(first);
    // Inside a word nothing that begins with a word character can match.
    if (startsWord && position > 0 && isWordCharacter(text.at(position - 1)))
        return 0;
    for (int index : m_keywordsByFirstChar[first.unicode()]) {
        const QString &keyword = m_keywords.at(index);
        if (QStringRef(&text, position, qMin(keyword.length(), text.length() - position)) != keyword)
            continue;
        const int after = position + keyword.length();
        if (startsWord && after < text.length() && isWordCharacter(text.at(after)))
            continue;
        return keyword.length();
    }
    return 0;
}

void SyntaxHighlighter::highlightBlock(const QString &text)
{
    int state = previousBlockState();
    int start = 0;
    int i = 0;
    const int length = text.length();

    while (i < length) {
        if (state == InsideComment) {
            if (pairAt(text, i, '*', '/')) {
                setFormat(start, i + 2 - start, m_commentFormat);
                i += 2;
                state = PlainCode;
            } else {
                ++i;
            }
        } else if (state == InsideString) {
            // A quote right after a backslash is escaped; either kind of quote ends the literal.
            if (isQuote(text.at(i)) && (i == 0 || text.at(i - 1) != QLatin1Char('\\'))) {
                setFormat(start, i + 1 - start, m_stringFormat);
                state = PlainCode;
            }
            ++i;
        } else if (pairAt(text, i, '/', '/') || text.at(i) == QLatin1Char('#')) {
            setFormat(i, length - i, m_commentFormat);
            setCurrentBlockState(state);
            return;
        } else if (text.at(i).isNumber()) {
            setFormat(i, 1, m_digitFormat);
            ++i;
        } else if (pairAt(text, i, '/', '*')) {
            // Only one step, so the "*" may also begin the closing "*/" and "/*/" is a whole comment.
            state = InsideComment;
            start = i;
            ++i;
        } else if (isQuote(text.at(i))) {
            state = InsideString;
            start = i;
            ++i;
        } else {
            const int keywordLength = keywordLengthAt(text, i);
            if (keywordLength == 0) {
                ++i;
            } else {
                setFormat(i, keywordLength, m_keywordFormat);
                i += keywordLength;
            }
        }
    }

    if (state == InsideComment)
        setFormat(start, length - start, m_commentFormat);
    else if (state == InsideString)
        setFormat(start, length - start, m_stringFormat);
    setCurrentBlockState(state);
}

} // namespace QMMistlark
