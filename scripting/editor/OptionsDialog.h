#pragma once

#include <QDialog>

class QLineEdit;

namespace QMMistlark {

// A modal dialog with one line edit; what is typed is not kept anywhere.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OptionsDialog(QWidget *parent = nullptr);

public slots:
    void ok();

private:
    QLineEdit *m_edit;
};

} // namespace QMMistlark
