#pragma once

#include <QDialog>

class QLabel;
class QTextEdit;

// Shows the compressed script in an editable text and saves it as a ".js" file of its own.
class DlgJSCompressed : public QDialog
{
    Q_OBJECT

public:
    explicit DlgJSCompressed(QWidget *parent = nullptr);

    void setCompressedText(const QString &text);
    // The file name offered is this name followed by "Compressed.js".
    void setBaseName(const QString &name);

public slots:
    void slotSave();

private:
    QTextEdit *m_text;
    QString m_baseName;
    QLabel *m_caption;
};
