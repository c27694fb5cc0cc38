#include "scripting/Timer.h"

namespace QMMistlark {

Timer::Timer(QObject *parent)
    : QTimer(parent)
{
    setSingleShot(true);
}

} // namespace QMMistlark
