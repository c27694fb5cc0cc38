#include "MTools/Delay.h"

#include <QTimer>

namespace MTools {

Delay::Delay() = default;

Delay::~Delay() = default;

void Delay::wait(int milliseconds)
{
    if (milliseconds < 0)
        return;
    QTimer::singleShot(milliseconds, this, SLOT(slotUnblock()));
    m_loop.exec();
}

void Delay::cancel()
{
    m_loop.exit(0);
}

void Delay::slotUnblock()
{
    m_loop.exit(0);
}

void waitInEventLoop(int milliseconds)
{
    if (milliseconds < 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, SLOT(quit()));
    loop.exec();
}

} // namespace MTools
