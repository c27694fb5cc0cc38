#include "QMWidgets/dialogs/HelpDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"
#include "QMWidgets/dialogs/HelpViewArea.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

namespace QMWidgets {

namespace {

HelpDialog::UrlOpener &urlOpener()
{
    static HelpDialog::UrlOpener opener;
    return opener;
}

const QLatin1String neverShowKey("NeverShowItAgain");

} // namespace

HelpDialog::HelpDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName() + tr(" Introduction"));
    setObjectName(QStringLiteral("Dialog"));

    auto *closeButton = new QPushButton(tr("&Close"));
    m_skipButton = new QPushButton(tr("&Always skip intro"));
    setupPushButton(closeButton);
    setupPushButton(m_skipButton);
    m_videoButton = new QPushButton(tr("&Watch videos"));
    m_videoButton->setFlat(true);
    m_videoButton->setObjectName(QStringLiteral("VideoButton"));
    m_videoButton->hide();

    connect(closeButton, SIGNAL(clicked()), this, SLOT(slotReject()));
    connect(m_skipButton, SIGNAL(clicked()), this, SLOT(slotNeverShowItAgain()));
    connect(m_videoButton, SIGNAL(clicked()), this, SLOT(slotWatchVideo()));

    m_area = new HelpViewArea(nullptr);
    QBoxLayout *buttons = App::isSmallScreen() ? static_cast<QBoxLayout *>(new QVBoxLayout)
                                               : static_cast<QBoxLayout *>(new QHBoxLayout);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(5);
    buttons->addWidget(m_videoButton);
    buttons->addStretch(1);
    buttons->addWidget(m_skipButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    // On a short screen the slides scroll and the buttons stay in view.
    layout->addWidget(new BodyScrollArea(m_area, this), 1);
    layout->addLayout(buttons);
    fitDialogIntoScreen(this);

    closeButton->setFocus();
}

void HelpDialog::addSlide(const QString &path)
{
    m_area->addSlide(path);
}

void HelpDialog::setVideoLink(const QString &link)
{
    if (link.isEmpty() || App::instance()->linksDisabled())
        return;
    m_videoLink = link;
    m_videoButton->show();
}

void HelpDialog::hideSkipButton()
{
    m_skipSuppressed = true;
}

bool HelpDialog::shouldShowIntro()
{
    return !App::instance()->value(neverShowKey, false).toBool();
}

void HelpDialog::setUrlOpener(const UrlOpener &opener)
{
    urlOpener() = opener;
}

bool HelpDialog::openLink(const QString &link)
{
    const QUrl url(link);
    return urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
}

void HelpDialog::slotReject()
{
    reject();
}

void HelpDialog::slotNeverShowItAgain()
{
    App::instance()->setValue(neverShowKey, true);
    accept();
}

void HelpDialog::slotWatchVideo()
{
    if (m_videoLink.isEmpty() || openLink(m_videoLink))
        return;

    // A video the desktop cannot open is looked for on the maker's own video page, by its id.
    const QString base = MakerLinks::videoPage(App::instance()->language());
    QString candidate = QString(m_videoLink).replace(MakerLinks::youTubeShortPrefix(), base);
    if (!candidate.startsWith(base))
        candidate = QString(m_videoLink).replace(MakerLinks::youTubeWatchPrefix(), base);
    if (!openLink(candidate))
        App::instance()->slotSupportPage();
}

void HelpDialog::showEvent(QShowEvent *event)
{
    m_skipButton->setVisible(!m_skipSuppressed && !App::instance()->value(neverShowKey, false).toBool());
    m_area->slotStartSlideShow();
    QDialog::showEvent(event);
}

void HelpDialog::hideEvent(QHideEvent *event)
{
    m_area->slotStopSlideShow();
    QDialog::hideEvent(event);
}

} // namespace QMWidgets
