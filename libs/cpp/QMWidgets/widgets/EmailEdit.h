#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace QMWidgets {

// An e-mail address field with two small buttons at its right, to send an ecard and to send an email.
// The buttons are enabled only while the whole text is an address; they hand it to whoever sends.
class EmailEdit : public QWidget
{
    Q_OBJECT

public:
    explicit EmailEdit(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;

signals:
    void sendEmail(const QString &address);
    void sendECard(const QString &address);
    void textChanged(const QString &text);

public slots:
    void slotSendEmail();
    void slotSendECard();
    void slotTextChanged();

private:
    void enableButtons();

    QLineEdit *m_lineEdit = nullptr;
    QPushButton *m_ecardButton = nullptr;
    QPushButton *m_emailButton = nullptr;
};

} // namespace QMWidgets
