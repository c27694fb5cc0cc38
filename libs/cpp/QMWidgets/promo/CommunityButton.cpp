#include "QMWidgets/promo/CommunityButton.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/style/DisabledLook.h"
#include "QMWidgets/app/MakerLinks.h"

#include <QIcon>
#include <QMenu>

namespace QMWidgets {

CommunityButton::CommunityButton(QWidget *parent)
    : QPushButton(parent)
{
    new DisabledLook(this);
    auto *menu = new QMenu(this);
    const QIcon shareIcon(QStringLiteral(":/share_hover.png"));
    // Without the framework's application object there is no share dialog to run: the entry stays inert.
    if (App *app = App::instance())
        menu->addAction(shareIcon, tr("Share"), app, SLOT(slotShareApp()), QKeySequence());
    else
        menu->addAction(shareIcon, tr("Share"));
    menu->addSeparator();

    static const struct {
        const char *icon;
        const char *text;
        const char *slot;
    } entries[] = {
        {":/pix/facebook.png", "FaceBook", SLOT(slotFaceBook())},
        {":/pix/youtube.png", "YouTube", SLOT(slotYouTube())},
        {":/pix/xing.png", "Xing", SLOT(slotXing())},
        {":/pix/mailru.png", "MoiMir", SLOT(slotMoiMir())},
    };
    for (const auto &entry : entries)
        menu->addAction(QIcon(QString::fromLatin1(entry.icon)), QString::fromLatin1(entry.text), this, entry.slot,
                        QKeySequence());
    setMenu(menu);
}

void CommunityButton::setFaceBookLink(const QString &link) { m_faceBookLink = link; }
void CommunityButton::setYouTubeLink(const QString &link) { m_youTubeLink = link; }
void CommunityButton::setTwitterLink(const QString &link) { m_twitterLink = link; }
void CommunityButton::setMoiMirLink(const QString &link) { m_moiMirLink = link; }
void CommunityButton::setXingLink(const QString &link) { m_xingLink = link; }

void CommunityButton::slotFaceBook() { MakerLinks::open(m_faceBookLink); }
void CommunityButton::slotYouTube() { MakerLinks::open(m_youTubeLink); }
void CommunityButton::slotTwitter() { MakerLinks::open(m_twitterLink); }
void CommunityButton::slotMoiMir() { MakerLinks::open(m_moiMirLink); }
void CommunityButton::slotXing() { MakerLinks::open(m_xingLink); }

} // namespace QMWidgets
