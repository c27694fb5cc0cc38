#include "QMWidgets/widgets/VirtualResolutionDialog.h"

#include "QMWidgets/style/DevicePicture.h"
#include "QMWidgets/widgets/ResolutionSetupWidget.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace QMWidgets {

namespace {

// Kept exactly as stored, 1980 x 1250, 2650 x 1600 and 5300 x 3200 included.
const struct
{
    int width;
    int height;
} VirtualResolutionPresets[] = {
    {1024, 768},  {1152, 864},  {1280, 800},  {1280, 1024}, {1440, 900},  {1600, 1200}, {1680, 1050},
    {1920, 1200}, {1980, 1250}, {2048, 1536}, {2650, 1600}, {3840, 2400}, {4096, 3072}, {5300, 3200},
};

QHBoxLayout *row(int margin, int spacing)
{
    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return layout;
}

QPushButton *dialogButton(const QString &text)
{
    auto *button = new QPushButton(text);
    setupPushButton(button);
    return button;
}

} // namespace

VirtualResolutionDialog::VirtualResolutionDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName());
    m_modeBox = new QComboBox;
    m_modeBox->addItem(tr("Virtual Resolution Mode"));
    m_modeBox->addItem(tr("Normal Model"));
    connect(m_modeBox, SIGNAL(activated(int)), this, SLOT(slotModeChanged(int)));

    // The OpenGL switch is shown for the look only; nothing reads it.
    auto *openGlBox = new QCheckBox;
    openGlBox->setChecked(false);
    openGlBox->setEnabled(false);

    const QPixmap logo = devicePicture(QStringLiteral(":/pix/vrlogo.png"));
    auto *logoLabel = new QLabel;
    logoLabel->setPixmap(logo);
    // A missing picture has no pixel ratio to divide by.
    logoLabel->setFixedSize(logo.isNull() ? QSize(0, 0) : logo.size() / logo.devicePixelRatioF());

    m_virtualResolutionGroup = new ResolutionSetupWidget;
    m_windowSizeGroup = new ResolutionSetupWidget;
    for (const auto &preset : VirtualResolutionPresets)
        m_virtualResolutionGroup->addResolution(preset.width, preset.height);
    connect(m_virtualResolutionGroup, SIGNAL(resolutionChanged(QPoint)), this,
            SIGNAL(virtualResolutionChanged(QPoint)));
    m_virtualResolutionGroup->setTitle(tr("Virtual Resolution"));
    m_windowSizeGroup->setTitle(tr("Window Size"));
    m_windowSizeGroup->hide();

    QPushButton *okButton = dialogButton(tr("&Ok"));
    QPushButton *cancelButton = dialogButton(tr("&Cancel"));
    QPushButton *applyButton = dialogButton(tr("&Apply"));
    connect(okButton, SIGNAL(clicked()), this, SLOT(accept()));
    connect(cancelButton, SIGNAL(clicked()), this, SLOT(reject()));
    connect(applyButton, SIGNAL(clicked()), this, SLOT(slotApply()));

    QHBoxLayout *openGlRow = row(5, 1);
    openGlRow->addWidget(new QLabel(tr("OpenGL Acceleration")));
    openGlRow->addWidget(openGlBox);
    openGlRow->addStretch(1);

    QHBoxLayout *groupsRow = row(5, 5);
    groupsRow->addWidget(m_virtualResolutionGroup);
    groupsRow->addWidget(m_windowSizeGroup);

    QHBoxLayout *buttonRow = row(5, 3);
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    buttonRow->addWidget(applyButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(3);
    layout->addWidget(logoLabel);
    layout->addLayout(openGlRow);
    layout->addWidget(m_modeBox);
    layout->addLayout(groupsRow);
    layout->addLayout(buttonRow);
}

VirtualResolutionDialog::Mode VirtualResolutionDialog::mode() const
{
    return m_modeBox->currentIndex() != VirtualResolutionMode ? NormalMode : VirtualResolutionMode;
}

QPoint VirtualResolutionDialog::virtualResolution() const
{
    return m_virtualResolutionGroup->resolution();
}

void VirtualResolutionDialog::slotApply()
{
    const QPointer<VirtualResolutionDialog> alive(this);
    emit changeVirtualResolution(virtualResolution());
    if (alive)
        emit changeSettings();
}

void VirtualResolutionDialog::slotModeChanged(int)
{
    m_virtualResolutionGroup->setEnabled(m_modeBox->currentIndex() == VirtualResolutionMode);
}

} // namespace QMWidgets
