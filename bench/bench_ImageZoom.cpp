// Times the image viewer's zoom steps on a 200-megapixel picture in a 1024 x 768 window: each step from 100 % down
// to 1 %, then 150 % and 200 %, with the paint it causes (a grab of the window), beside a plain paint of the view
// at the same zoom, step by step in turn so that both meet the same load; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "QMWidgets/desktop/ImageViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

static const QSize pictureSize(16000, 12500);
static const QSize windowSize(1024, 768);
// A frame of a 60 Hz screen.
static const double frameMs = 16.7;
static const int repetitions = 3;

static double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

static double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QImage picture(pictureSize, QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        QLinearGradient gradient(0, 0, pictureSize.width(), pictureSize.height());
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(picture.rect(), gradient);
    }

    qint64 sink = 0;
    QMWidgets::ImageViewer viewer;
    viewer.resize(windowSize);
    viewer.show();
    // Until the window shows, a paint draws nothing.
    while (!viewer.windowHandle() || !viewer.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    const double loadMs = milliseconds([&] {
        viewer.slotLoad(picture);
        sink += viewer.grab().width();
    });

    std::vector<int> steps;
    for (int percent = 100; percent >= 1; --percent)
        steps.push_back(percent);
    steps.push_back(150);
    steps.push_back(200);
    // The staircase runs a few times and each step counts its best run: a step's cost is the code's, not that of
    // a moment when the shared machine was busy.
    std::vector<double> stepTimes(steps.size(), -1);
    std::vector<double> paintTimes(steps.size(), -1);
    const auto keepBest = [](double &best, double time) { best = best < 0 ? time : std::min(best, time); };
    for (int run = 0; run < repetitions; ++run) {
        for (size_t i = 0; i < steps.size(); ++i) {
            keepBest(stepTimes[i], milliseconds([&] {
                         viewer.slotZoom(steps[i]);
                         QCoreApplication::processEvents();
                         sink += viewer.grab().width();
                     }));
            keepBest(paintTimes[i], milliseconds([&] { sink += viewer.grab().width(); }));
        }
    }

    const double worstStep = *std::max_element(stepTimes.begin(), stepTimes.end());
    const double medianStep = median(stepTimes);
    const double medianPaint = median(paintTimes);
    std::printf("ImageViewer load of 200 MP with its first paint\t%.1f\tms\t-\n", loadMs);
    const QString measure = QStringLiteral("ImageViewer zoom step at 200 MP in 1024x768, %1, best of %2 runs each");
    printRow(measure.arg(QStringLiteral("median")).arg(repetitions), medianStep, "ms",
             QStringLiteral("< %1").arg(frameMs));
    printRow(measure.arg(QStringLiteral("worst of %1").arg(steps.size())).arg(repetitions), worstStep, "ms",
             QStringLiteral("< %1").arg(frameMs));
    std::printf("anchor: plain paint of the view, median\t%.2f\tms\t-\n", medianPaint);
    printRow(QStringLiteral("zoom step / plain paint, medians"), medianStep / medianPaint, "ratio",
             QStringLiteral("<= 3"), 2);
    return sink > 0 ? 0 : 1;
}
