#pragma once

#include <QElapsedTimer>

#include <functional>

// Best of a few runs, in milliseconds: the least disturbed run is the one that says most about the code.
inline double bestMilliseconds(int repetitions, const std::function<void()> &work)
{
    qint64 best = -1;
    for (int run = 0; run < repetitions; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        const qint64 elapsed = timer.nsecsElapsed();
        if (best < 0 || elapsed < best)
            best = elapsed;
    }
    return double(best) / 1e6;
}
