#include "QMWidgets/dialogs/LinkDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace QMWidgets {

namespace {

const QLatin1String showKey("ShowTutoralDialog");

} // namespace

LinkDialog::LinkDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" Information"));

    const App *app = App::instance();
    m_rememberBox = new QCheckBox;
    m_rememberBox->setChecked(app && !app->value(showKey, true).toBool());

    auto *yesButton = new QPushButton(tr("&Yes"));
    auto *noButton = new QPushButton(tr("&No"));
    setupPushButton(yesButton);
    setupPushButton(noButton);
    connect(yesButton, SIGNAL(clicked()), this, SLOT(slotGoToLink()));
    connect(noButton, SIGNAL(clicked()), this, SLOT(slotReject()));
    connect(m_rememberBox, SIGNAL(toggled(bool)), this, SLOT(slotRememberToggled(bool)));

    auto *picture = new QLabel;
    picture->setStyleSheet(QStringLiteral("QLabel{background-image: url(:/pix/nemo2.jpg);}"));
    picture->setFixedSize(360, 177);
    // The question's lines are wider than the picture in most fonts: they wrap instead of being cut.
    picture->setWordWrap(true);
    picture->setText(QStringLiteral("<CENTER><H3>")
                     + tr("Would you like to see what you can achieve<BR>with this software?")
                     + tr("<BR>(Watch the Video Introduction)</H3></CENTER>"));

    auto *rememberRow = new QHBoxLayout;
    rememberRow->setContentsMargins(0, 0, 0, 0);
    rememberRow->setSpacing(1);
    rememberRow->addWidget(m_rememberBox);
    rememberRow->addWidget(new QLabel(tr("Do not show this dialog again")));
    rememberRow->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(5);
    buttons->addWidget(yesButton);
    buttons->addWidget(noButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(picture);
    layout->addLayout(buttons);
    layout->addLayout(rememberRow);
}

void LinkDialog::slotGoToLink()
{
    accept();
    // An English user gets the pages at the root, every other language the folder named by its code.
    const App *app = App::instance();
    MakerLinks::open(MakerLinks::tutorialSite() + (app ? app->languagePath() : QString())
                     + QStringLiteral("tutorial/tutorial.htm"));
}

void LinkDialog::slotReject()
{
    reject();
}

void LinkDialog::slotRememberToggled(bool checked)
{
    if (App *app = App::instance())
        app->setValue(showKey, !checked);
}

} // namespace QMWidgets
