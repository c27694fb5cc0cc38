#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

namespace QMWidgets {

// The small text editor that the annotation surface places over the image for a text note:
// a text field, Accept and Cancel, and two buttons that enlarge or shrink all of the text.
class NoteEditWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NoteEditWidget(QWidget *parent = nullptr);

    void hideAll();
    // Shows the editor and gives its text field the focus.
    void showAll();
    QTextEdit *textEdit() const;
    qreal fontPointSize() const;

signals:
    void cancelClicked();
    void okClicked();

public slots:
    void slotIncrease();
    void slotDecrease();

private:
    // Sets all of the text to the size of its last character plus the step, never below one point.
    void resizeAllText(qreal step);

    QTextEdit *m_textEdit = nullptr;
    QPushButton *m_acceptButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace QMWidgets
