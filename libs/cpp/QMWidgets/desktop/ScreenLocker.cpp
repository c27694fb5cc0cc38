#include "QMWidgets/desktop/ScreenLocker.h"

#include <QApplication>
#include <QBoxLayout>
#include <QPushButton>
#include <QTimer>

namespace QMWidgets {

namespace {
const int RelockIntervalMs = 10;
}

ScreenLocker::ScreenLocker(QWidget *parent)
    : QLabel(parent)
{
    m_timer = new QTimer(this);
    m_unlockButton = new QPushButton(QStringLiteral("Unlock"));
    // The grabs send every key and click to the button even while it is hidden: disabled, it takes none of
    // them, so Space cannot unlock through a button the owner has not shown.
    m_unlockButton->hide();
    m_unlockButton->setEnabled(false);
    auto *layout = new QVBoxLayout;
    layout->addWidget(m_unlockButton);
    setLayout(layout);

    m_timer->setInterval(RelockIntervalMs);
    m_timer->start();
    connect(m_timer, SIGNAL(timeout()), this, SLOT(slotCheck()));
    connect(m_unlockButton, SIGNAL(clicked()), this, SLOT(slotReleaseInputDevices()));
}

ScreenLocker::~ScreenLocker()
{
    m_timer->stop();
    releaseGrabs();
}

void ScreenLocker::showUnlockButton()
{
    m_unlockButton->setEnabled(true);
    m_unlockButton->show();
}

void ScreenLocker::slotLock()
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    showFullScreen();
    raise();
    m_unlockButton->grabKeyboard();
    m_unlockButton->grabMouse();
    // The grabs keep keys from other windows, but the shortcut map runs before any key reaches a widget, and
    // an application-wide shortcut of another window would still fire. Installed again at every period it
    // would only move to the front of the filters, so once.
    if (!m_filteringShortcuts) {
        qApp->installEventFilter(this);
        m_filteringShortcuts = true;
    }
    // Asserted again every period, since another window may take the grabs or the top place away.
    if (!m_timer->isActive())
        m_timer->start();
}

void ScreenLocker::slotTest()
{
    slotLock();
}

void ScreenLocker::slotCheck()
{
    slotLock();
}

void ScreenLocker::slotFocusChanged(QWidget *, QWidget *)
{
}

void ScreenLocker::releaseGrabs()
{
    qApp->removeEventFilter(this);
    m_filteringShortcuts = false;
    if (QWidget::keyboardGrabber() == m_unlockButton)
        m_unlockButton->releaseKeyboard();
    if (QWidget::mouseGrabber() == m_unlockButton)
        m_unlockButton->releaseMouse();
}

void ScreenLocker::slotReleaseInputDevices()
{
    // The timer stops with the grabs: a lock that came back 10 ms after Unlock would make Unlock a lie.
    m_timer->stop();
    releaseGrabs();
    emit unlocked();
}

bool ScreenLocker::event(QEvent *event)
{
    return QLabel::event(event);
}

bool ScreenLocker::eventFilter(QObject *watched, QEvent *event)
{
    // An accepted override sends the key on to the grabbing button as a plain key: no shortcut takes it.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::Shortcut)
        return true;
    return QLabel::eventFilter(watched, event);
}

} // namespace QMWidgets
