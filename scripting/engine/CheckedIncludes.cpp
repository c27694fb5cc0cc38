#include "scripting/engine/CheckedIncludes.h"

#include "MTools/FileReading.h"
#include "scripting/engine/IncludedFile.h"
#include "scripting/engine/ScriptEngine.h"

#include <QFileInfo>

namespace QMMistlark {

namespace {

// What the kept texts may hold together: a session that includes ever new large files starts afresh past it.
constexpr qint64 s_keptCharactersBound = MTools::ScriptFileBound;

} // namespace

QString CheckedIncludes::check(const QString &fileName, ScriptEngine *runEngine, QString *content)
{
    // Taken before the file is read: a change while it is checked shows at the next run.
    const QFileInfo info(fileName);
    const bool regularFile = info.isFile();
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    if (regularFile) {
        const auto kept = m_entries.constFind(fileName);
        if (kept != m_entries.constEnd() && kept->size == size && kept->modified == modified) {
            if (content)
                *content = kept->content;
            return kept->problem;
        }
    }

    QString text;
    const QString problem = checkIncludedFile(fileName, runEngine, &text);
    if (content)
        *content = text;
    // A file that could not be read is looked at again, and so is one whose check a stop cut short.
    const auto previous = m_entries.constFind(fileName);
    if (previous != m_entries.constEnd()) {
        m_keptCharacters -= previous->content.size();
        m_entries.erase(previous);
    }
    if (!regularFile || text.isNull() || (runEngine && runEngine->isStopped()))
        return problem;
    if (m_keptCharacters + text.size() > s_keptCharactersBound) {
        m_entries.clear();
        m_keptCharacters = 0;
    }
    m_entries.insert(fileName, Entry{size, modified, text, problem});
    m_keptCharacters += text.size();
    return problem;
}

} // namespace QMMistlark
