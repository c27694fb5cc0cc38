#include "RunPipelineFixtures.h"

#include "EditorRun.h"

#include "scripting/editor/Editor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using QMMistlark::Editor;

namespace RunPipelineTest {

QStringList outputLines(const Editor &editor)
{
    QStringList lines;
    const QStringList all = outputText(editor).split(QLatin1Char('\n'));
    for (const QString &line : all) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    return lines;
}

void ScriptFolderTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY2(m_dir->isValid(), qPrintable(m_dir->errorString()));
    m_workingDirectory = QDir::currentPath();
}

void ScriptFolderTest::cleanup()
{
    QDir::setCurrent(m_workingDirectory);
    m_dir.reset();
}

QString ScriptFolderTest::path(const QString &relative) const
{
    return QDir(m_dir->path()).filePath(relative);
}

void ScriptFolderTest::writeFile(const QString &relative, const QByteArray &content)
{
    const QString fileName = path(relative);
    QVERIFY(QDir().mkpath(QFileInfo(fileName).absolutePath()));
    QFile file(fileName);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(content), qint64(content.size()));
}

// Saves the script beside its includes and opens it, as a user would before running it.
void ScriptFolderTest::openScript(Editor &editor, const QString &text)
{
    writeFile(QStringLiteral("main.js"), text.toUtf8());
    editor.open(path(QStringLiteral("main.js")));
    QCOMPARE(editor.fileName(), path(QStringLiteral("main.js")));
}

} // namespace RunPipelineTest
