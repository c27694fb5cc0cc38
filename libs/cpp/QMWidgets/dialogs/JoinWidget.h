#pragma once

#include <QFrame>

class QPushButton;

namespace QMWidgets {

// The follow buttons: the maker's channel and pages on YouTube, Facebook, Twitter and, in Russian,
// VKontakte.
class JoinWidget : public QFrame
{
    Q_OBJECT

public:
    explicit JoinWidget(QWidget *parent);

public slots:
    void slotYouTubeClicked();
    void slotFaceBookClicked();
    void slotTwitterClicked();
    void slotVKontakteClicked();
    void slotEmailClicked();

private:
    // Its places take the application name, then "email"; nothing sets it, so its button stays hidden.
    QString m_emailLinkTemplate;
    QPushButton *m_facebookButton = nullptr;
    QPushButton *m_youTubeButton = nullptr;
    QPushButton *m_twitterButton = nullptr;
    QPushButton *m_vkontakteButton = nullptr;
    QPushButton *m_emailButton = nullptr;
};

} // namespace QMWidgets
