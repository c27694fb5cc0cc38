#pragma once

#include "QMWidgets/app/UpdateCheck.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace QMWidgets {

// Says what the update check found and offers the application's update page in the browser.
class AppUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AppUpdateDialog(QWidget *parent = nullptr);

    void setText(const QString &text);
    void setPixmap(const QPixmap &pixmap);

public slots:
    void slotCancel();
    void slotUpdate();
    void slotSetChecked(bool checked);

private:
    QCheckBox *m_checkBox;
    QLabel *m_textLabel;
    QLabel *m_imageLabel;
};

// The update dialog for the status, its text and picture set, without parent.
AppUpdateDialog *createUpdateDialog(UpdateStatus status);
// Runs the update dialog modally for the status and deletes it.
void showUpdateDialog(UpdateStatus status);
void showUpdateDialog(bool newer);

} // namespace QMWidgets
