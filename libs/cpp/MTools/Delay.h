#pragma once

#include <QEventLoop>
#include <QObject>

namespace MTools {

// Blocks the caller for a time while the thread's events go on being handled in a local loop.
class Delay : public QObject
{
    Q_OBJECT

public:
    Delay();
    ~Delay() override;

    // A negative time returns at once: the single-shot timer would refuse it and nothing would leave the loop.
    void wait(int milliseconds);
    // Leaves a running wait before its time is up.
    void cancel();

private slots:
    void slotUnblock();

private:
    QEventLoop m_loop;
};

// The same wait without an object of its own.
void waitInEventLoop(int milliseconds);

} // namespace MTools
