#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace QMMistlark {

class ScriptEngine;

// The included files an Editor has checked, each kept by its path, size and modification time: a file that has
// not changed since is neither read nor evaluated again, which spares a bare engine per file and run.
class CheckedIncludes
{
public:
    // As checkIncludedFile(): the problem as text, empty when there is none; content receives the text checked.
    QString check(const QString &fileName, ScriptEngine *runEngine, QString *content);

private:
    struct Entry
    {
        qint64 size = -1;
        QDateTime modified;
        QString content;
        QString problem;
    };

    QHash<QString, Entry> m_entries;
    qint64 m_keptCharacters = 0;
};

} // namespace QMMistlark
