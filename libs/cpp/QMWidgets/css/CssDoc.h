#pragma once

#include <QTextEdit>

namespace QMWidgets {

// The text area of the style-sheet editor: a style sheet as plain text, loaded from and saved to files.
class CssDoc : public QTextEdit
{
    Q_OBJECT

public:
    explicit CssDoc(QWidget *parent = nullptr);

    // The editor's own font and colours, kept whatever sheet the application gets.
    void setupLook();
    QString fileName() const;

signals:
    void changeWindowTitle(const QString &title);

public slots:
    void slotLoad();
    void slotSave();
    void slotSaveAs();

private:
    // Shows a warning and returns false when the text could not be written.
    bool writeTo(const QString &path);

    QString m_fileName;
};

} // namespace QMWidgets
