#pragma once

#include <QDialog>
#include <QLineEdit>

class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace QMWidgets {

// A small modal dialog that asks for one text or one integer under a caption, with the calling
// conventions of QInputDialog's getters.
class InputDialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode { IntegerInput = 0, TextInput = 1 };

    // The flags are accepted for the getters' sake and not applied.
    explicit InputDialog(const QString &label, QWidget *parent = nullptr, Qt::WindowFlags flags = {},
                         int mode = TextInput);

    void setMode(int mode);
    int mode() const;
    QSpinBox *spinBox() const;
    QLineEdit *lineEdit() const;

    // Both return the value as it stands when the dialog closes, also after Cancel: ok tells the caller.
    static QString getText(QWidget *parent, const QString &title, const QString &label,
                           QLineEdit::EchoMode echo = QLineEdit::Normal, const QString &text = QString(),
                           bool *ok = nullptr, Qt::WindowFlags flags = {});
    // The step is accepted and not applied: the spin box steps by 1.
    static int getInt(QWidget *parent, const QString &title, const QString &label, int value = 0,
                      int min = -2147483647, int max = 2147483647, int step = 1, bool *ok = nullptr,
                      Qt::WindowFlags flags = {});

public slots:
    void accept() override;
    void reject() override;

private:
    QSpinBox *m_spinBox = nullptr;
    QLineEdit *m_lineEdit = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QStackedWidget *m_stack = nullptr;
    int m_mode = TextInput;
};

} // namespace QMWidgets
