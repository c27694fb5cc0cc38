// Times MTools::MFft and MTools::Math::fft beside single-precision FFTW on the same data;
// prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "MTools/MFft.h"
#include "MTools/Math.h"

#include <fftw3.h>

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

static const int repetitions = 5;

// Best of a few runs of enough transforms to fill about 20 ms, in microseconds per transform.
static double microsecondsPerTransform(int n, const std::function<void()> &transform)
{
    const int perRun = std::max(1, (1 << 20) / n);
    double best = -1;
    for (int run = 0; run < repetitions; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < perRun; ++i)
            transform();
        const double elapsed = double(timer.nsecsElapsed()) / 1e3 / perRun;
        if (best < 0 || elapsed < best)
            best = elapsed;
    }
    return best;
}

struct Signal
{
    explicit Signal(int n)
        : re(size_t(n))
        , im(size_t(n))
        , workRe(size_t(n))
        , workIm(size_t(n))
    {
        QRandomGenerator generator{quint32(n)};
        for (int i = 0; i < n; ++i) {
            re[size_t(i)] = float(generator.generateDouble() * 2 - 1);
            im[size_t(i)] = float(generator.generateDouble() * 2 - 1);
        }
    }
    // Every transform starts from the same input, so values never grow without bound.
    void reset()
    {
        std::memcpy(workRe.data(), re.data(), re.size() * sizeof(float));
        std::memcpy(workIm.data(), im.data(), im.size() * sizeof(float));
    }
    std::vector<float> re, im, workRe, workIm;
};

static double fftwMicroseconds(int n, Signal &signal)
{
    fftwf_iodim dimension{n, 1, 1};
    fftwf_plan plan = fftwf_plan_guru_split_dft(1, &dimension, 0, nullptr, signal.workRe.data(), signal.workIm.data(),
                                                signal.workRe.data(), signal.workIm.data(), FFTW_ESTIMATE);
    const double us = microsecondsPerTransform(n, [&] {
        signal.reset();
        fftwf_execute(plan);
    });
    fftwf_destroy_plan(plan);
    return us;
}

// The largest difference from FFTW's transform, relative to the largest FFTW bin: a benchmark of a
// wrong result measures nothing.
static bool agreesWithFftw(int n, Signal &signal, const std::function<void()> &ours, float scale, bool conjugate)
{
    signal.reset();
    ours();
    std::vector<float> oursRe = signal.workRe;
    std::vector<float> oursIm = signal.workIm;
    signal.reset();
    fftwf_iodim dimension{n, 1, 1};
    fftwf_plan plan = fftwf_plan_guru_split_dft(1, &dimension, 0, nullptr, signal.workRe.data(), signal.workIm.data(),
                                                signal.workRe.data(), signal.workIm.data(), FFTW_ESTIMATE);
    fftwf_execute(plan);
    fftwf_destroy_plan(plan);
    double largest = 0;
    double difference = 0;
    for (int k = 0; k < n; ++k) {
        // FFTW computes e^(-2πi·jk/n); the transform with e^(+...) gives the bin at -k.
        const int bin = conjugate ? (n - k) % n : k;
        largest = std::max(largest, double(std::hypot(signal.workRe[size_t(k)], signal.workIm[size_t(k)])));
        difference = std::max(difference, double(std::hypot(oursRe[size_t(bin)] * scale - signal.workRe[size_t(k)],
                                                            oursIm[size_t(bin)] * scale - signal.workIm[size_t(k)])));
    }
    return difference <= 1e-2 * largest;
}

static void printRows(const char *name, int n, double ours, double fftw)
{
    // Each of ours has its own FFTW anchor (complex or real input), so the anchor's row says whose it is.
    std::printf("FFTW %d points, anchor of %s\t%.2f\tus\t-\n", n, name, fftw);
    std::printf("%s %d points\t%.2f\tus\t-\n", name, n, ours);
    printRow(QStringLiteral("%1 %2 points / FFTW").arg(QLatin1String(name)).arg(n), ours / fftw, "x", QStringLiteral("<= 15"));
}

int main()
{
    bool correct = true;
    for (int bits : {10, 15}) {
        const int n = 1 << bits;
        Signal signal(n);
        const MTools::MFft fft(bits);
        const auto transform = [&] { fft.transform(signal.workRe.data(), signal.workIm.data(), false); };
        correct = correct && agreesWithFftw(n, signal, transform, float(n), false);
        const double ours = microsecondsPerTransform(n, [&] {
            signal.reset();
            transform();
        });
        const double fftw = fftwMicroseconds(n, signal);
        printRows("MFft", n, ours, fftw);
    }
    for (int n : {1024, 65536}) {
        Signal signal(n);
        const auto transform = [&] { MTools::Math::fft(n, signal.workRe.data(), signal.workIm.data()); };
        correct = correct && agreesWithFftw(n, signal, transform, 1.0f, true);
        const double ours = microsecondsPerTransform(n, [&] {
            signal.reset();
            transform();
        });
        const double fftw = fftwMicroseconds(n, signal);
        printRows("Math::fft", n, ours, fftw);
    }
    if (!correct) {
        std::fprintf(stderr, "bench_Fft: a transform disagrees with FFTW\n");
        return 1;
    }
    return 0;
}
