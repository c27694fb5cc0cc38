#pragma once

#include <QScopeGuard>
#include <QString>
#include <QTextEdit>

#include <functional>
#include <optional>

namespace QMMistlark {

class SyntaxHighlighter;

// The text of one script with its file name and modified flag. Scripts are read and written as UTF-8.
class DocWindow : public QTextEdit
{
    Q_OBJECT

public:
    explicit DocWindow(QWidget *parent = nullptr);

    QString fileName() const;
    bool isModified() const;

    // The saving behind save() and saveAs(), for callers that must know whether the text reached its file:
    // false when the user cancelled or the file could not be written (a warning has then been shown).
    bool saveDocument();
    bool saveDocumentAs();
    // Reads the file into the document without asking or warning: false, with the reason, when it cannot be
    // read, and the document stays as it was.
    bool load(const QString &path, QString *error = nullptr);
    // Asks whether to save a changed text: false when the user cancelled or the save failed.
    bool maybeSaveChanges();

signals:
    void changeWindowTitle(QString title);

public slots:
    void newFile();
    void open(const QString &path);
    void open();
    void save();
    void saveAs();
    void contentChanged();

private:
    bool writeTo(const QString &path);
    // Marks a question or file dialog of this document as up until the result goes: a second one while it is
    // up does nothing, so no file ever has two dialogs.
    std::optional<QScopeGuard<std::function<void()>>> markDialogUp();

    QString m_fileName;
    bool m_modified = false;
    bool m_dialogUp = false;
    // Counts the edits, so that a load can tell a text changed after its question was answered.
    quint64 m_changeCount = 0;
    SyntaxHighlighter *m_highlighter = nullptr;
};

} // namespace QMMistlark
