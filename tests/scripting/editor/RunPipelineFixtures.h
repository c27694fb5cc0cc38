#pragma once

// What the tests of the run share: the output by lines, and a folder of its own for each test's scripts.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace QMMistlark {
class Editor;
}

namespace RunPipelineTest {

// The output as its lines; a red report added to an empty pane leaves an empty first line, which says nothing.
QStringList outputLines(const QMMistlark::Editor &editor);

// A test whose script and included files are written to a folder made afresh for each test function.
class ScriptFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

protected:
    QString path(const QString &relative) const;
    void writeFile(const QString &relative, const QByteArray &content);
    void openScript(QMMistlark::Editor &editor, const QString &text);

    std::unique_ptr<QTemporaryDir> m_dir;

private:
    QString m_workingDirectory;
};

} // namespace RunPipelineTest
