#include "QMWidgets/dialogs/AboutDialog.h"

#include "MTools/FileReading.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"
#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/widgets/BoundedTextBrowser.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QUrl>
#include <QVBoxLayout>

namespace QMWidgets {

namespace {

QString &collectedNotices()
{
    static QString notices;
    return notices;
}

// How much of the collected notices already went into the application's legal notice: each goes in once
// per run, however many About boxes are built.
int &handedOverLength()
{
    static int length = 0;
    return length;
}

QHBoxLayout *centredRow(QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    row->addStretch();
    return row;
}

// Both pages are dark (black and the dialogs' rgb(38,38,40)): the toolkit's pure blue links read at 2.4:1
// and 1.8:1 there, this light blue at 9.6:1 and 7:1.
const char ReadableLink[] = "#6cb4ff";

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    App *app = App::instance();
    const QString &notices = collectedNotices();
    if (handedOverLength() < notices.size()) {
        app->appendLegalNotice(notices.mid(handedOverLength()));
        handedOverLength() = notices.size();
    }
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint);
    setWindowTitle(QCoreApplication::applicationName() + tr(" Info"));

    m_logoLabel = new QLabel(this);
    m_logoLabel->setObjectName(QStringLiteral("LogoLabel"));
    m_logoLabel->setFixedSize(290, 290);
    m_logoLabel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_logoLabel->setLineWidth(5);
    m_logoLabel->setAutoFillBackground(true);

    m_legalNoticesButton = new QPushButton(tr("&Legal Notices"), this);
    auto *okButton = new QPushButton(tr("&Ok"), this);
    setupPushButton(m_legalNoticesButton);
    setupPushButton(okButton);
    connect(m_legalNoticesButton, SIGNAL(clicked()), this, SLOT(slotLegalNoticesClicked()));
    connect(okButton, SIGNAL(clicked()), this, SLOT(slotOkClicked()));

    m_infoLabel = new QLabel(this);
    m_infoLabel->setObjectName(QStringLiteral("AboutInfoLabel"));
    m_infoLabel->setStyleSheet(QStringLiteral("background: black;"));
    m_infoLabel->setOpenExternalLinks(true);
    m_infoLabel->setFixedHeight(87);

    // The legal notices are collected from callers: what they name loads within the bounds.
    m_legalPage = new BoundedTextBrowser(this);
    m_legalPage->setObjectName(QStringLiteral("AboutLegalInfo"));
    m_legalPage->setReadOnly(true);
    m_legalPage->setOpenLinks(false);
    m_legalPage->setOpenExternalLinks(false);
    m_legalPage->hide();
    // Under the style sheet a palette of its own would not hold: the page's documents carry the colour.
    m_legalPage->document()->setDefaultStyleSheet(QStringLiteral("a { color: %1; }").arg(ReadableLink));
    connect(m_legalPage, SIGNAL(anchorClicked(QUrl)), this, SLOT(slotAnchorClicked(QUrl)));

    const QString host = makerHost();
    const QString webPart = (app->linksDisabled() ? host
                                                  : QStringLiteral("<A STYLE=\"color: %1\" HREF=\"http://").arg(QLatin1String(ReadableLink)) + host
                                                        + QStringLiteral("\">")
                                                        + host + QStringLiteral("</A>"))
                            + QStringLiteral("<BR>");
    const QString makerPart = QStringLiteral("<BR>")
                              + tr("Copyright %1 BORLUNE. All rights reserved.")
                                    .arg(app->buildDate().toString(QStringLiteral("yyyy")))
                              + QStringLiteral(" <BR>") + webPart + QStringLiteral("<IMG SRC=\":/pix/borlune.png\">")
                              + QStringLiteral("</CENTER>");
    m_infoLabel->setText(QStringLiteral("<BODY BGCOLOR=#000000><FONT COLOR=#00A0E0 SIZE=2><CENTER>")
                         + QCoreApplication::applicationName() + QStringLiteral(" v")
                         + QCoreApplication::applicationVersion() + QStringLiteral(" Build: ")
                         + app->buildDate().toString(QStringLiteral("dd.MM.yyyy")) + makerPart);

    // On a short screen the pages scroll and the buttons stay in view.
    auto *body = new QWidget;
    auto *pages = new QVBoxLayout(body);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->setSpacing(5);
    pages->addLayout(centredRow(m_logoLabel));
    pages->addWidget(m_infoLabel);
    pages->addWidget(m_legalPage);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(5);
    layout->addWidget(new BodyScrollArea(body, this), 1);
    layout->addLayout(centredRow(m_legalNoticesButton));
    layout->addLayout(centredRow(okButton));
    okButton->setFocus(Qt::OtherFocusReason);
    fitDialogIntoScreen(this);
}

void AboutDialog::addLegalNotice(const QString &notice)
{
    collectedNotices() += QString(notice).replace(QLatin1String("<!bundlepath!>"),
                                                   App::instance()->resourcesDirectory());
}

QString AboutDialog::makerHost()
{
    return QStringLiteral("www.borlune.com");
}

void AboutDialog::showInfoPage(bool info)
{
    const QSize size = this->size();
    m_infoLabel->setVisible(info);
    m_logoLabel->setVisible(info);
    m_legalPage->setVisible(!info);
    if (info) {
        m_legalNoticesButton->setText(tr("&Legal Notices"));
    } else {
        m_legalNoticesButton->setText(tr("&Back"));
        m_legalPage->setHtml(QStringLiteral("<BODY><CENTER>") + App::instance()->legalNotice()
                             + QStringLiteral("</CENTER></BODY>"));
    }
    setFixedSize(size);
}

void AboutDialog::slotLegalNoticesClicked()
{
    showInfoPage(m_logoLabel->isHidden());
}

void AboutDialog::slotOkClicked()
{
    close();
    showInfoPage(true);
}

void AboutDialog::slotAnchorClicked(const QUrl &url)
{
    if (!url.toLocalFile().contains(QLatin1String(".LGPL"))) {
        QDesktopServices::openUrl(url);
        return;
    }
    // Whatever file the link names, the licence shown is the one beside the program.
    QByteArray bytes;
    if (!MTools::readFileBounded(App::instance()->resourcesDirectory() + QStringLiteral("LICENSE.LGPL"),
                                 MTools::SmallFileBound, &bytes))
        return;
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    // Plain text: the licence is no HTML, and markup would eat its "<https://fsf.org/>" and line breaks.
    // The page would give it the format at its cursor, which the click has just put on the link.
    m_legalPage->setCurrentCharFormat(QTextCharFormat());
    m_legalPage->setPlainText(QString::fromLatin1(bytes));
}

} // namespace QMWidgets
