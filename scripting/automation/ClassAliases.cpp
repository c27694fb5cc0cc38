#include "scripting/automation/ClassAliases.h"

namespace QMMistlark {

namespace {

struct ClassAliasRow
{
    const char *className;
    const char *alias;
};

// The script window's panel sits on the path of every widget of the script window, so its long name
// would otherwise lengthen every identifier that needs it.
static const ClassAliasRow ClassAliasRows[] = {
    {"QMMistlark::Editor", "ED"},
};

QMap<QString, QString> ClassAliases;

} // namespace

const QMap<QString, QString> &classAliases()
{
    return ClassAliases;
}

void initClassAliases()
{
    if (!ClassAliases.isEmpty())
        return;
    for (const ClassAliasRow &row : ClassAliasRows)
        ClassAliases.insert(QString::fromLatin1(row.className), QString::fromLatin1(row.alias));
}

QString classAlias(const QString &className)
{
    return ClassAliases.value(className, className);
}

} // namespace QMMistlark
