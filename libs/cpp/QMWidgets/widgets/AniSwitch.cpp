#include "QMWidgets/widgets/AniSwitch.h"

#include "QMWidgets/widgets/CheckButton.h"
#include "QMWidgets/style/DisabledLook.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalTransition>
#include <QState>
#include <QStateMachine>

namespace QMWidgets {

namespace {
const int SlideMilliseconds = 400;
}

AniSwitch::AniSwitch(QWidget *parent)
    : QWidget(parent)
{
    new DisabledLook(this);
}

AniSwitch::~AniSwitch()
{
    // The machine stops and lets go of its animations before the handle and the icon go.
    m_machine.reset();
}

void AniSwitch::setupSwitch(bool withIcon, bool on)
{
    if (m_built)
        return;
    m_built = true;
    const int w = width();
    const int h = height();

    m_icon = new CheckButton;
    m_icon->setFixedSize(h, h);
    m_icon->setFlat(true);
    setNameAndToolTip(m_icon, QStringLiteral("AniSwitchIcon"), tr(""));
    connect(m_icon, SIGNAL(toggled(bool)), this, SIGNAL(toggled(bool)));

    m_track = new QWidget;
    m_track->setObjectName(QStringLiteral("AniSwitchTrack"));
    // Beside the icon the track's left end is square, so the two read as one bar.
    m_track->setProperty("joined", withIcon);
    auto onArea = new QPushButton;
    onArea->setFlat(true);
    setNameAndToolTip(onArea, QStringLiteral("AniSwitchOnArea"), tr(""));
    connect(onArea, SIGNAL(clicked()), this, SLOT(slotSetOff()));
    auto offArea = new QPushButton;
    offArea->setFlat(true);
    setNameAndToolTip(offArea, QStringLiteral("AniSwitchOffArea"), tr(""));
    connect(offArea, SIGNAL(clicked()), this, SLOT(slotSetOn()));
    auto trackLayout = new QHBoxLayout(m_track);
    trackLayout->setContentsMargins(0, 0, 0, 0);
    trackLayout->setSpacing(0);
    trackLayout->addWidget(onArea);
    trackLayout->addStretch(1);
    trackLayout->addWidget(offArea);

    // The on colour runs from the track's start to under the handle; drawn below the click areas.
    m_fill = new QWidget(m_track);
    m_fill->setObjectName(QStringLiteral("AniSwitchFill"));
    m_fill->setProperty("joined", withIcon);
    m_fill->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_fill->lower();

    m_handle = new QPushButton(m_track);
    m_handle->setAutoFillBackground(true);
    m_handle->setFlat(true);
    if (withIcon) {
        m_handle->setFixedSize(w / 2 - h / 2, h);
    } else {
        m_icon->hide();
        m_handle->setFixedSize(w / 2, h);
    }
    m_handle->show();
    m_handle->raise();
    setNameAndToolTip(m_handle, QStringLiteral("AniSwitchHandler"), tr(""));
    m_handle->installEventFilter(this);
    m_track->installEventFilter(this);

    const QPoint offPos(0, 0);
    const QPoint onPos(m_handle->width(), 0);
    m_machine = std::make_unique<QStateMachine>();
    auto offState = new QState(m_machine.get());
    offState->assignProperty(m_handle, "pos", offPos);
    offState->assignProperty(m_icon, "checked", false);
    auto onState = new QState(m_machine.get());
    onState->assignProperty(m_handle, "pos", onPos);
    onState->assignProperty(m_icon, "checked", true);
    m_machine->setInitialState(on ? onState : offState);

    auto slideOn = new QPropertyAnimation(m_handle, "pos", m_machine.get());
    slideOn->setDuration(SlideMilliseconds);
    auto slideOff = new QPropertyAnimation(m_handle, "pos", m_machine.get());
    slideOff->setDuration(SlideMilliseconds);
    offState->addTransition(m_handle, SIGNAL(clicked()), onState)->addAnimation(slideOn);
    offState->addTransition(m_icon, SIGNAL(onClicked()), onState)->addAnimation(slideOn);
    onState->addTransition(m_handle, SIGNAL(clicked()), offState)->addAnimation(slideOff);
    onState->addTransition(m_icon, SIGNAL(offClicked()), offState)->addAnimation(slideOff);

    // The machine enters its first state only once the event loop runs and hears no signals before.
    // Until then the switch already shows the state asked for, and a change in between moves the first
    // state along, so the machine does not undo it.
    m_handle->move(on ? onPos : offPos);
    m_icon->setChecked(on);
    connect(m_icon, &CheckButton::toggled, this, [this, onState, offState, onPos, offPos](bool checked) {
        if (m_machine->isRunning())
            return;
        m_machine->setInitialState(checked ? onState : offState);
        m_handle->move(checked ? onPos : offPos);
    });
    m_machine->start();

    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_icon);
    layout->addWidget(m_track);
}

bool AniSwitch::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_handle || watched == m_track)
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        followHandle();
    return QWidget::eventFilter(watched, event);
}

// At rest on the off side nothing of the fill shows, not even at the handle's rounded corners; once the
// handle leaves it, the fill reaches under the handle's middle, so its corners show the on colour.
void AniSwitch::followHandle()
{
    const int x = m_handle->x();
    m_fill->setGeometry(0, 0, x > 0 ? x + m_handle->width() / 2 : 0, m_track->height());
}

bool AniSwitch::isOn() const
{
    return m_icon && m_icon->isChecked();
}

void AniSwitch::slotSetOn()
{
    setOn(true);
}

void AniSwitch::slotSetOff()
{
    setOn(false);
}

void AniSwitch::setOn(bool on)
{
    if (m_icon)
        m_icon->setChecked(on);
}

} // namespace QMWidgets
