#pragma once

#include <QElapsedTimer>

#include <ctime>
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

// The time this thread spent on the CPU: on a busy machine it leaves out the waits for a core.
inline double bestThreadCpuMilliseconds(int repetitions, const std::function<void()> &work)
{
    double best = -1;
    for (int run = 0; run < repetitions; ++run) {
        timespec start{};
        timespec end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        work();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        const double ms = (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}
