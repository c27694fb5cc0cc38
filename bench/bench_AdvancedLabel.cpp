// Times the repaint of a 512 x 512 picture tile, plain and hovered (brightened through the image planes),
// in the same run; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "BenchRow.h"
#include "BenchTiming.h"

#include "QMWidgets/widgets/AdvancedLabel.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QImage picture(512, 512, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(x / 2, y / 2, (x ^ y) & 255, 128 + ((x / 32 + y / 32) % 2) * 127));

    QMWidgets::AdvancedLabel tile;
    tile.resize(512, 512);
    tile.setPixmap(QPixmap::fromImage(picture));
    QImage target(512, 512, QImage::Format_ARGB32_Premultiplied);
    const auto repaint = [&] { tile.render(&target, QPoint(), QRegion(), QWidget::DrawChildren); };

    const double plain = bestMilliseconds(15, repaint);
    // The pointer enters anew each time: the tile brightens the picture through the image planes.
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    const double entering = bestMilliseconds(15, [&] {
        QApplication::sendEvent(&tile, &leave);
        QApplication::sendEvent(&tile, &enter);
        repaint();
    });
    // Further repaints while the pointer stays reuse the brightened picture.
    const double staying = bestMilliseconds(15, repaint);

    std::printf("plain repaint 512x512\t%.2f\tms\t-\n", plain);
    printRow(QStringLiteral("hovered repaint on entering 512x512"), entering, "ms", QStringLiteral("<= 16"));
    printRow(QStringLiteral("hovered repaint while staying 512x512"), staying, "ms", QStringLiteral("<= 16"));
    printRow(QStringLiteral("entering / plain"), plain > 0 ? entering / plain : 0.0, "x", QStringLiteral("<= 5"));
    printRow(QStringLiteral("staying / plain"), plain > 0 ? staying / plain : 0.0, "x", QStringLiteral("<= 5"));
    return 0;
}
