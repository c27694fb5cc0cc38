#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;

namespace QMWidgets {

// The framework's modal message box: an icon for the kind of message, a word-wrapped text and one push
// button per QMessageBox::StandardButton bit it knows, plus an optional button with the caller's text.
// exec() returns the value of the clicked button, or 0 when the box is closed without one.
class MMessageBox : public QDialog
{
    Q_OBJECT

public:
    enum Kind { Information = 1, Warning = 2, Critical = 3, Question = 4 };
    // Result of the button with the caller's text.
    static constexpr int UserDefined = 0x10000000;

    MMessageBox(int kind, const QString &title, const QString &text, int buttons, QWidget *parent = nullptr,
                const QString &userDefinedText = QString());

    // A null pixmap for a kind outside 1 to 4.
    static QPixmap kindPixmap(int kind);

    // Each runs a box of its kind modally, deletes it and returns the result of exec().
    static int information(QWidget *parent, const QString &title, const QString &text, int buttons);
    static int warning(QWidget *parent, const QString &title, const QString &text, int buttons);
    static int critical(QWidget *parent, const QString &title, const QString &text, int buttons);
    static int question(QWidget *parent, const QString &title, const QString &text, int buttons);

public slots:
    void slotOk();
    void slotCancel();
    void slotYes();
    void slotNo();
    void slotAbort();
    void slotRetry();
    void slotIgnore();
    void slotYesAll();
    void slotNoAll();
    void slotUserDefined();

private:
    static int run(int kind, QWidget *parent, const QString &title, const QString &text, int buttons);

    QLabel *m_textLabel = nullptr;
    QLabel *m_iconLabel = nullptr;
};

} // namespace QMWidgets
