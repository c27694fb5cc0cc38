#pragma once

#include <QLabel>

class QPushButton;
class QTimer;

namespace QMWidgets {

// A full-screen, frameless, always-on-top window whose (normally hidden) Unlock button holds the
// keyboard and mouse grabs. It locks by itself 10 ms after construction and asserts the lock every
// 10 ms until Unlock; Unlock releases the grabs for good, until the owner locks again. While it is locked no
// shortcut of the application fires, not even an application-wide one of another window.
class ScreenLocker : public QLabel
{
    Q_OBJECT

public:
    explicit ScreenLocker(QWidget *parent = nullptr);
    ~ScreenLocker() override;

    void showUnlockButton();

signals:
    void unlocked();

public slots:
    void slotLock();
    void slotTest();
    void slotCheck();
    void slotFocusChanged(QWidget *old, QWidget *now);
    void slotReleaseInputDevices();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void releaseGrabs();

    QPushButton *m_unlockButton = nullptr;
    QTimer *m_timer = nullptr;
    bool m_filteringShortcuts = false;
};

} // namespace QMWidgets
