#include "QMWidgets/dialogs/AppUpdateDialog.h"

#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/app/UpdateCheck.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace QMWidgets {

AppUpdateDialog::AppUpdateDialog(QWidget *parent)
    : QDialog(parent)
    , m_checkBox(new QCheckBox(tr("Check for updates on start"), this))
    , m_textLabel(new QLabel(this))
    , m_imageLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("UpdateDialog"));
    setWindowTitle(QCoreApplication::applicationName() + tr(" Updates Notification"));

    m_checkBox->setChecked(checkUpdatesSetting());
    connect(m_checkBox, SIGNAL(toggled(bool)), this, SLOT(slotSetChecked(bool)));
    m_imageLabel->setAlignment(Qt::AlignHCenter);

    auto *yesButton = new QPushButton(tr("Yes"), this);
    auto *noButton = new QPushButton(tr("No"), this);
    connect(yesButton, SIGNAL(clicked()), this, SLOT(slotUpdate()));
    connect(noButton, SIGNAL(clicked()), this, SLOT(slotCancel()));
    setupPushButton(yesButton);
    setupPushButton(noButton);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(3);
    buttonRow->addWidget(yesButton);
    buttonRow->addWidget(noButton);

    auto *checkRow = new QHBoxLayout;
    checkRow->setContentsMargins(2, 2, 2, 2);
    checkRow->setSpacing(1);
    checkRow->addWidget(m_checkBox);
    checkRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_imageLabel);
    layout->addWidget(m_textLabel);
    layout->addLayout(buttonRow);
    layout->addLayout(checkRow);
}

void AppUpdateDialog::setText(const QString &text)
{
    m_textLabel->setText(text);
}

void AppUpdateDialog::setPixmap(const QPixmap &pixmap)
{
    m_imageLabel->setPixmap(pixmap);
}

void AppUpdateDialog::slotCancel()
{
    reject();
}

void AppUpdateDialog::slotUpdate()
{
    // Always the primary server: the fallback only answers the build information.
    QDesktopServices::openUrl(QUrl(updatePageUrl(), QUrl::TolerantMode));
    reject();
}

void AppUpdateDialog::slotSetChecked(bool checked)
{
    setCheckUpdatesSetting(checked);
}

} // namespace QMWidgets
