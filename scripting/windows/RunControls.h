#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

#include <functional>

class QWidget;

namespace QMMistlark {

// The program owns its run controls. A script may disable or hide a window of the program, its tool bar or its
// Stop item like any widget; each is enabled and shown again as soon as the program is back in its event loop
// (at the script's next wait at the latest), so that no run leaves them off. A window that a script hides while no
// other window is visible would leave nothing to stop the run from: the run stops, and the window shows again.
// A close that the window lets go hides it for good.
class RunControls : public QObject
{
    Q_OBJECT

public:
    // Watches the window, which owns this; stopRun ends the window's run as its Stop does.
    RunControls(QWidget *window, std::function<void()> stopRun);

    // The control and every widget between it and the window.
    void keep(QWidget *control);
    // The window's close was let go: its hiding is the user's.
    void letClose();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restoreLater();
    void restore();
    bool anotherWindowVisible() const;

    QWidget *m_window;
    std::function<void()> m_stopRun;
    QVector<QPointer<QWidget>> m_controls;
    bool m_restorePending = false;
    bool m_closing = false;
};

} // namespace QMMistlark
