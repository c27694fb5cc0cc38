#include "app/ScriptCompressor.h"

#include "scripting/editor/DocWindow.h"
#include "scripting/editor/Editor.h"

namespace {

// After these words a "/" begins a regular expression, not a division.
const char *const kWordsBeforeExpression[] = {
    "return", "typeof", "instanceof", "in", "new", "delete", "void", "throw", "case", "do", "else",
};

bool isSeparator(QChar c)
{
    switch (c.unicode()) {
    case ' ': case '\t': case '+': case '-': case '=': case '*': case '/':
    case ';': case ',': case '<': case '>': case ')': case '(':
        return true;
    default:
        return false;
    }
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == '_' || c == '$' || c.unicode() > 127;
}

bool isBlank(QChar c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Two characters that must not touch: they would read as one token ("a + +b" is not "a++b") or open a comment.
bool mustStayApart(QChar before, QChar after)
{
    if ((before == '+' || before == '-') && after == before)
        return true;
    if (before == '/' && (after == '/' || after == '*'))
        return true;
    return isWordChar(before) && isWordChar(after);
}

class Compressor
{
public:
    explicit Compressor(const QString &text)
        : m_text(text)
        , m_length(text.size())
    {
        m_out.reserve(m_length);
    }

    QString run()
    {
        int i = 0;
        while (i < m_length) {
            const QChar c = m_text.at(i);
            const QChar next = at(i + 1);
            if (c == '/' && next == '*')
                i = skipBlockComment(i);
            else if (c == '/' && next == '/')
                i = skipLineComment(i);
            else if (c == '"' || c == '\'')
                i = copyLiteral(i, false);
            else if (c == '/' && regexMayStart())
                i = copyLiteral(i, true);
            else
                i = takeCharacter(i);
        }
        return m_out;
    }

private:
    QChar at(int i) const { return i >= 0 && i < m_length ? m_text.at(i) : QChar(); }
    QChar last() const { return m_out.isEmpty() ? QChar() : m_out.at(m_out.size() - 1); }

    int skipBlockComment(int i)
    {
        const int close = m_text.indexOf(QLatin1String("*/"), i + 2);
        if (close < 0)
            return m_length; // unterminated: the rest is comment
        const int after = close + 2;
        // A comment separates like a blank, also one that spans lines: the engine does not read it as a
        // line break, so "return /*\n*/ 7" returns 7.
        if (!m_out.isEmpty() && mustStayApart(last(), at(after)))
            m_out.append(' ');
        return after;
    }

    int skipLineComment(int i)
    {
        const int lineEnd = m_text.indexOf('\n', i);
        return lineEnd < 0 ? m_length : lineEnd; // the line feed itself is not part of the comment
    }

    // A string ends at its own quote, a regular expression at a "/" outside a character class; a backslash
    // escapes the next character, and an unterminated literal ends before the line feed.
    int copyLiteral(int i, bool regex)
    {
        const QChar closing = regex ? QChar('/') : m_text.at(i);
        bool inClass = false;
        int j = i + 1;
        while (j < m_length) {
            const QChar c = m_text.at(j);
            if (c == '\\') {
                j += 2;
                continue;
            }
            if (c == '\n')
                break;
            ++j;
            if (regex && c == '[')
                inClass = true;
            else if (regex && c == ']')
                inClass = false;
            else if (c == closing && !inClass)
                break;
        }
        return copyRange(i, qMin(j, m_length));
    }

    int copyRange(int begin, int end)
    {
        m_out.append(m_text.midRef(begin, end - begin));
        m_literalEnd = m_out.size();
        return end;
    }

    // Decided by what was written last, blanks and line breaks skipped: after a value a "/" divides.
    bool regexMayStart() const
    {
        int k = m_out.size() - 1;
        while (k >= m_literalEnd && isBlank(m_out.at(k)))
            --k;
        if (k < 0)
            return true;
        if (k < m_literalEnd)
            return false; // a string or regular expression is a value
        const QChar c = m_out.at(k);
        if (c == ')' || c == ']')
            return false;
        if ((c == '+' || c == '-') && k > 0 && m_out.at(k - 1) == c)
            return false; // postfix increment or decrement
        if (!isWordChar(c))
            return true;
        int start = k;
        while (start > 0 && isWordChar(m_out.at(start - 1)))
            --start;
        const QStringRef word = m_out.midRef(start, k + 1 - start);
        for (const char *keyword : kWordsBeforeExpression) {
            if (word == QLatin1String(keyword))
                return true;
        }
        return false;
    }

    void stripTrailingBlanks()
    {
        int end = m_out.size();
        while (end > m_literalEnd && (m_out.at(end - 1) == ' ' || m_out.at(end - 1) == '\t'))
            --end;
        m_out.truncate(end);
    }

    // A line break ends a statement that has no ";": it stays unless one already ended it.
    void appendLineBreak()
    {
        stripTrailingBlanks();
        const QChar before = last();
        if (before != ';' && before != '\n')
            m_out.append('\n');
    }

    int takeCharacter(int i)
    {
        const QChar c = m_text.at(i);
        // The first three characters and the last one are kept as they are.
        const bool judged = i > 2 && i + 1 < m_length;
        if (c == '\n') {
            if (judged) {
                appendLineBreak();
            } else {
                stripTrailingBlanks();
                m_out.append(c);
            }
            return i + 1;
        }
        if (judged) {
            const QChar before = last();
            const QChar next = m_text.at(i + 1);
            if (c == '\t' && (before == ' ' || before == ';' || before == '\t'))
                return i + 1;
            if (c == ' ' && (isSeparator(before) || isSeparator(next)) && !mustStayApart(before, next))
                return i + 1;
        }
        m_out.append(c);
        return i + 1;
    }

    const QString &m_text;
    const int m_length;
    QString m_out;
    // Output before this index may end in a literal's own blanks, which stay.
    int m_literalEnd = 0;
};

} // namespace

QString ScriptCompressor(const QString &text)
{
    return Compressor(text).run();
}

QString ScriptCompressor(QMMistlark::Editor *editor)
{
    return ScriptCompressor(editor->document()->toPlainText());
}
