// Times the image area's zoom stepping from 100 % down to 1 % on a 6000 x 4000 picture in an 800 x 600
// area, beside Qt's own smooth scaling to the same sizes; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "QMWidgets/annotation/ImageArea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>

#include <cstdio>
#include <functional>

static const QSize pictureSize(6000, 4000);
static const int repetitions = 3;
static const double goalRatio = 1.2;

static qint64 nanoseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed();
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QPixmap picture(pictureSize);
    {
        QPainter painter(&picture);
        QLinearGradient gradient(0, 0, pictureSize.width(), pictureSize.height());
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(picture.rect(), gradient);
    }

    QMWidgets::ImageArea area;
    area.resize(800, 600);
    area.setImage(picture);

    // The two are timed step by step in turn, so both meet the same load of a shared machine; the best of
    // a few runs of the whole staircase counts.
    qint64 sink = 0;
    qint64 bestArea = -1;
    qint64 bestAnchor = -1;
    for (int run = 0; run < repetitions; ++run) {
        qint64 areaTime = 0;
        qint64 anchorTime = 0;
        for (int percent = 100; percent >= 1; --percent) {
            areaTime += nanoseconds([&] { area.applyZoom(percent); });
            anchorTime += nanoseconds([&] {
                sink += picture.scaled(picture.size() * percent / 100.0, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                            .width();
            });
        }
        sink += area.findChild<QLabel *>("PreviewLabel")->pixmap(Qt::ReturnByValue).width();
        if (bestArea < 0 || areaTime < bestArea)
            bestArea = areaTime;
        if (bestAnchor < 0 || anchorTime < bestAnchor)
            bestAnchor = anchorTime;
    }

    const double areaMs = bestArea / 1e6;
    const double anchorMs = bestAnchor / 1e6;
    std::printf("ImageArea::applyZoom 100..1 %% of 6000x4000 in 800x600\t%.1f\tms\t-\n", areaMs);
    std::printf("anchor QPixmap::scaled smooth to the same sizes\t%.1f\tms\t-\n", anchorMs);
    printRow(QStringLiteral("applyZoom / anchor"), areaMs / anchorMs, "ratio", QStringLiteral("<= %1").arg(goalRatio), 3);
    return sink > 0 ? 0 : 1;
}
