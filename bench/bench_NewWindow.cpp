// Times New (a top-level window with the promotion bar, tool bar and catalogue, until it has painted once)
// beside constructing and showing a bare script window until it has painted once; prints
// "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "TestApp.h"

#include "app/JSMainWindow.h"
#include "app/JavaScriptEvaluator.h"
#include "resources/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

static const int samples = 9;

namespace {

// Notes the first paint of any top-level window.
class PaintWatch : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            painted = true;
        return false;
    }

    bool painted = false;
};

} // namespace

// Median time from the call until the window has painted, in milliseconds; each window goes before the next.
static double medianUntilPainted(const std::function<QWidget *()> &open)
{
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    QVector<double> times;
    for (int sample = 0; sample < samples; ++sample) {
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<QWidget> window(open());
        while (!watch.painted && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        times << double(timer.nsecsElapsed()) / 1e6;
        if (!watch.painted) {
            std::fprintf(stderr, "bench_NewWindow: a window never painted\n");
            std::exit(1);
        }
    }
    qApp->removeEventFilter(&watch);
    std::sort(times.begin(), times.end());
    return times.at(samples / 2);
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());

    JavaScriptEvaluator first(nullptr);
    first.show();
    // The first windows pay for what the process sets up once (fonts, style); they are not measured.
    medianUntilPainted([] {
        auto *window = new JSMainWindow(nullptr);
        window->show();
        return window;
    });

    const double bare = medianUntilPainted([] {
        auto *window = new JSMainWindow(nullptr);
        window->resize(463, 515);
        window->show();
        return window;
    });
    const double withBar = medianUntilPainted([&first] { return first.slotCreateNewWindow(); });

    std::printf("New window until painted\t%.2f\tms\t-\n", withBar);
    std::printf("bare script window until painted\t%.2f\tms\t-\n", bare);
    printRow(QStringLiteral("promotion bar, tool bar and catalogue over bare"), (withBar / bare - 1.0) * 100.0, "%",
             QStringLiteral("<= 30"), 1);
    return 0;
}
