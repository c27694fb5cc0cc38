#include "scripting/engine/IncludeScan.h"

#include <QRegularExpression>
#include <QString>

namespace QMMistlark {

namespace {

// The call form only: "include" as a word, optional blanks, then "(".
const QRegularExpression &includeCall()
{
    static const QRegularExpression expression(QStringLiteral("\\binclude[ \\t]*\\("));
    return expression;
}

// A "//" between the start of the line and the position puts the position in a line comment.
bool afterLineComment(const QString &text, int position)
{
    for (int i = position - 1; i > 0 && text.at(i) != QLatin1Char('\n'); --i) {
        if (text.at(i) == QLatin1Char('/') && text.at(i - 1) == QLatin1Char('/'))
            return true;
    }
    return false;
}

} // namespace

QStringList includeNames(const QString &text)
{
    QRegularExpressionMatch call = includeCall().match(text);
    if (!call.hasMatch())
        return QStringList();
    // Only the first include is guarded: a comment before it switches off every include of the document.
    const int first = call.capturedStart();
    if (afterLineComment(text, first))
        return QStringList();
    const QStringRef beforeFirst = text.leftRef(first);
    if (beforeFirst.count(QLatin1String("/*")) != beforeFirst.count(QLatin1String("*/")))
        return QStringList();

    QStringList names;
    while (call.hasMatch()) {
        const int opening = text.indexOf(QLatin1Char('"'), call.capturedEnd());
        if (opening < 0)
            break;
        const int closing = text.indexOf(QLatin1Char('"'), opening + 1);
        if (closing < 0)
            break;
        names << text.mid(opening + 1, closing - opening - 1);
        call = includeCall().match(text, closing);
    }
    return names;
}

} // namespace QMMistlark
