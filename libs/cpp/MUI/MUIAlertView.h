#pragma once

#include <QDialog>
#include <QStringList>

// The alert dialog of the MUI set. Its title, message, button and dismiss operations
// accept their arguments and do nothing: no program of ours shows an alert yet.
class MUIAlertView : public QDialog
{
    Q_OBJECT

public:
    explicit MUIAlertView(QWidget *parent = nullptr);

    void setButtonTitles(const QStringList &titles);
    void setCancelButtonIndex(int index);

    void setTitle(const QString &title);
    void setMessage(const QString &message);
    void addButton(const QString &title);
    void setDelegate(QObject *delegate);
    void dismissWithButton(int index, bool animated);

private:
    QStringList m_buttonTitles;
    int m_cancelButtonIndex = 1;
};
