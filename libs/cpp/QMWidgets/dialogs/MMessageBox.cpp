#include "QMWidgets/dialogs/MMessageBox.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/style/DevicePicture.h"
#include "QMWidgets/app/ModalRun.h"
#include "QMWidgets/style/StyleHelpers.h"

#include "MGraphX/OutsideResources.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace QMWidgets {

namespace {

struct StandardButton
{
    int bit;
    const char *label;
    void (MMessageBox::*slot)();
};

// In the order the buttons stand in the row: "No" comes before "Yes", "Cancel" right after "Ok".
static const StandardButton StandardButtons[] = {
    { QMessageBox::Ok, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "Ok"), &MMessageBox::slotOk },
    { QMessageBox::Cancel, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "Cancel"), &MMessageBox::slotCancel },
    { QMessageBox::No, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "No"), &MMessageBox::slotNo },
    { QMessageBox::Yes, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "Yes"), &MMessageBox::slotYes },
    { QMessageBox::Abort, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "Abort"), &MMessageBox::slotAbort },
    { QMessageBox::Retry, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "Retry"), &MMessageBox::slotRetry },
    { QMessageBox::Ignore, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "Ignore"), &MMessageBox::slotIgnore },
    { QMessageBox::YesToAll, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "YesAll"), &MMessageBox::slotYesAll },
    { QMessageBox::NoToAll, QT_TRANSLATE_NOOP("QMWidgets::MMessageBox", "NoAll"), &MMessageBox::slotNoAll },
};

// Indexed by the kind of message, from Information to Question: drawn for the screen's pixels, where the style's
// own pictures stop at 32 pixels and show doubled on a screen of ratio 2.
static const char *const KindPictures[] = {
    ":/MessageInformation.png",
    ":/MessageWarning.png",
    ":/MessageCritical.png",
    ":/MessageQuestion.png",
};

const int IconSide = 32;
const int IconPadding = 5;

} // namespace

MMessageBox::MMessageBox(int kind, const QString &title, const QString &text, int buttons, QWidget *parent,
                         const QString &userDefinedText)
    : QDialog(parent)
{
    setMinimumSize(300, 200);
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(title);

    m_textLabel = new QLabel(text, this);
    // The text may come from outside and name pictures: they load within the bounds, never by Qt's own loader.
    MGraphX::boundLabelResources(m_textLabel);
    m_textLabel->setWordWrap(true);
    m_iconLabel = new QLabel(this);
    // Named for the style sheet, which gives it no ground: the labels' gradient made a strip of it.
    m_iconLabel->setObjectName(QStringLiteral("MessageBoxIcon"));
    const QPixmap icon = kindPixmap(kind);
    // A kind without a picture has no pixel ratio to divide by.
    const QSize shown = icon.isNull() ? QSize(0, 0) : icon.size() / icon.devicePixelRatioF();
    m_iconLabel->setFixedSize(shown.width() + IconPadding, shown.height() + IconPadding);
    m_iconLabel->setPixmap(icon);

    // Small screens have no room for a row of buttons.
    QBoxLayout *buttonLayout = App::isSmallScreen() ? static_cast<QBoxLayout *>(new QVBoxLayout)
                                                    : static_cast<QBoxLayout *>(new QHBoxLayout);
    buttonLayout->setContentsMargins(1, 1, 1, 1);
    buttonLayout->setSpacing(3);
    buttonLayout->addStretch(1);
    for (const StandardButton &standard : StandardButtons) {
        if (!(buttons & standard.bit))
            continue;
        auto button = new QPushButton(tr(standard.label), this);
        buttonLayout->addWidget(button);
        connect(button, &QPushButton::clicked, this, standard.slot);
        setupPushButton(button);
    }
    if (!userDefinedText.isEmpty()) {
        auto button = new QPushButton(userDefinedText, this);
        buttonLayout->addWidget(button);
        connect(button, &QPushButton::clicked, this, &MMessageBox::slotUserDefined);
        setupPushButton(button);
    }
    buttonLayout->addStretch(1);

    auto topRow = new QHBoxLayout;
    topRow->setContentsMargins(1, 1, 1, 1);
    topRow->setSpacing(1);
    topRow->addWidget(m_iconLabel, 0, Qt::AlignTop);
    topRow->addWidget(m_textLabel);

    auto mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(5, 5, 5, 5);
    mainLayout->setSpacing(5);
    mainLayout->addLayout(topRow);
    mainLayout->addLayout(buttonLayout);
}

QPixmap MMessageBox::kindPixmap(int kind)
{
    if (kind < Information || kind > Question)
        return QPixmap();
    return devicePicture(QString::fromLatin1(KindPictures[kind - Information]), QSize(IconSide, IconSide));
}

int MMessageBox::information(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return run(Information, parent, title, text, buttons);
}

int MMessageBox::warning(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return run(Warning, parent, title, text, buttons);
}

int MMessageBox::critical(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return run(Critical, parent, title, text, buttons);
}

int MMessageBox::question(QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return run(Question, parent, title, text, buttons);
}

// Deleted at once: left to the parent, every call would add a hidden box that lives as long as the parent.
// A parent that goes while the box runs takes the box along: a close without a button.
int MMessageBox::run(int kind, QWidget *parent, const QString &title, const QString &text, int buttons)
{
    return runModal(new MMessageBox(kind, title, text, buttons, parent)).value_or(QDialog::Rejected);
}

void MMessageBox::slotOk() { done(QMessageBox::Ok); }
void MMessageBox::slotCancel() { done(QMessageBox::Cancel); }
void MMessageBox::slotYes() { done(QMessageBox::Yes); }
void MMessageBox::slotNo() { done(QMessageBox::No); }
void MMessageBox::slotAbort() { done(QMessageBox::Abort); }
void MMessageBox::slotRetry() { done(QMessageBox::Retry); }
void MMessageBox::slotIgnore() { done(QMessageBox::Ignore); }
void MMessageBox::slotYesAll() { done(QMessageBox::YesToAll); }
void MMessageBox::slotNoAll() { done(QMessageBox::NoToAll); }
void MMessageBox::slotUserDefined() { done(UserDefined); }

} // namespace QMWidgets
