#include "ContactSheet.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const int Columns = 6;
const QSize Cell(300, 230);
const int CaptionHeight = 18;
const int Gap = 10;
}

QImage contactSheet(const QVector<Snapshot> &snapshots, qreal ratio)
{
    const int rows = (snapshots.size() + Columns - 1) / Columns;
    const QSize size(Gap + Columns * (Cell.width() + Gap), Gap + rows * (Cell.height() + CaptionHeight + Gap));
    QImage sheet(size * ratio, QImage::Format_RGB32);
    sheet.setDevicePixelRatio(ratio);
    // A middle grey, against which dark widgets and light ones both keep their edges.
    sheet.fill(QColor(160, 160, 160));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int index = 0; index < snapshots.size(); ++index) {
        const Snapshot &snapshot = snapshots.at(index);
        const QPoint cell(Gap + index % Columns * (Cell.width() + Gap),
                          Gap + index / Columns * (Cell.height() + CaptionHeight + Gap));
        // Shrunk to fit, never enlarged, so small widgets keep their real size.
        const QSizeF shown = snapshot.image.size() / snapshot.image.devicePixelRatio();
        const qreal scale = std::min({1.0, Cell.width() / shown.width(), Cell.height() / shown.height()});
        const QSizeF target = shown * scale;
        const QRectF place(cell.x() + (Cell.width() - target.width()) / 2,
                           cell.y() + (Cell.height() - target.height()) / 2, target.width(), target.height());
        painter.drawImage(place, snapshot.image);
        painter.setPen(Qt::black);
        painter.drawText(QRect(cell.x(), cell.y() + Cell.height(), Cell.width(), CaptionHeight),
                         Qt::AlignCenter, snapshot.caption);
    }
    return sheet;
}
