#pragma once

#include <QPushButton>

namespace QMWidgets {

// A button whose menu offers the share dialog and the maker's pages on the social networks. The owner
// gives it its text or icon and the links; a link left empty opens nothing.
class CommunityButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommunityButton(QWidget *parent = nullptr);

    void setFaceBookLink(const QString &link);
    void setYouTubeLink(const QString &link);
    void setTwitterLink(const QString &link);
    void setMoiMirLink(const QString &link);
    void setXingLink(const QString &link);

public slots:
    void slotFaceBook();
    void slotYouTube();
    // The menu has no entry for it; it is there for owners that connect to it.
    void slotTwitter();
    void slotMoiMir();
    void slotXing();

private:
    QString m_faceBookLink;
    QString m_youTubeLink;
    QString m_twitterLink;
    QString m_moiMirLink;
    QString m_xingLink;
};

} // namespace QMWidgets
