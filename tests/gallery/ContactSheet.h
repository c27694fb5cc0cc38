#pragma once

#include <QImage>
#include <QString>
#include <QVector>

// A picture of the gallery and the caption it is shown with.
struct Snapshot
{
    QString caption;
    QImage image;
};

// Every snapshot shrunk into a cell of a grid, its caption below, at the given pixel ratio.
QImage contactSheet(const QVector<Snapshot> &snapshots, qreal ratio);
