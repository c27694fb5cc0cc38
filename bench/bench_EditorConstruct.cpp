// Times constructing an Editor while 1,000 other widgets exist (each gets a pass-through filter), beside
// constructing one with no other widget; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "TestApp.h"

#include "scripting/editor/Editor.h"
#include "scripting/automation/EditorFilter.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

static const int windowCount = 20;
static const int widgetsPerWindow = 50; // the window and 49 children
static const int samples = 7;

// Median of a few constructions, in milliseconds.
static double constructionMilliseconds()
{
    QVector<double> times;
    for (int sample = 0; sample < samples; ++sample) {
        QElapsedTimer timer;
        timer.start();
        auto editor = std::make_unique<QMMistlark::Editor>();
        times << double(timer.nsecsElapsed()) / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(samples / 2);
}

int main(int argc, char **argv)
{
    TestApp app(argc, argv);
    // The first Editor pays for what the process sets up once (fonts, style); it is not measured.
    QMMistlark::Editor warmUp;
    Q_UNUSED(warmUp)

    const double alone = constructionMilliseconds();

    std::vector<std::unique_ptr<QWidget>> windows;
    for (int window = 0; window < windowCount; ++window) {
        windows.push_back(std::make_unique<QWidget>());
        for (int child = 1; child < widgetsPerWindow; ++child) {
            if (child % 2)
                new QLabel(QStringLiteral("label %1").arg(child), windows.back().get());
            else
                new QPushButton(QStringLiteral("button %1").arg(child), windows.back().get());
        }
    }
    const double crowded = constructionMilliseconds();

    // Every Editor filters the widgets that exist when it is made; check that this one did.
    const int filters = windows.front()->findChildren<QMMistlark::EditorFilter *>(QString(), Qt::FindDirectChildrenOnly).size();
    if (filters != samples) {
        std::fprintf(stderr, "bench_EditorConstruct: %d filters on a window, expected %d\n", filters, samples);
        return 1;
    }

    printRow(QStringLiteral("construct Editor, 1000 other widgets"), crowded, "ms", QStringLiteral("< 50"));
    std::printf("construct Editor, no other widget\t%.2f\tms\t-\n", alone);
    return 0;
}
