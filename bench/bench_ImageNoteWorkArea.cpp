// Times the preview paints of the annotation surface on a 1920 x 1080 picture during a pen stroke and an
// eraser stroke of 500 segments and a 400 x 300 blur drag, beside one paint of a plain widget that only
// draws the same picture; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "AnnotationPicture.h"

#include "QMWidgets/annotation/ImageNoteWorkArea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QSize pictureSize(1920, 1080);
const int repetitions = 3;
const double frameMs = 16.0;

qint64 timedRepaint(QWidget *widget)
{
    QElapsedTimer timer;
    timer.start();
    widget->repaint();
    return timer.nsecsElapsed();
}

// One stroke through the points, a paint after every event; the nanoseconds of each preview paint.
QVector<qint64> strokePaints(QMWidgets::ImageNoteWorkArea &area, const QVector<QPoint> &points)
{
    QVector<qint64> paints;
    sendMouse(&area, QEvent::MouseButtonPress, points.first(), Qt::LeftButton, Qt::LeftButton);
    paints << timedRepaint(&area);
    for (int i = 1; i < points.size(); ++i) {
        sendMouse(&area, QEvent::MouseMove, points.at(i), Qt::NoButton, Qt::LeftButton);
        paints << timedRepaint(&area);
    }
    sendMouse(&area, QEvent::MouseButtonRelease, points.last(), Qt::LeftButton, Qt::NoButton);
    area.repaint();
    return paints;
}

// The slowest preview paint of the stroke, each paint taken at its best of a few strokes, so a moment of
// load on a shared machine does not stand for the code.
double worstPaintMs(QMWidgets::ImageNoteWorkArea &area, QMWidgets::ImageNoteWorkArea::Mode mode,
                    const QVector<QPoint> &points)
{
    area.slotSetMode(mode);
    QVector<qint64> best;
    for (int run = 0; run < repetitions; ++run) {
        const QVector<qint64> paints = strokePaints(area, points);
        if (best.isEmpty())
            best = paints;
        for (int i = 0; i < best.size(); ++i)
            best[i] = std::min(best[i], paints.at(i));
        area.slotUndo();
    }
    return *std::max_element(best.cbegin(), best.cend()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const QPixmap picture = makeAnnotationPicture(pictureSize);
    PlainPicture plain(picture);
    plain.setFixedSize(picture.size());
    plain.show();
    QMWidgets::ImageNoteWorkArea area;
    area.slotSetPixmap(picture);
    area.slotSetThikness(1);
    area.show();
    application.processEvents();

    qint64 anchor = -1;
    for (int run = 0; run < 20; ++run) {
        const qint64 paint = timedRepaint(&plain);
        if (anchor < 0 || paint < anchor)
            anchor = paint;
    }
    const double anchorMs = anchor / 1e6;

    // 500 segments of 4 pixels: right along one row, 4 pixels down, left along the next.
    QVector<QPoint> freeHand;
    for (int i = 0; i <= 500; ++i) {
        const int row = i / 250;
        const int step = row % 2 == 0 ? i % 250 : 249 - i % 250;
        freeHand << QPoint(200 + 4 * step, 300 + 4 * row);
    }
    // A drag that opens a 400 x 300 rectangle.
    QVector<QPoint> blurDrag;
    for (int i = 0; i <= 20; ++i)
        blurDrag << QPoint(700 + 20 * i, 400 + 15 * i);

    const struct {
        QMWidgets::ImageNoteWorkArea::Mode mode;
        const char *label;
        const QVector<QPoint> &points;
    } cases[] = {
        {QMWidgets::ImageNoteWorkArea::Pen, "Pen stroke of 500 segments", freeHand},
        {QMWidgets::ImageNoteWorkArea::Eraser, "Eraser stroke of 500 segments", freeHand},
        {QMWidgets::ImageNoteWorkArea::Highlighter, "Highlighter stroke of 500 segments", freeHand},
        {QMWidgets::ImageNoteWorkArea::BlurRectangle, "BlurRectangle drag to 400x300", blurDrag},
    };
    std::printf("anchor: one plain QPainter::drawPixmap paint of 1920x1080\t%.2f\tms\t-\n", anchorMs);
    for (const auto &entry : cases) {
        const double worst = worstPaintMs(area, entry.mode, entry.points);
        printRow(QStringLiteral("slowest preview paint, %1 on 1920x1080").arg(QLatin1String(entry.label)), worst, "ms",
                 QStringLiteral("< %1").arg(frameMs));
        std::printf("slowest preview paint / anchor, %s\t%.1f\tratio\t-\n", entry.label, worst / anchorMs);
    }
    return 0;
}
