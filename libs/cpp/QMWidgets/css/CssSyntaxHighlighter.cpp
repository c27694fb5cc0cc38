#include "QMWidgets/css/CssSyntaxHighlighter.h"

namespace QMWidgets {

namespace {

enum BlockState { InComment = 0, InString = 1, Normal = -1 };

// In this order: the first entry that matches wins, so "->" comes before "-" and ">".
const char *const kKeywords[] = {
    "foreach", "bool", "int", "void", "double", "float", "char", "delete", "class",
    "const", "virtual", "mutable", "this", "struct", "union", "throw", "for", "if",
    "else", "false", "namespace", "switch", "case", "public", "private", "protected", "new",
    "return", "using", "true", "->", ">>", "<<", ">", "<",
    "(", ")", "{", "}", "[", "]", "+", "-", "*", "/", "=", "!",
    ".", ",", ";", ":", "&",
    "emit", "connect", "SIGNAL", "|", "SLOT", "slots", "signals",
};

bool isQuote(QChar c)
{
    return c == '"' || c == '\'';
}

} // namespace

CssSyntaxHighlighter::CssSyntaxHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    for (const char *keyword : kKeywords)
        m_keywords.append(QString::fromLatin1(keyword));
}

QString CssSyntaxHighlighter::keywordAt(int position, const QString &text) const
{
    for (const QString &keyword : m_keywords) {
        if (text.midRef(position, keyword.size()) == keyword)
            return keyword;
    }
    return QString();
}

void CssSyntaxHighlighter::highlightBlock(const QString &text)
{
    int state = previousBlockState();
    int start = 0;
    int p = 0;
    const int length = text.size();
    while (p < length) {
        if (state == InComment) {
            if (text.midRef(p, 2) == QLatin1String("*/")) {
                setFormat(start, p - start + 2, QColor(Qt::darkGray));
                p += 2;
                state = Normal;
            } else {
                ++p;
            }
        } else if (state == InString) {
            // Either quote closes the string unless a backslash stands before it; in column 0 nothing does.
            const QStringRef pair = text.midRef(p - 1, p == 0 ? 1 : 2);
            if (isQuote(text.at(p)) && pair != QLatin1String("\\\"") && pair != QLatin1String("\\'")) {
                setFormat(start, p - start + 1, QColor(Qt::cyan));
                state = Normal;
            }
            ++p;
        } else if (text.midRef(p, 2) == QLatin1String("//")) {
            setFormat(p, length - p, QColor(Qt::darkGray));
            setCurrentBlockState(state);
            return;
        } else if (text.at(p) == '#') {
            setFormat(p, length - p, QColor(Qt::green));
            setCurrentBlockState(state);
            return;
        } else if (text.at(p).isDigit() || (text.at(p).unicode() > 127 && text.at(p).isNumber())) {
            setFormat(p, 1, QColor(Qt::cyan));
            ++p;
        } else if (text.midRef(p, 2) == QLatin1String("/*")) {
            // One step only: the "*" may already open the closing "*/", so "/*/" is a whole comment.
            start = p;
            state = InComment;
            ++p;
        } else if (isQuote(text.at(p))) {
            start = p;
            state = InString;
            ++p;
        } else {
            const QString keyword = keywordAt(p, text);
            if (keyword.isEmpty()) {
                ++p;
            } else {
                setFormat(p, keyword.size(), QColor(Qt::white));
                p += keyword.size();
            }
        }
    }
    if (state == InComment)
        setFormat(start, length - start, QColor(Qt::darkGray));
    else if (state == InString)
        setFormat(start, length - start, QColor(Qt::cyan));
    setCurrentBlockState(state);
}

} // namespace QMWidgets
