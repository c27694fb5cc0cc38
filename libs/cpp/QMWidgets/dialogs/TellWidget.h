#pragma once

#include <QFrame>

class QPushButton;

namespace QMWidgets {

// The share buttons: Facebook and Twitter when their share links are set, and a mail to a friend.
class TellWidget : public QFrame
{
    Q_OBJECT

public:
    explicit TellWidget(QWidget *parent);

public slots:
    void slotLinkedinClicked();
    void slotFaceBookClicked();
    void slotTwitterClicked();
    void slotVKontakteClicked();
    void slotEmailClicked();

private:
    QPushButton *m_facebookButton = nullptr;
    QPushButton *m_twitterButton = nullptr;
    QPushButton *m_vkontakteButton = nullptr;
    QPushButton *m_linkedinButton = nullptr;
    QPushButton *m_emailButton = nullptr;
};

} // namespace QMWidgets
