#include "QMWidgets/dialogs/FrameDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/BodyScrollArea.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

namespace QMWidgets {

namespace {

// As high as the program's other push buttons (setupPushButton).
const int ButtonSide = 32;

} // namespace

void layOutFrameDialog(QDialog *dialog, QWidget *text, QWidget *frame)
{
    auto *closeButton = new QPushButton(QCoreApplication::translate("QMWidgets::TellDialog", "&Close"));
    closeButton->setMinimumHeight(ButtonSide);
    closeButton->setFlat(true);
    closeButton->setObjectName(QStringLiteral("PushButton"));
    QObject::connect(closeButton, SIGNAL(clicked()), dialog, SLOT(accept()));

    auto *frameRow = new QHBoxLayout;
    frameRow->setSpacing(7);
    frameRow->setContentsMargins(15, 15, 15, 15);
    frameRow->addStretch(1);
    frameRow->addWidget(frame);
    frameRow->addStretch(1);

    QBoxLayout *buttonBox = App::isSmallScreen() ? static_cast<QBoxLayout *>(new QVBoxLayout)
                                                 : static_cast<QBoxLayout *>(new QHBoxLayout);
    buttonBox->setContentsMargins(10, 10, 10, 10);
    buttonBox->setSpacing(7);
    buttonBox->addStretch(1);
    buttonBox->addWidget(closeButton);
    buttonBox->addStretch(1);

    // On a short screen the text and the frame scroll and Close stays in view.
    auto *body = new QWidget;
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setSpacing(7);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    if (text)
        bodyLayout->addWidget(text);
    bodyLayout->addLayout(frameRow);

    auto *layout = new QVBoxLayout(dialog);
    layout->setSpacing(7);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(new BodyScrollArea(body, dialog), 1);
    layout->addLayout(buttonBox);
    fitDialogIntoScreen(dialog);
}

} // namespace QMWidgets
