#pragma once

#include <QDialog>

class QCheckBox;

namespace QMWidgets {

// Asks over a picture whether the user wants to watch the video introduction: Yes opens the tutorial
// page in the user's language. The check box keeps "ShowTutoralDialog" false while the user wants no
// more of it; the caller reads the key and decides whether to show the prompt at all.
class LinkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LinkDialog(QWidget *parent = nullptr);

public slots:
    void slotGoToLink();
    void slotReject();
    void slotRememberToggled(bool checked);

private:
    QCheckBox *m_rememberBox = nullptr;
};

} // namespace QMWidgets
