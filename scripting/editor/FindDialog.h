#pragma once

#include <QDialog>

class QLineEdit;

namespace QMMistlark {

class Editor;

// The modeless search bar of a script window: Find Next selects the next occurrence after the selection.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    FindDialog(Editor *editor, QWidget *parent = nullptr);

public slots:
    void find();

private:
    Editor *m_editor;
    QLineEdit *m_text;
};

} // namespace QMMistlark
