#include "MTools/JavaScriptMinifier.h"

namespace {

const int endOfInput = -1;

bool isAlphanumeric(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$'
        || c == '\\' || c > 126;
}

bool isOperatorSign(int c)
{
    return c == '+' || c == '-' || c == '*' || c == '/';
}

bool isQuote(int c)
{
    return c == '\'' || c == '"' || c == '`';
}

// Characters after which a '/' starts a regular expression rather than a division.
bool opensRegExp(int c)
{
    switch (c) {
    case '(': case ',': case '=': case ':': case '[': case '!': case '&': case '|': case '?':
    case '+': case '-': case '~': case '*': case '/': case '{': case '\n':
        return true;
    default:
        return false;
    }
}

class Run
{
public:
    explicit Run(const QString &source)
        : m_input(source.constData())
        , m_size(source.size())
    {
        m_output.reserve(source.size());
    }

    QString minify();

private:
    // The next character as it stands.
    int getRaw()
    {
        if (m_lookahead != endOfInput) {
            const int c = m_lookahead;
            m_lookahead = endOfInput;
            return c;
        }
        return m_position < m_size ? m_input[m_position++].unicode() : endOfInput;
    }

    // Line ends become '\n', other control characters a space.
    int get()
    {
        const int c = getRaw();
        if (c >= ' ' || c == '\n' || c == endOfInput)
            return c;
        return c == '\r' ? '\n' : ' ';
    }

    int peek()
    {
        const int c = getRaw();
        m_lookahead = c;
        return c == endOfInput || c >= ' ' || c == '\n' ? c : (c == '\r' ? '\n' : ' ');
    }

    int next();
    void put(int c) { m_output.append(QChar(ushort(c))); }
    void action(int step);
    void copyLiteral();
    void copyRegExp();

    const QChar *m_input;
    int m_size;
    int m_position = 0;
    QString m_output;
    int m_lookahead = endOfInput;
    int m_a = endOfInput;
    int m_b = endOfInput;
    int m_x = endOfInput;
    int m_y = endOfInput;
};

// The next character with comments taken out: a line comment becomes its line end, a block comment a space.
int Run::next()
{
    int c = get();
    if (c == '/') {
        const int following = peek();
        if (following == '/') {
            do
                c = get();
            while (c > '\n');
        } else if (following == '*') {
            get();
            c = endOfInput;
            for (;;) {
                const int inside = get();
                if (inside == endOfInput)
                    break;
                if (inside == '*' && peek() == '/') {
                    get();
                    c = ' ';
                    break;
                }
            }
        }
    }
    m_y = m_x;
    m_x = c;
    return c;
}

// A string or template literal, copied as it stands up to its closing quote, which stays in A.
void Run::copyLiteral()
{
    const int opening = m_a;
    for (;;) {
        put(m_a);
        m_a = getRaw();
        if (m_a == opening || m_a == endOfInput)
            return;
        if (m_a == '\\') {
            put(m_a);
            m_a = getRaw();
            if (m_a == endOfInput)
                return;
        }
    }
}

// A regular expression after A, up to its closing '/', which stays in A.
void Run::copyRegExp()
{
    put(m_a);
    if (m_a == '/' || m_a == '*')
        put(' ');
    put(m_b);
    for (;;) {
        m_a = get();
        if (m_a == '[') {
            for (;;) {
                put(m_a);
                m_a = get();
                if (m_a == ']' || m_a == endOfInput)
                    break;
                if (m_a == '\\') {
                    put(m_a);
                    m_a = get();
                    if (m_a == endOfInput)
                        break;
                }
            }
        } else if (m_a == '/') {
            peek();
            return;
        } else if (m_a == '\\') {
            put(m_a);
            m_a = get();
        }
        if (m_a == endOfInput)
            return;
        put(m_a);
    }
}

// 1: output A, then take B as A; 2: take B as A; 3: read the next B. Each step does the ones after it.
void Run::action(int step)
{
    if (step <= 1) {
        put(m_a);
        // Keeps "a + ++b" from becoming "a+++b".
        if ((m_y == '\n' || m_y == ' ') && isOperatorSign(m_a) && isOperatorSign(m_b))
            put(m_y);
    }
    if (step <= 2) {
        m_a = m_b;
        if (isQuote(m_a))
            copyLiteral();
    }
    m_b = next();
    if (m_b == '/' && opensRegExp(m_a)) {
        copyRegExp();
        m_b = next();
    }
}

QString Run::minify()
{
    // A byte-order mark, as a character or as its three UTF-8 bytes read as Latin-1.
    if (m_size > 0 && m_input[0].unicode() == 0xFEFF)
        m_position = 1;
    else if (m_size >= 3 && m_input[0].unicode() == 0xEF && m_input[1].unicode() == 0xBB
             && m_input[2].unicode() == 0xBF)
        m_position = 3;

    m_a = '\n';
    action(3);
    while (m_a != endOfInput) {
        if (m_a == ' ') {
            action(isAlphanumeric(m_b) ? 1 : 2);
        } else if (m_a == '\n') {
            switch (m_b) {
            case '{': case '[': case '(': case '+': case '-': case '!': case '~':
                action(1);
                break;
            case ' ':
                action(3);
                break;
            default:
                action(isAlphanumeric(m_b) ? 1 : 2);
            }
        } else if (m_b == ' ') {
            action(isAlphanumeric(m_a) ? 1 : 3);
        } else if (m_b == '\n') {
            switch (m_a) {
            case '}': case ']': case ')': case '+': case '-': case '"': case '\'': case '`':
                action(1);
                break;
            default:
                action(isAlphanumeric(m_a) ? 1 : 3);
            }
        } else {
            action(1);
        }
    }
    return m_output;
}

} // namespace

QString JavaScriptMinifier::minify(const QString &source)
{
    return Run(source).minify();
}
